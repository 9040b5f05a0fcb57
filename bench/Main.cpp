// The benchmarks' entry point. "vorn_bench --label-peak-memory N P" instead labels an N x N picture
// (P 0: the comb, whose lines repeat; 1: a checkerboard, one-pixel runs on lines that never repeat)
// in a process of its own and prints its peak resident size, which BM_LabelItems_PeakMemory reports.
// Its yardstick is the picture's own bytes (peak_over_image).
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

extern char** environ;

namespace {

constexpr const char* kPeakMemoryFlag = "--label-peak-memory";

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

// Prints the peak before the image is made, the peak after labeling it, and the image's bytes.
int LabelAndReportPeak(int size, int pattern) {
  const long before = PeakResidentKiB();
  const BytePlane& binary = pattern == 0 ? bench::Comb(size) : bench::Checkerboard(size);
  PixelStack stack;
  const LabelingResult result = LabelItems(binary, 0, INT_MAX, stack);
  if (result.ItemCount != 1 || result.Labeled.Empty()) return 1;
  std::printf("%ld %ld %lld\n", before, PeakResidentKiB(), static_cast<long long>(binary.Size()));
  return 0;
}

// Peak resident size of labeling, all threads, measured in a new process.
void BM_LabelItems_PeakMemory(benchmark::State& state) {
  const std::string size = std::to_string(state.range(0));
  std::string pattern = std::to_string(state.range(1));
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
    char* argv[] = {self.data(), flag.data(), const_cast<char*>(size.c_str()), pattern.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::FILE* out = fdopen(pipeEnds[0], "r");
    const bool read = out != nullptr && std::fscanf(out, "%ld %ld %lld", &before, &peak, &imageBytes) == 3;
    if (out != nullptr) std::fclose(out);
    int status = 0;
    if (spawned == 0) waitpid(child, &status, 0);
    if (spawned != 0 || !read || status != 0) return state.SkipWithError("the labeling process failed");
  }
  state.counters["peak_MiB"] = static_cast<double>(peak) / 1024.0;
  state.counters["peak_over_image"] = static_cast<double>(peak) * 1024.0 / static_cast<double>(imageBytes);
  state.counters["start_MiB"] = static_cast<double>(before) / 1024.0;
  state.SetLabel(state.range(1) == 0 ? "comb" : "checkerboard");
}
BENCHMARK(BM_LabelItems_PeakMemory)
    ->Args({8192, 0})
    ->Args({8192, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == kPeakMemoryFlag)
    return LabelAndReportPeak(std::atoi(argv[2]), std::atoi(argv[3]));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
