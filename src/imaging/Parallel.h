#pragma once
// The kernels' threads: one pool of workers that sleep (never spin) between calls, and a loop
// that splits [0, count) into chunks claimed one at a time. The calling thread claims chunks too,
// so on a busy machine, where workers may not get a core, a call costs at most about what one
// thread would: nobody waits for a descheduled worker's fixed share.
//
// Results stay bit-identical whatever the thread count when each chunk writes its own cells, or
// when per-chunk sums are kept apart (indexed by ChunkIndex) and combined in chunk order.
#include <cstdint>
#include <functional>

namespace parallel {

// Threads a kernel may use: the count set below, or else CoresAllowed(). On a busy machine every
// thread still gets its share of a core, and the chunks a late thread would have taken go to the
// others, so all the cores are used whether or not other programs run.
int Threads();
// Fixes the thread count (tests and benchmarks compare 1, 2 and all); 0 restores CoresAllowed().
void SetThreadLimit(int threads);
// The cores this process may run on now: its affinity, within its control group's CPU quota.
int CoresAllowed();

// Calls body(first, last) for consecutive chunks [first, last) of at most `grain` indices covering
// [0, count). With a single chunk, or one thread, everything runs on the calling thread in order.
// A body called from inside another body runs inline. An exception thrown by a body is rethrown
// here once every chunk has ended.
void For(std::int64_t count, std::int64_t grain, const std::function<void(std::int64_t, std::int64_t)>& body);

// The number of chunks For makes, and the chunk of an index: for per-chunk partial results.
inline std::int64_t ChunkCount(std::int64_t count, std::int64_t grain) {
  return count <= 0 ? 0 : grain <= 0 ? 1 : (count + grain - 1) / grain;
}
inline std::int64_t ChunkIndex(std::int64_t first, std::int64_t grain) {
  return grain <= 0 ? 0 : first / grain;
}

// A grain for `count` rows of `rowWork` cells each: chunks of about kChunkWork cells, so that
// small images run on one thread and large ones give every thread several chunks.
inline constexpr std::int64_t kChunkWork = std::int64_t{1} << 18;
// The cells of a chunk: kChunkWork, unless tests set a smaller one so that their small images are
// cut into chunks too (0 restores kChunkWork).
std::int64_t ChunkWork();
void SetChunkWork(std::int64_t cells);
inline std::int64_t RowGrain(std::int64_t rowWork) {
  if (rowWork <= 0) return 1;
  const std::int64_t rows = ChunkWork() / rowWork;
  return rows < 1 ? 1 : rows;
}

}  // namespace parallel
