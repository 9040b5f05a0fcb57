#include "graytone/kernels/GlobalFractal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "imaging/Parallel.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Largest r with r * r <= n.
std::int64_t IntegerSqrt(std::int64_t n) {
  auto r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
  while (r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

std::int64_t AbsDifferenceSum(const std::uint8_t* first, const std::uint8_t* last, int g0) {
  std::int64_t sum = 0;
  for (const std::uint8_t* p = first; p < last; ++p) sum += std::abs(static_cast<int>(*p) - g0);
  return sum;
}

struct RingSums {
  std::vector<std::int64_t> pixels, sums;
};

// Adds the pixels of row i to their rings. Along a row the distance grows away from the centre
// column, so each ring is one run of columns on either side: no square root per pixel.
void AddRow(const BytePlane& image, int i, int ci, int cj, int g0, std::int64_t radius, RingSums& rings) {
  const std::int64_t di = i - ci;
  const std::int64_t di2 = di * di;
  const int columns = image.Columns();
  const std::uint8_t* row = image[i];
  std::int64_t previous = -1;  // the last |dj| already given to a ring
  for (std::int64_t k = std::llabs(di); k < radius; ++k) {
    // Columns with k <= sqrt(di^2 + dj^2) < k + 1.
    const std::int64_t last = IntegerSqrt((k + 1) * (k + 1) - 1 - di2);
    std::int64_t first = previous + 1;
    previous = last;
    if (first == 0 && di == 0) first = 1;  // the centre itself is not compared with itself
    if (first > last) continue;
    // Right of the centre column (dj >= 0), then left of it (dj >= 1).
    const std::int64_t rightFirst = cj + first, rightLast = std::min<std::int64_t>(cj + last, columns - 1);
    if (rightFirst <= rightLast) {
      rings.pixels[k] += rightLast - rightFirst + 1;
      rings.sums[k] += AbsDifferenceSum(row + rightFirst, row + rightLast + 1, g0);
    }
    const std::int64_t leftLast = cj - std::max<std::int64_t>(first, 1);
    const std::int64_t leftFirst = std::max<std::int64_t>(cj - last, 0);
    if (leftFirst <= leftLast) {
      rings.pixels[k] += leftLast - leftFirst + 1;
      rings.sums[k] += AbsDifferenceSum(row + leftFirst, row + leftLast + 1, g0);
    }
  }
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
  if (spreadY) result.Correlation = cov / (std::sqrt(varX) * std::sqrt(varY));
}
