#include "graytone/kernels/Lacunarity.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/Parallel.h"

namespace {

constexpr std::int64_t kColumnBlock = 256;

using Wide = unsigned __int128;

// Sums of one line of box positions: the vertical box sums of the line, their running sums across,
// then each box as a difference of two running sums.
void AddLine(const std::uint32_t* top, const std::uint32_t* bottom, int columns, int k,
             std::vector<std::uint64_t>& across, GlidingBoxMoments& moments) {
  // across[x] = sum over columns < x of the box's column sums (wrapping differences of the
  // running sums are exact: a column sum never exceeds 32 bits).
  across[0] = 0;
  for (int x = 0; x < columns; ++x)
    across[x + 1] = across[x] + static_cast<std::uint32_t>(bottom[x] - top[x]);
  const int w = 2 * k + 1;
  const int positions = columns - 2 * k;
  std::uint64_t sum = 0;
  const std::uint64_t largest = across[columns];  // no box holds more than the whole line band
  if (largest == 0) return;
  // Squares of masses below 2^32 fit 64 bits; a line of them fits as long as their total does.
  const bool narrow =
      largest < (std::uint64_t{1} << 32) &&
      static_cast<Wide>(largest) * largest * static_cast<Wide>(positions) < (static_cast<Wide>(1) << 64);
  if (narrow) {
    std::uint64_t squares = 0;
    for (int j = 0; j < positions; ++j) {
      const std::uint64_t mass = across[j + w] - across[j];
      sum += mass;
      squares += mass * mass;
    }
    moments.SumOfSquares += squares;
  } else {
    Wide squares = 0;
    for (int j = 0; j < positions; ++j) {
      const std::uint64_t mass = across[j + w] - across[j];
      sum += mass;
      squares += static_cast<Wide>(mass) * mass;
    }
    moments.SumOfSquares += squares;
  }
  moments.Sum += sum;
}

}  // namespace

GlidingBoxes::GlidingBoxes(const BytePlane& image)
    : lines_(image.Lines()), columns_(image.Columns()), above_(image.Columns(), image.Lines() + 1) {
  if (image.Empty()) return;
  const std::int64_t blocks = parallel::ChunkCount(columns_, kColumnBlock);
  parallel::For(blocks, 1, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t block = first; block < last; ++block) {
      const int x0 = static_cast<int>(block * kColumnBlock);
      const int x1 = static_cast<int>(std::min<std::int64_t>(x0 + kColumnBlock, columns_));
      for (int y = 0; y < lines_; ++y) {
        const std::uint8_t* row = image[y];
        const std::uint32_t* previous = above_[y];
        std::uint32_t* next = above_[y + 1];
        for (int x = x0; x < x1; ++x) next[x] = previous[x] + row[x];
      }
    }
  });
}

GlidingBoxMoments GlidingBoxes::Moments(int k) const {
  GlidingBoxMoments moments;
  if (k < 0 || above_.Empty()) return moments;
  const std::int64_t w = 2 * static_cast<std::int64_t>(k) + 1;
  if (w > lines_ || w > columns_) return moments;
  const int lines = lines_ - 2 * k;  // box positions down
  moments.Positions = static_cast<std::int64_t>(lines) * (columns_ - 2 * k);
  const std::int64_t grain = parallel::RowGrain(columns_);
  std::vector<GlidingBoxMoments> partial(parallel::ChunkCount(lines, grain));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    GlidingBoxMoments& sums = partial[parallel::ChunkIndex(first, grain)];
    std::vector<std::uint64_t> across(columns_ + 1);
    for (std::int64_t i = first; i < last; ++i)
      AddLine(above_[static_cast<int>(i)], above_[static_cast<int>(i + w)], columns_, k, across, sums);
  });
  for (const GlidingBoxMoments& sums : partial) {
    moments.Sum += sums.Sum;
    moments.SumOfSquares += sums.SumOfSquares;
  }
  return moments;
}

double Lacunarity(const GlidingBoxMoments& moments) {
  if (moments.Sum == 0 || moments.Positions <= 0) return std::numeric_limits<double>::quiet_NaN();
  const Wide sumSquared = static_cast<Wide>(moments.Sum) * moments.Sum;
  Wide numerator = 0;
  if (__builtin_mul_overflow(moments.SumOfSquares, static_cast<Wide>(moments.Positions), &numerator)) {
    // Beyond 128 bits (images of billions of pixels): the nearest long doubles.
    const long double n = static_cast<long double>(moments.Positions);
    const long double s1 = static_cast<long double>(moments.Sum);
    return static_cast<double>(static_cast<long double>(moments.SumOfSquares) * n / (s1 * s1));
  }
  // One integer division: whole part and remainder, so equal moments give exactly 1.
  const Wide whole = numerator / sumSquared;
  const Wide remainder = numerator % sumSquared;
  return static_cast<double>(whole) + static_cast<double>(remainder) / static_cast<double>(sumSquared);
}

std::vector<LacunarityPoint> LacunarityCurve(const BytePlane& image, int kMin, int kMax) {
  std::vector<LacunarityPoint> points;
  if (image.Empty()) return points;
  // No box of a larger K fits the image.
  const int kFit = (std::min(image.Lines(), image.Columns()) - 1) / 2;
  const int last = std::min(kMax, kFit);
  if (std::max(kMin, 0) > last) return points;
  const GlidingBoxes boxes(image);
  for (int k = std::max(kMin, 0); k <= last; ++k) {
    const double value = Lacunarity(boxes.Moments(k));
    if (std::isnan(value)) continue;
    LacunarityPoint point;
    point.K = k;
    point.Window = 2 * k + 1;
    point.Value = value;
    point.LogWindow = std::log10(static_cast<float>(point.Window));
    point.LogValue = std::log10(static_cast<float>(value));
    points.push_back(point);
  }
  return points;
}

LacunarityFit FitLacunarity(const std::vector<LacunarityPoint>& points) {
  LacunarityFit fit;
  const int n = static_cast<int>(points.size());
  if (n < 2) return fit;
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  bool spreadX = false, spreadY = false;
  for (const LacunarityPoint& point : points) {
    const auto x = static_cast<float>(point.LogWindow), y = static_cast<float>(point.LogValue);
    spreadX = spreadX || point.LogWindow != points[0].LogWindow;
    spreadY = spreadY || point.LogValue != points[0].LogValue;
    sx += x;
    sy += y;
    sxx += x * x;
    syy += y * y;
    sxy += x * y;
  }
  const double num = n * sxy - sx * sy;
  const double dx = n * sxx - sx * sx;
  const double dy = n * syy - sy * sy;
  if (!spreadX || !spreadY || !(dx * dy > 0)) return fit;
  fit.Defined = true;
  fit.Correlation = num / std::sqrt(dx * dy);
  fit.R2 = fit.Correlation * fit.Correlation;
  return fit;
}
