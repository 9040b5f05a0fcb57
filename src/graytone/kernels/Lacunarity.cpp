#include "graytone/kernels/Lacunarity.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/Parallel.h"

namespace {

constexpr std::int64_t kColumnBlock = 256;
constexpr std::uint64_t kLargestGray = 255;

using Wide = unsigned __int128;

// The squares of one line of masses, in 64 bits while their total is sure to fit.
template <class Squares>
void AddMasses(const std::uint32_t* top, const std::uint32_t* bottom, int positions, int w,
               std::uint64_t& sum, Squares& squares) {
  for (int j = 0; j < positions; ++j) {
    // Differences of wrapping sums: exact, since the box itself holds less than 2^32.
    const std::uint32_t mass = (bottom[j + w] - top[j + w]) - (bottom[j] - top[j]);
    sum += mass;
    squares += static_cast<std::uint64_t>(mass) * mass;
  }
}

// Boxes that may hold 2^32 or more: the exact column sums of the band, and their running sums
// across in 64 bits.
void AddLargeMasses(const std::uint32_t* top, const std::uint32_t* bottom, int columns, int w,
                    std::vector<std::uint64_t>& across, std::uint64_t& sum, Wide& squares) {
  across[0] = 0;
  for (int x = 0; x < columns; ++x)
    across[x + 1] =
        across[x] + static_cast<std::uint32_t>((bottom[x + 1] - top[x + 1]) - (bottom[x] - top[x]));
  for (int j = 0; j + w <= columns; ++j) {
    const std::uint64_t mass = across[j + w] - across[j];
    sum += mass;
    squares += static_cast<Wide>(mass) * mass;
  }
}

}  // namespace

GlidingBoxes::GlidingBoxes(const BytePlane& image)
    : lines_(image.Lines()),
      columns_(image.Columns()),
      // Not zero-filled: every cell is written below, and a fresh plane is touched first by the
      // threads that fill it.
      sums_(image.Columns() + 1, image.Lines() + 1, kForOverwrite) {
  if (image.Empty()) return;
  // Running sums along each line, then down each column; line 0 and column 0 are 0.
  std::fill(sums_[0], sums_[0] + columns_ + 1, 0u);
  parallel::For(lines_, parallel::RowGrain(columns_), [&](std::int64_t first, std::int64_t last) {
    for (auto y = static_cast<int>(first); y < last; ++y) {
      const std::uint8_t* row = image[y];
      std::uint32_t* out = sums_[y + 1];
      std::uint32_t run = 0;
      out[0] = 0;
      for (int x = 0; x < columns_; ++x) out[x + 1] = run += row[x];
    }
  });
  const std::int64_t blocks = parallel::ChunkCount(columns_ + 1, kColumnBlock);
  parallel::For(blocks, 1, [&](std::int64_t first, std::int64_t last) {
    const auto x0 = static_cast<int>(first * kColumnBlock);
    const auto x1 = static_cast<int>(std::min<std::int64_t>(last * kColumnBlock, columns_ + 1));
    for (int y = 1; y <= lines_; ++y) {
      const std::uint32_t* above = sums_[y - 1];
      std::uint32_t* line = sums_[y];
      for (int x = x0; x < x1; ++x) line[x] += above[x];
    }
  });
}

GlidingBoxMoments GlidingBoxes::Moments(int k) const {
  GlidingBoxMoments moments;
  if (k < 0 || sums_.Empty()) return moments;
  const std::int64_t w64 = 2 * static_cast<std::int64_t>(k) + 1;
  if (w64 > lines_ || w64 > columns_) return moments;
  const int w = static_cast<int>(w64);
  const int lines = lines_ - 2 * k, positions = columns_ - 2 * k;  // box positions down and across
  moments.Positions = static_cast<std::int64_t>(lines) * positions;
  const std::uint64_t heaviest = kLargestGray * static_cast<std::uint64_t>(w64 * w64);
  const bool boxFits = heaviest < (std::uint64_t{1} << 32);
  const bool lineFits = boxFits && static_cast<Wide>(heaviest) * heaviest * static_cast<Wide>(positions) <
                                       (static_cast<Wide>(1) << 64);
  const std::int64_t grain = parallel::RowGrain(columns_);
  std::vector<GlidingBoxMoments> partial(parallel::ChunkCount(lines, grain));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    GlidingBoxMoments& sums = partial[parallel::ChunkIndex(first, grain)];
    std::vector<std::uint64_t> across(boxFits ? 0 : columns_ + 1);
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint32_t* top = sums_[i];
      const std::uint32_t* bottom = sums_[i + w];
      std::uint64_t sum = 0;
      if (lineFits) {
        std::uint64_t squares = 0;
        AddMasses(top, bottom, positions, w, sum, squares);
        sums.SumOfSquares += squares;
      } else if (boxFits) {
        Wide squares = 0;
        AddMasses(top, bottom, positions, w, sum, squares);
        sums.SumOfSquares += squares;
      } else {
        Wide squares = 0;
        AddLargeMasses(top, bottom, columns_, w, across, sum, squares);
        sums.SumOfSquares += squares;
      }
      sums.Sum += sum;
    }
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
