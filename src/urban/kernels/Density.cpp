#include "urban/kernels/Density.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/GrayRange.h"
#include "imaging/Parallel.h"

namespace {

constexpr double kSquareMetresPerSquareKilometre = 1e-6;
constexpr double kPercent = 100.0;
constexpr int kLargestByte = 255;
// Sixteen bytes compared at once, counted in 8-bit lanes added up before any could pass 255: vector
// types of the compiler, run on SSE2 (or any vector unit, or plain bytes where there is none), no branch
// per byte.
using Bytes = std::uint8_t __attribute__((vector_size(16)));
constexpr int kLanes = sizeof(Bytes);
constexpr std::int64_t kLaneRounds = 255;

std::int64_t LaneTotal(Bytes lanes) {
  std::int64_t total = 0;
  for (int l = 0; l < kLanes; ++l) total += lanes[l];
  return total;
}

// The pixels of `count` bytes equal to `value`, and those of them whose gray lies in
// low .. low + span (the gray minus low, wrapping, is at most span).
DensityCounts CountBytes(const std::uint8_t* item, const std::uint8_t* gray, std::int64_t count,
                         std::uint8_t value, std::uint8_t low, std::uint8_t span) {
  DensityCounts counts;
  std::int64_t n = 0;
  while (count - n >= kLanes) {
    Bytes inItem = {}, elements = {};
    const std::int64_t rounds = std::min((count - n) / kLanes, kLaneRounds);
    for (std::int64_t r = 0; r < rounds; ++r, n += kLanes) {
      Bytes items, grays;
      std::memcpy(&items, item + n, sizeof items);
      std::memcpy(&grays, gray + n, sizeof grays);
      // Comparisons give all ones (-1) where true.
      const auto member = items == value;
      inItem -= member;
      elements -= member & ((grays - low) <= span);
    }
    counts.ItemPixels += LaneTotal(inItem);
    counts.ElementPixels += LaneTotal(elements);
  }
  for (; n < count; ++n) {
    const bool member = item[n] == value;
    counts.ItemPixels += member;
    counts.ElementPixels += member & (static_cast<std::uint8_t>(gray[n] - low) <= span);
  }
  return counts;
}

}  // namespace

DensityCounts CountDensity(const BytePlane& gray, const BytePlane& items, int itemValue, int minValue,
                           int maxValue) {
  DensityCounts total;
  if (items.Empty() || gray.Lines() != items.Lines() || gray.Columns() != items.Columns()) return total;
  if (itemValue < 0 || itemValue > kLargestByte) return total;
  const GrayRange grays = MakeGrayRange(minValue, maxValue);
  const std::int64_t columns = items.Columns();
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<DensityCounts> partial(static_cast<std::size_t>(parallel::ChunkCount(items.Lines(), grain)));
  // Planes are contiguous: a chunk of lines is one run of bytes.
  parallel::For(items.Lines(), grain, [&](std::int64_t first, std::int64_t last) {
    partial[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))] =
        CountBytes(items.Data() + first * columns, gray.Data() + first * columns, (last - first) * columns,
                   static_cast<std::uint8_t>(itemValue), grays.low, grays.span);
  });
  for (const DensityCounts& sums : partial) {
    total.ItemPixels += sums.ItemPixels;
    total.ElementPixels += sums.ElementPixels;
  }
  // An empty range of grays holds no element.
  if (grays.empty) total.ElementPixels = 0;
  return total;
}

DensitySurfaces DensitySurfacesOf(const DensityCounts& counts, double pixelSize) {
  DensitySurfaces surfaces;
  const double itemSurface = static_cast<double>(counts.ItemPixels) * pixelSize * pixelSize;
  const double elementSurface = static_cast<double>(counts.ElementPixels) * pixelSize * pixelSize;
  surfaces.ItemSurface = itemSurface * kSquareMetresPerSquareKilometre;
  surfaces.ElementSurface = elementSurface * kSquareMetresPerSquareKilometre;
  surfaces.Percentage = elementSurface / itemSurface * kPercent;
  return surfaces;
}
