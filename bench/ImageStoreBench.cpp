// The frame's image store from 1024 to 8192 square, in the three modes, over the noise picture, against
// plain copies of the same bytes: the bitmap against a memcpy of the pixels, the BMP read against an
// fread of the file into a kept buffer, the BMP write against an fwrite of as many bytes; both writes
// make a new file each time, the file of the time before being removed outside the timing.
// Yardstick: BM_Binarize_Noise (Yardsticks.cpp) over the same noise, at 2048 and 4096.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Images.h"
#include "Modes.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "imaging/Image.h"
#include "ui/Bitmap.h"

namespace {

void BM_ImageToBitmap(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  IMAGE image(n, n, IMAGE::kGray);
  image.SetFromPlane(bench::Noise(n));
  CaseMode mode(state);
  for (auto _ : state) {
    QImage bitmap = ImageToBitmap(image);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
}
BENCHMARK(BM_ImageToBitmap)->Apply(KernelCases);

void BM_Memcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * state.range(0);
  const BytePlane& source = bench::Noise(static_cast<int>(state.range(0)));
  CaseMode mode(state);
  for (auto _ : state) {
    std::vector<std::uint8_t> target(bytes);
    std::memcpy(target.data(), source.Data(), bytes);
    benchmark::DoNotOptimize(target.data());
  }
}
BENCHMARK(BM_Memcpy)->Apply(KernelCases);

// A new name each time; the previous file goes outside the timing.
class NewFiles {
 public:
  explicit NewFiles(const ScratchDir& dir) : dir_(dir) {}
  std::string Next(benchmark::State& state) {
    if (!last_.empty()) {
      state.PauseTiming();
      std::remove(last_.c_str());
      state.ResumeTiming();
    }
    std::string name = std::to_string(count_++);
    name += ".bmp";
    last_ = dir_.File(name);
    return last_;
  }

 private:
  const ScratchDir& dir_;
  std::string last_;
  int count_ = 0;
};

void BM_WriteBMPFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const BytePlane& plane = bench::Noise(n);
  ScratchDir dir;
  NewFiles files(dir);
  CaseMode mode(state);
  for (auto _ : state) {
    if (WriteBMPFile(files.Next(state), plane, n, n, 0) != 0) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_WriteBMPFile)->Apply(KernelCases);

void BM_FileWrite(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<std::uint8_t> bytes(kBmpHeaderBytes + kBmpPaletteBytes + static_cast<std::size_t>(n) * n,
                                        7);
  ScratchDir dir;
  NewFiles files(dir);
  CaseMode mode(state);
  for (auto _ : state) {
    std::FILE* file = std::fopen(files.Next(state).c_str(), "wb");
    const bool ok = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file == nullptr || std::fclose(file) != 0 || !ok) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_FileWrite)->Apply(KernelCases);

// Into a plane kept from call to call.
void BM_ReadBMPFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ScratchDir dir;
  const std::string name = dir.File("r.bmp");
  WriteBMPFile(name, bench::Noise(n), n, n, 0);
  BytePlane plane;
  CaseMode mode(state);
  for (auto _ : state) {
    int columns = 0, lines = 0;
    if (!ReadBMPFileInto(name, plane, columns, lines)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(plane.Data());
  }
}
BENCHMARK(BM_ReadBMPFile)->Apply(KernelCases);

void BM_FileRead(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ScratchDir dir;
  const std::string name = dir.File("r.bmp");
  WriteBMPFile(name, bench::Noise(n), n, n, 0);
  std::vector<std::uint8_t> buffer(kBmpHeaderBytes + kBmpPaletteBytes + static_cast<std::size_t>(n) * n);
  CaseMode mode(state);
  for (auto _ : state) {
    std::FILE* file = std::fopen(name.c_str(), "rb");
    const bool ok = file != nullptr && std::fread(buffer.data(), 1, buffer.size(), file) == buffer.size();
    if (file != nullptr) std::fclose(file);
    if (!ok) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_FileRead)->Apply(KernelCases);

}  // namespace
