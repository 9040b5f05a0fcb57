// Majority smoothing, worked on the plane itself once it is binary. The first round looks at every
// pixel; after it only a neighbour of a pixel that joined in the previous round can reach 5, so each
// later round looks at those neighbours alone.
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "imaging/Parallel.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr std::uint8_t kIn = 1;
constexpr std::uint8_t kOut = 255;
constexpr std::uint8_t kQueued = 0;  // outside the value, looked at in the current round
constexpr int kMajority = 5;

using Index = std::int64_t;

int CountIn(const std::uint8_t* cell, Index columns) {
  const std::uint8_t* up = cell - columns;
  const std::uint8_t* down = cell + columns;
  return (up[-1] == kIn) + (up[0] == kIn) + (up[1] == kIn) + (cell[-1] == kIn) + (cell[0] == kIn) +
         (cell[1] == kIn) + (down[-1] == kIn) + (down[0] == kIn) + (down[1] == kIn);
}

// Three bytes from `p` as the low bytes of a word.
std::uint32_t Three(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16;
}

// Whether a neighbour of the pixel at `cell` is outside the value, tested a line at a time.
bool HasOutsideNeighbour(const std::uint8_t* cell, Index columns) {
  constexpr std::uint32_t kOnes = 0x01010101u, kHighs = 0x80808080u;
  // A byte of `inverted` is 0 where a pixel is kOut; the bytes not looked at are made nonzero.
  auto anyZero = [](std::uint32_t inverted) { return ((inverted - kOnes) & ~inverted & kHighs) != 0; };
  return anyZero(~Three(cell - columns - 1) | 0xFF000000u) || anyZero(~Three(cell - 1) | 0xFF00FF00u) ||
         anyZero(~Three(cell + columns - 1) | 0xFF000000u);
}

struct RowWork {
  std::vector<std::uint8_t> sums, joins;
};

// The pixels of lines first .. last - 1 that the first round adds, in raster order.
void FirstRound(const BytePlane& plane, int first, int last, RowWork& w, std::vector<Index>& joined) {
  const int columns = plane.Columns();
  w.sums.resize(static_cast<std::size_t>(columns));
  w.joins.assign(static_cast<std::size_t>(columns) + 8, 0);
  std::uint8_t* sums = w.sums.data();
  std::uint8_t* joins = w.joins.data();
  for (int i = first; i < last; ++i) {
    const std::uint8_t* up = plane[i - 1];
    const std::uint8_t* mid = plane[i];
    const std::uint8_t* down = plane[i + 1];
    for (int j = 0; j < columns; ++j) sums[j] = (up[j] == kIn) + (mid[j] == kIn) + (down[j] == kIn);
    for (int j = 1; j + 1 < columns; ++j)
      joins[j] = (sums[j - 1] + sums[j] + sums[j + 1] >= kMajority) & (mid[j] != kIn);
    // Eight columns at a time: most lines have few pixels to add.
    for (int j = 1; j + 1 < columns; j += 8) {
      std::uint64_t eight;
      std::memcpy(&eight, joins + j, sizeof eight);
      if (eight == 0) continue;
      for (int k = j; k < j + 8 && k + 1 < columns; ++k)
        if (joins[k]) joined.push_back(static_cast<Index>(i) * columns + k);
    }
  }
}

}  // namespace

int MajoritySmoothing(BytePlane& plane, int itemValue) {
  if (plane.Empty()) return 0;
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  const std::int64_t grain = parallel::RowGrain(columns);
  // A value no byte holds leaves nothing of the value.
  const bool possible = itemValue >= 0 && itemValue <= 255;
  const auto value = static_cast<std::uint8_t>(possible ? itemValue : 0);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* row = plane[i];
      if (!possible) {
        std::memset(row, kOut, static_cast<std::size_t>(columns));
        continue;
      }
      for (int j = 0; j < columns; ++j) row[j] = row[j] == value ? kIn : kOut;
    }
  });
  if (lines < 3 || columns < 3) return 0;

  std::vector<std::vector<Index>> chunkJoins(
      static_cast<std::size_t>(parallel::ChunkCount(lines - 2, grain)));
  parallel::For(lines - 2, grain, [&](std::int64_t first, std::int64_t last) {
    RowWork work;
    FirstRound(plane, static_cast<int>(first) + 1, static_cast<int>(last) + 1, work,
               chunkJoins[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))]);
  });
  std::vector<Index> joined;
  for (const auto& joins : chunkJoins) joined.insert(joined.end(), joins.begin(), joins.end());
  chunkJoins.clear();

  std::uint8_t* cells = plane.Data();
  const Index stride = columns;
  constexpr int kAround[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};
  std::vector<Index> queued, joins;
  int rounds = 0;
  while (!joined.empty()) {
    ++rounds;
    for (Index p : joined) cells[p] = kIn;
    queued.clear();
    for (Index p : joined) {
      if (!HasOutsideNeighbour(cells + p, stride)) continue;
      const Index line = p / stride, column = p % stride;
      for (const auto& d : kAround) {
        const Index a = line + d[0], b = column + d[1];
        if (a < 1 || a > lines - 2 || b < 1 || b > columns - 2) continue;
        const Index q = a * stride + b;
        if (cells[q] != kOut) continue;
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
  return rounds;
}
