#include "graytone/kernels/GlobalFractal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct RingSums {
  std::vector<std::int64_t> pixels, sums;
  std::vector<int> rings;  // scratch: the ring of each column distance of the row
};

// Adds the pixels centre[step * dj], dj = first .. last, to their rings ring[dj].
void AddColumns(const std::uint8_t* centre, int step, int first, int last, const int* ring, int g0,
                RingSums& rings) {
  std::int64_t* pixels = rings.pixels.data();
  std::int64_t* sums = rings.sums.data();
  for (int dj = first; dj <= last; ++dj) {
    const int k = ring[dj];
    sums[k] += std::abs(static_cast<int>(centre[step * dj]) - g0);
    pixels[k] += 1;
  }
}

// Adds the pixels of row i to their rings: each ring from its distance d = sqrt(dj^2 + di^2) as a
// double, truncated, for the distances below the radius. The distances of one row are the same on
// both sides of the centre column, so each is worked out once.
void AddRow(const BytePlane& image, int i, int ci, int cj, int g0, int radius, RingSums& rings) {
  const std::int64_t di = i - ci;
  const std::int64_t di2 = di * di;
  const std::int64_t radius2 = static_cast<std::int64_t>(radius) * radius;
  if (di2 >= radius2) return;
  const int columns = image.Columns();
  // The largest |dj| with dj^2 + di^2 < radius^2, and no further than the image reaches.
  auto reach = static_cast<std::int64_t>(std::sqrt(static_cast<double>(radius2 - 1 - di2)));
  while (reach * reach + di2 >= radius2) --reach;
  const int right = static_cast<int>(std::min<std::int64_t>(reach, columns - 1 - cj));
  const int left = static_cast<int>(std::min<std::int64_t>(reach, cj));
  const int farthest = std::max(right, left);
  std::vector<int>& ring = rings.rings;
  ring.resize(farthest + 1);
  for (int dj = 0; dj <= farthest; ++dj)
    ring[dj] = static_cast<int>(std::sqrt(static_cast<double>(di2 + static_cast<std::int64_t>(dj) * dj)));
  const std::uint8_t* row = image[i];
  // The centre itself is not compared with itself.
  AddColumns(row + cj, 1, di == 0 ? 1 : 0, right, ring.data(), g0, rings);
  AddColumns(row + cj, -1, 1, left, ring.data(), g0, rings);
}

}  // namespace

GlobalFractalResult GlobalFractalDimension(const BytePlane& image) {
  GlobalFractalResult result;
  result.Dimension = result.Correlation = kNaN;
  const int lines = image.Lines(), columns = image.Columns();
  result.Zone = std::min(lines, columns);
  const int radius = result.Zone - 2;
  if (image.Empty() || radius < 1) return result;

  const int ci = lines / 2, cj = columns / 2;
  const int g0 = image[ci][cj];
  // Only the rows within the radius hold ring pixels.
  const int firstRow = std::max(0, ci - radius + 1), lastRow = std::min(lines - 1, ci + radius - 1);
  const std::int64_t rows = lastRow - firstRow + 1;
  const std::int64_t grain = parallel::RowGrain(columns);
  const std::int64_t chunks = parallel::ChunkCount(rows, grain);
  // Integer sums per chunk: exact, so the order of combination cannot change them.
  std::vector<RingSums> partial(chunks);
  parallel::For(rows, grain, [&](std::int64_t first, std::int64_t last) {
    RingSums& rings = partial[parallel::ChunkIndex(first, grain)];
    rings.pixels.assign(radius + 1, 0);
    rings.sums.assign(radius + 1, 0);
    for (std::int64_t r = first; r < last; ++r)
      AddRow(image, firstRow + static_cast<int>(r), ci, cj, g0, radius, rings);
  });

  result.RingPixels.assign(radius + 1, 0);
  result.RingSums.assign(radius + 1, 0);
  for (const RingSums& rings : partial) {
    for (int k = 0; k <= radius; ++k) {
      result.RingPixels[k] += rings.pixels[k];
      result.RingSums[k] += rings.sums[k];
    }
  }
  result.RingMeans.assign(radius + 1, 0.0);
  for (int k = 1; k < radius; ++k)
    if (result.RingPixels[k] > 0)
      result.RingMeans[k] =
          static_cast<double>(result.RingSums[k]) / static_cast<double>(result.RingPixels[k]);
  FitGlobalFractal(result);
  return result;
}

void FitGlobalFractal(GlobalFractalResult& result) {
  const int radius = static_cast<int>(result.RingMeans.size()) - 1;
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  int n = 0;
  double firstX = 0, firstY = 0;
  bool spreadX = false, spreadY = false;
  for (int k = 1; k < radius - 2; ++k) {
    const double x = k * 1.0, y = result.RingMeans[k];
    if (!(x > 0 && y > 0)) continue;
    const double lx = std::log(x), ly = std::log(y);
    if (n == 0) {
      firstX = lx;
      firstY = ly;
    }
    spreadX = spreadX || lx != firstX;
    spreadY = spreadY || ly != firstY;
    sx += lx;
    sy += ly;
    sxx += lx * lx;
    syy += ly * ly;
    sxy += lx * ly;
    ++n;
  }
  result.PointCount = n;
  result.Dimension = result.Correlation = kNaN;
  // A slope needs two points with different distances; a correlation needs different heights too.
  if (n < 2 || !spreadX) return;
  const double mx = sx / n, my = sy / n;
  const double varX = sxx / n - mx * mx;
  const double varY = syy / n - my * my;
  const double cov = sxy / n - mx * my;
  const double slope = cov / std::fabs(varX);
  result.Dimension = 3 - slope;
  if (spreadY) result.Correlation = ClampedCorrelation(cov / (std::sqrt(varX) * std::sqrt(varY)));
}
