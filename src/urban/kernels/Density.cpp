#include "urban/kernels/Density.h"

#include <vector>

#include "imaging/Parallel.h"

namespace {

constexpr double kSquareMetresPerSquareKilometre = 1e-6;
constexpr double kPercent = 100.0;

}  // namespace

DensityCounts CountDensity(const BytePlane& gray, const BytePlane& items, int itemValue, int minValue,
                           int maxValue) {
  DensityCounts total;
  if (items.Empty() || gray.Lines() != items.Lines() || gray.Columns() != items.Columns()) return total;
  const int columns = items.Columns();
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<DensityCounts> partial(static_cast<std::size_t>(parallel::ChunkCount(items.Lines(), grain)));
  parallel::For(items.Lines(), grain, [&](std::int64_t first, std::int64_t last) {
    DensityCounts& sums = partial[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))];
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* item = items[i];
      const std::uint8_t* g = gray[i];
      std::int64_t inItem = 0, elements = 0;
      for (int j = 0; j < columns; ++j) {
        const bool member = item[j] == itemValue;
        inItem += member;
        elements += member && g[j] >= minValue && g[j] <= maxValue;
      }
      sums.ItemPixels += inItem;
      sums.ElementPixels += elements;
    }
  });
  for (const DensityCounts& sums : partial) {
    total.ItemPixels += sums.ItemPixels;
    total.ElementPixels += sums.ElementPixels;
  }
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
