// The image store against plain copies of the same bytes: the bitmap against a memcpy of the pixels,
// the BMP write and read against a copy of a file of the same size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "imaging/Image.h"
#include "ui/Bitmap.h"

namespace {

// Wall time: the file cases spend much of theirs in the kernel.
void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_ImageToBitmap(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  IMAGE image(n, n, IMAGE::kGray);
  image.SetFromPlane(MakeRandomGray(n, n, 1));
  for (auto _ : state) {
    QImage bitmap = ImageToBitmap(image);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
  state.SetBytesProcessed(state.iterations() * n * static_cast<std::int64_t>(n));
}
BENCHMARK(BM_ImageToBitmap)->Apply(Sizes);

void BM_Memcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * state.range(0);
  const BytePlane source =
      MakeRandomGray(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)), 1);
  for (auto _ : state) {
    std::vector<std::uint8_t> target(bytes);
    std::memcpy(target.data(), source.Data(), bytes);
    benchmark::DoNotOptimize(target.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Memcpy)->Apply(Sizes);

void BM_WriteBMPFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const BytePlane plane = MakeRandomGray(n, n, 2);
  ScratchDir dir;
  const std::string name = dir.File("w.bmp");
  for (auto _ : state) {
    if (WriteBMPFile(name, plane, n, n, 0) != 0) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * n * static_cast<std::int64_t>(n));
}
BENCHMARK(BM_WriteBMPFile)->Apply(Sizes);

void BM_ReadBMPFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ScratchDir dir;
  const std::string name = dir.File("r.bmp");
  WriteBMPFile(name, MakeRandomGray(n, n, 3), n, n, 0);
  for (auto _ : state) {
    int columns = 0, lines = 0;
    BytePlane plane = ReadBMPFile(name, columns, lines);
    if (plane.Empty()) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(plane.Data());
  }
  state.SetBytesProcessed(state.iterations() * n * static_cast<std::int64_t>(n));
}
BENCHMARK(BM_ReadBMPFile)->Apply(Sizes);

// A plain user-space copy of a file as large as the 8-bit BMP of the image.
void BM_FileCopy(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ScratchDir dir;
  const std::string source = dir.File("source.bmp");
  const std::string target = dir.File("target.bmp");
  WriteBMPFile(source, MakeRandomGray(n, n, 4), n, n, 0);
  std::vector<char> buffer(std::size_t{1} << 22);
  for (auto _ : state) {
    std::FILE* in = std::fopen(source.c_str(), "rb");
    std::FILE* out = std::fopen(target.c_str(), "wb");
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
      std::fwrite(buffer.data(), 1, got, out);
    std::fclose(in);
    std::fclose(out);
  }
  state.SetBytesProcessed(state.iterations() * n * static_cast<std::int64_t>(n));
}
BENCHMARK(BM_FileCopy)->Apply(Sizes);

}  // namespace
