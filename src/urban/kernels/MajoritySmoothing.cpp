// Majority smoothing. The first round looks at every pixel; after it only a neighbour of a pixel that
// joined in the previous round can reach 5, so each later round looks at those neighbours alone.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/Parallel.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr std::uint8_t kOut = 0;
constexpr std::uint8_t kIn = 1;
constexpr std::uint8_t kQueued = 2;  // outside the value, looked at in the current round
constexpr int kMajority = 5;
constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBackground = 255;

using Index = std::int64_t;

int CountIn(const std::uint8_t* cell, Index columns) {
  const std::uint8_t* up = cell - columns;
  const std::uint8_t* down = cell + columns;
  return (up[-1] == kIn) + (up[0] == kIn) + (up[1] == kIn) + (cell[-1] == kIn) + (cell[0] == kIn) +
         (cell[1] == kIn) + (down[-1] == kIn) + (down[0] == kIn) + (down[1] == kIn);
}

// The pixels of lines first .. last - 1 that the first round adds.
void FirstRound(const BytePlane& in, int first, int last, std::vector<Index>& joins) {
  const int columns = in.Columns();
  std::vector<std::uint8_t> sums(static_cast<std::size_t>(columns));
  for (int i = first; i < last; ++i) {
    const std::uint8_t* up = in[i - 1];
    const std::uint8_t* mid = in[i];
    const std::uint8_t* down = in[i + 1];
    for (int j = 0; j < columns; ++j) sums[static_cast<std::size_t>(j)] = up[j] + mid[j] + down[j];
    for (int j = 1; j + 1 < columns; ++j) {
      const int count = sums[static_cast<std::size_t>(j) - 1] + sums[static_cast<std::size_t>(j)] +
                        sums[static_cast<std::size_t>(j) + 1];
      if (count >= kMajority && mid[j] == kOut) joins.push_back(static_cast<Index>(i) * columns + j);
    }
  }
}

}  // namespace

int MajoritySmoothing(BytePlane& plane, int itemValue) {
  if (plane.Empty()) return 0;
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  BytePlane in(columns, lines);
  std::uint8_t* cells = in.Data();
  const std::int64_t grain = parallel::RowGrain(columns);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* row = plane[i];
      std::uint8_t* out = in[i];
      for (int j = 0; j < columns; ++j) out[j] = row[j] == itemValue ? kIn : kOut;
    }
  });

  int rounds = 0;
  if (lines >= 3 && columns >= 3) {
    std::vector<std::vector<Index>> chunkJoins(
        static_cast<std::size_t>(parallel::ChunkCount(lines - 2, grain)));
    parallel::For(lines - 2, grain, [&](std::int64_t first, std::int64_t last) {
      FirstRound(in, static_cast<int>(first) + 1, static_cast<int>(last) + 1,
                 chunkJoins[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))]);
    });
    std::vector<Index> joined;
    for (const auto& joins : chunkJoins) joined.insert(joined.end(), joins.begin(), joins.end());
    chunkJoins.clear();

    const Index stride = columns;
    const Index offsets[8] = {-stride - 1, -stride, -stride + 1, -1, 1, stride - 1, stride, stride + 1};
    std::vector<Index> queued, joins;
    while (!joined.empty()) {
      ++rounds;
      for (Index p : joined) cells[p] = kIn;
      queued.clear();
      for (Index p : joined) {
        for (Index offset : offsets) {
          const Index q = p + offset;
          const Index line = q / stride, column = q % stride;
          if (line < 1 || line > lines - 2 || column < 1 || column > columns - 2 || cells[q] != kOut)
            continue;
          cells[q] = kQueued;
          queued.push_back(q);
        }
      }
      joins.clear();
      for (Index q : queued)
        if (CountIn(cells + q, stride) >= kMajority) joins.push_back(q);
      for (Index q : queued) cells[q] = kOut;
      std::swap(joined, joins);
    }
  }
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* row = in[i];
      std::uint8_t* out = plane[i];
      for (int j = 0; j < columns; ++j) out[j] = row[j] == kIn ? kItem : kBackground;
    }
  });
  return rounds;
}
