// The benchmarks' entry point. "vorn_bench --peak-memory K N A" instead runs kernel K on an N x N
// picture in a process of its own and prints its peak resident size, which the *_PeakMemory cases
// report against the picture's own bytes (peak_over_image), input and output included:
//   label: labels the comb (A 0, whose lines repeat) or a checkerboard (A 1, one-pixel runs on lines
//          that never repeat);
//   lacunarity: the curve of ten window sizes, K = 1 .. 10, of the noise (made with nothing more than
//          its bytes; the boxes' content does not change what the curve holds), A the mode (Modes.h).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Images.h"
#include "binary/kernels/Labeling.h"
#include "graytone/kernels/Lacunarity.h"
#include "imaging/Parallel.h"

extern char** environ;

namespace {

constexpr const char* kPeakMemoryFlag = "--peak-memory";
constexpr const char* kLabel = "label";
constexpr const char* kLacunarity = "lacunarity";
constexpr int kCurveSizes = 10;

// The process's peak resident size (VmHWM). getrusage's ru_maxrss would say the same for a process
// started small, but it keeps the peak of the image the process was spawned from across exec.
long PeakResidentKiB() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kib = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
  }
  std::fclose(status);
  return kib;
}

// Prints the peak before the picture is made, the peak after the kernel ran, and the picture's bytes.
int RunAndReportPeak(const std::string& kernel, int size, int argument) {
  const long before = PeakResidentKiB();
  std::size_t bytes = 0;
  if (kernel == kLabel) {
    const BytePlane& binary = argument == 0 ? bench::Comb(size) : bench::Checkerboard(size);
    PixelStack stack;
    const LabelingResult result = LabelItems(binary, 0, INT_MAX, stack);
    if (result.ItemCount != 1 || result.Labeled.Empty()) return 1;
    bytes = binary.Size();
  } else if (kernel == kLacunarity) {
    const BytePlane& image = bench::Noise(size);
    parallel::SetThreadLimit(argument == 0 ? 1 : 0);
    if (LacunarityCurve(image, 1, kCurveSizes).size() != kCurveSizes) return 1;
    bytes = image.Size();
  } else {
    return 1;
  }
  std::printf("%ld %ld %lld\n", before, PeakResidentKiB(), static_cast<long long>(bytes));
  return 0;
}

// Peak resident size of `kernel` on a picture of state.range(0), measured in a new process.
void MeasurePeak(benchmark::State& state, std::string kernel) {
  std::string size = std::to_string(state.range(0));
  std::string argument = std::to_string(state.range(1));
  long before = 0, peak = 0;
  long long imageBytes = 0;
  for (auto _ : state) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return state.SkipWithError("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string self = "/proc/self/exe";
    std::string flag = kPeakMemoryFlag;
    char* argv[] = {self.data(), flag.data(), kernel.data(), size.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::FILE* out = fdopen(pipeEnds[0], "r");
    const bool read = out != nullptr && std::fscanf(out, "%ld %ld %lld", &before, &peak, &imageBytes) == 3;
    if (out != nullptr) std::fclose(out);
    int status = 0;
    if (spawned == 0) waitpid(child, &status, 0);
    if (spawned != 0 || !read || status != 0) return state.SkipWithError("the measured process failed");
  }
  state.counters["peak_MiB"] = static_cast<double>(peak) / 1024.0;
  state.counters["peak_over_image"] = static_cast<double>(peak) * 1024.0 / static_cast<double>(imageBytes);
  state.counters["start_MiB"] = static_cast<double>(before) / 1024.0;
}

void PeakCase(benchmark::internal::Benchmark* b) {
  b->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

// Labeling, all threads; the second argument is the picture.
void BM_LabelItems_PeakMemory(benchmark::State& state) {
  MeasurePeak(state, kLabel);
  state.SetLabel(state.range(1) == 0 ? "comb" : "checkerboard");
}
BENCHMARK(BM_LabelItems_PeakMemory)->Args({8192, 0})->Args({8192, 1})->Apply(PeakCase);

// The lacunarity curve on all threads (mode 1), where every thread holds a band.
void BM_LacunarityCurve_PeakMemory(benchmark::State& state) {
  MeasurePeak(state, kLacunarity);
  state.SetLabel("all threads");
}
BENCHMARK(BM_LacunarityCurve_PeakMemory)->Args({8192, 1})->Apply(PeakCase);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == kPeakMemoryFlag)
    return RunAndReportPeak(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
