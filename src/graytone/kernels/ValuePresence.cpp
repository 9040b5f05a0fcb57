#include "graytone/kernels/ValuePresence.h"

#include <algorithm>
#include <array>
#include <vector>

#include "imaging/Parallel.h"

namespace {

constexpr int kValues = 256;

}  // namespace

ValueSet PresentValues(const BytePlane& image, int border) {
  ValueSet present{};
  border = std::max(border, 0);
  const int top = border, bottom = image.Lines() - border;  // lines [top, bottom)
  const int left = border, right = image.Columns() - border;
  if (image.Empty() || top >= bottom || left >= right) return present;

  // One mark table a chunk: plain stores, no counting, so equal neighbours cost no dependency chain.
  // The marks are made on the worker's own stack and copied once: tables side by side in one vector
  // share cache lines between threads that store into them at every pixel.
  const std::int64_t lines = bottom - top;
  const std::int64_t grain = parallel::RowGrain(right - left);
  const std::int64_t chunks = parallel::ChunkCount(lines, grain);
  std::vector<std::uint8_t> marks(static_cast<std::size_t>(chunks) * kValues, 0);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    std::array<std::uint8_t, kValues> seen{};
    for (std::int64_t k = first; k < last; ++k) {
      const std::uint8_t* row = image[top + static_cast<int>(k)];
      for (int j = left; j < right; ++j) seen[row[j]] = 1;
    }
    std::copy(seen.begin(), seen.end(), marks.begin() + parallel::ChunkIndex(first, grain) * kValues);
  });
  for (std::int64_t chunk = 0; chunk < chunks; ++chunk)
    for (int v = 0; v < kValues; ++v) present[v] = present[v] || marks[chunk * kValues + v] != 0;
  return present;
}

int CountPresent(const ValueSet& present, int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, kValues - 1);
  int n = 0;
  for (int v = first; v <= last; ++v) n += present[v] ? 1 : 0;
  return n;
}
