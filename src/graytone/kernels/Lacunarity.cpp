#include "graytone/kernels/Lacunarity.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"
#include "imaging/PixelLoop.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::int64_t kColumnBlock = 256;
constexpr std::uint64_t kLargestGray = 255;
// Box positions across a curve's tile, so that the band of summed lines it slides down stays in the
// second-level cache; a tile of the default chunk work is 2048 x 128 positions.
constexpr std::int64_t kStripPositions = 2048;
constexpr std::int64_t kFewestStripPositions = 8;
constexpr std::int64_t kChunkWorkPerStripPosition = 128;

using Wide = unsigned __int128;

constexpr Wide kTwoTo32 = static_cast<Wide>(1) << 32;
constexpr Wide kTwoTo64 = static_cast<Wide>(1) << 64;

// Differences of wrapping sums: exact, since the box itself holds less than 2^32.
inline std::uint32_t Mass(const std::uint32_t* top, const std::uint32_t* bottom, int j, int w) {
  return (bottom[j + w] - top[j + w]) - (bottom[j] - top[j]);
}

// A line of boxes, the masses summed in `Sum` and their squares in `Squares`: the narrower the types
// that hold the line's totals exactly, the more boxes a vector takes.
template <class Sum, class Squares>
VORN_PIXEL_LOOP void AddMasses(const std::uint32_t* top, const std::uint32_t* bottom, int positions, int w,
                               GlidingBoxMoments& sums) {
  Sum sum = 0;
  Squares squares = 0;
  for (int j = 0; j < positions; ++j) {
    const std::uint32_t mass = Mass(top, bottom, j, w);
    sum += mass;
    squares += static_cast<std::uint64_t>(mass) * mass;
  }
  sums.Sum += sum;
  sums.SumOfSquares += squares;
}

// Boxes that may hold 2^32 or more: the exact column sums of the band, and their running sums
// across in 64 bits.
void AddLargeMasses(const std::uint32_t* top, const std::uint32_t* bottom, int positions, int w,
                    std::vector<std::uint64_t>& across, GlidingBoxMoments& sums) {
  const int columns = positions + w - 1;
  across.resize(static_cast<std::size_t>(columns) + 1);
  across[0] = 0;
  for (int x = 0; x < columns; ++x)
    across[x + 1] =
        across[x] + static_cast<std::uint32_t>((bottom[x + 1] - top[x + 1]) - (bottom[x] - top[x]));
  std::uint64_t sum = 0;
  Wide squares = 0;
  for (int j = 0; j < positions; ++j) {
    const std::uint64_t mass = across[j + w] - across[j];
    sum += mass;
    squares += static_cast<Wide>(mass) * mass;
  }
  sums.Sum += sum;
  sums.SumOfSquares += squares;
}

// One line of boxes of side w between the summed lines `top` and `bottom`, in the narrowest sums
// that hold it exactly.
void AddLine(const std::uint32_t* top, const std::uint32_t* bottom, int positions, int w,
             std::vector<std::uint64_t>& across, GlidingBoxMoments& sums) {
  const std::uint64_t heaviest = kLargestGray * static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(w);
  if (heaviest >= kTwoTo32) return AddLargeMasses(top, bottom, positions, w, across, sums);
  // Masses summing below 2^32 have squares summing below 2^64.
  if (static_cast<Wide>(heaviest) * static_cast<Wide>(positions) < kTwoTo32)
    return AddMasses<std::uint32_t, std::uint64_t>(top, bottom, positions, w, sums);
  if (static_cast<Wide>(heaviest) * heaviest * static_cast<Wide>(positions) < kTwoTo64)
    return AddMasses<std::uint64_t, std::uint64_t>(top, bottom, positions, w, sums);
  AddMasses<std::uint64_t, Wide>(top, bottom, positions, w, sums);
}

// The next summed line of a band: the line above plus the running sums of `count` pixels.
void NextSummedLine(const std::uint8_t* pixels, int count, const std::uint32_t* above, std::uint32_t* below) {
  below[0] = 0;
  std::uint32_t run = 0;
  int x = 0;
#if defined(__SSE2__)
  // Sixteen pixels at a time: running sums within halves of eight 16-bit lanes (at most 8 x 255), then
  // quarters widened to 32 bits, each plus the sum of the pixels before it.
  const __m128i zero = _mm_setzero_si128();
  __m128i carry = zero;
  const auto store = [&](int at, __m128i sums) {
    const auto* from = reinterpret_cast<const __m128i*>(above + 1 + at);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(below + 1 + at), _mm_add_epi32(sums, _mm_loadu_si128(from)));
  };
  for (; x + 16 <= count; x += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
    __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
    low = _mm_add_epi16(low, _mm_slli_si128(low, 2));
    high = _mm_add_epi16(high, _mm_slli_si128(high, 2));
    low = _mm_add_epi16(low, _mm_slli_si128(low, 4));
    high = _mm_add_epi16(high, _mm_slli_si128(high, 4));
    low = _mm_add_epi16(low, _mm_slli_si128(low, 8));
    high = _mm_add_epi16(high, _mm_slli_si128(high, 8));
    const __m128i q0 = _mm_add_epi32(_mm_unpacklo_epi16(low, zero), carry);
    const __m128i q1 = _mm_add_epi32(_mm_unpackhi_epi16(low, zero), carry);
    carry = _mm_shuffle_epi32(q1, 0xFF);
    const __m128i q2 = _mm_add_epi32(_mm_unpacklo_epi16(high, zero), carry);
    const __m128i q3 = _mm_add_epi32(_mm_unpackhi_epi16(high, zero), carry);
    carry = _mm_shuffle_epi32(q3, 0xFF);
    store(x, q0), store(x + 4, q1), store(x + 8, q2), store(x + 12, q3);
  }
  run = static_cast<std::uint32_t>(_mm_cvtsi128_si32(carry));
#endif
  for (; x < count; ++x) below[x + 1] = above[x + 1] + (run += pixels[x]);
}

// A curve's boxes cut into tiles of box centres, `strip` columns by `height` lines, each with its own
// band of summed lines.
struct CurveTiles {
  int first = 0, last = 0;  // K
  int strip = 0, height = 0;
  int across = 0, down = 0;          // tiles
  int bandLines = 0, bandWidth = 0;  // the largest band, in sums

  CurveTiles(int lines, int columns, int kFirst, int kLast) : first(kFirst), last(kLast) {
    // Tiles at least four largest boxes wide and tall: a tile sums its band's overlap with its
    // neighbours again.
    const std::int64_t fewest = 4 * (static_cast<std::int64_t>(kLast) + 1);
    const std::int64_t work = parallel::ChunkWork();
    const std::int64_t strip64 = std::max(
        std::clamp(work / kChunkWorkPerStripPosition, kFewestStripPositions, kStripPositions), fewest);
    const std::int64_t height64 = std::max(work / strip64, fewest);
    // Centres of the smallest boxes: every other size's centres lie within.
    const int centreLines = lines - 2 * kFirst, centreColumns = columns - 2 * kFirst;
    strip = static_cast<int>(std::min<std::int64_t>(strip64, centreColumns));
    height = static_cast<int>(std::min<std::int64_t>(height64, centreLines));
    across = (centreColumns + strip - 1) / strip;
    down = (centreLines + height - 1) / height;
    bandLines = std::min(2 * kLast + 2, lines + 1);
    bandWidth =
        static_cast<int>(std::min<std::int64_t>(strip + 2 * static_cast<std::int64_t>(kLast), columns)) + 1;
  }
  std::int64_t Count() const { return static_cast<std::int64_t>(across) * down; }
  // The bands summed at once, against the summed table of the whole image.
  bool BandsFit(int lines, int columns) const {
    const auto bands = static_cast<std::uint64_t>(std::min<std::int64_t>(Count(), parallel::Threads()));
    const std::uint64_t band = static_cast<std::uint64_t>(bandLines) * static_cast<std::uint64_t>(bandWidth);
    const std::uint64_t table =
        (static_cast<std::uint64_t>(lines) + 1) * (static_cast<std::uint64_t>(columns) + 1);
    return 2 * bands * band <= table;
  }
};

// The boxes centred in tile t, each size's sums into sums[K - first]. The band's sums start from 0
// at the tile's first line and column: box sums are differences of them, which do not change.
void AddTile(const BytePlane& image, const CurveTiles& tiles, std::int64_t t, GlidingBoxMoments* sums) {
  const int lines = image.Lines(), columns = image.Columns(), kLast = tiles.last;
  const int c0 = tiles.first + static_cast<int>(t / tiles.across) * tiles.height;
  const int d0 = tiles.first + static_cast<int>(t % tiles.across) * tiles.strip;
  const int c1 = std::min(c0 + tiles.height, lines - tiles.first);
  const int d1 = std::min(d0 + tiles.strip, columns - tiles.first);
  const int y0 = std::max(0, c0 - kLast), x0 = std::max(0, d0 - kLast);
  const int width = std::min(columns, d1 + kLast) - x0 + 1;
  const int ringLines = std::min(2 * kLast + 2, std::min(lines, c1 + kLast) - y0 + 1);
  std::vector<std::uint32_t> ring(static_cast<std::size_t>(ringLines) * static_cast<std::size_t>(width));
  const auto line = [&](int y) {
    return ring.data() + static_cast<std::size_t>((y - y0) % ringLines) * width;
  };
  std::vector<std::uint64_t> across;
  int built = y0;  // summed lines y0 .. built are in the ring; line y0 is 0
  for (int c = c0; c < c1; ++c) {
    for (const int needed = std::min(lines, c + kLast + 1); built < needed; ++built)
      NextSummedLine(image[built] + x0, width - 1, line(built), line(built + 1));
    for (int k = tiles.first; k <= kLast && c + k < lines; ++k) {
      if (c < k) break;
      const int first = std::max(d0, k), end = std::min(d1, columns - k);
      if (first >= end) break;
      const int offset = first - k - x0;
      AddLine(line(c - k) + offset, line(c + k + 1) + offset, end - first, 2 * k + 1, across,
              sums[k - tiles.first]);
    }
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
  const std::int64_t grain = parallel::RowGrain(columns_);
  std::vector<GlidingBoxMoments> partial(parallel::ChunkCount(lines, grain));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    GlidingBoxMoments& sums = partial[parallel::ChunkIndex(first, grain)];
    std::vector<std::uint64_t> across;
    for (auto i = static_cast<int>(first); i < last; ++i)
      AddLine(sums_[i], sums_[i + w], positions, w, across, sums);
  });
  for (const GlidingBoxMoments& sums : partial) {
    moments.Sum += sums.Sum;
    moments.SumOfSquares += sums.SumOfSquares;
  }
  return moments;
}

std::vector<GlidingBoxMoments> CurveMoments(const BytePlane& image, int kFirst, int kLast) {
  std::vector<GlidingBoxMoments> moments(
      static_cast<std::size_t>(std::max<std::int64_t>(0, std::int64_t{kLast} - kFirst + 1)));
  if (image.Empty()) return moments;
  const int lines = image.Lines(), columns = image.Columns();
  const int first = std::max(kFirst, 0), last = std::min(kLast, (std::min(lines, columns) - 1) / 2);
  if (first > last) return moments;
  for (int k = first; k <= last; ++k)
    moments[k - kFirst].Positions = static_cast<std::int64_t>(lines - 2 * k) * (columns - 2 * k);
  const CurveTiles tiles(lines, columns, first, last);
  if (!tiles.BandsFit(lines, columns)) {
    // Boxes so large that the bands would take half the room of the whole table: one table serves
    // every size.
    const GlidingBoxes boxes(image);
    for (int k = first; k <= last; ++k) moments[k - kFirst] = boxes.Moments(k);
    return moments;
  }
  const int sizes = last - first + 1;
  std::vector<GlidingBoxMoments> partial(static_cast<std::size_t>(tiles.Count() * sizes));
  parallel::For(tiles.Count(), 1, [&](std::int64_t begin, std::int64_t end) {
    for (std::int64_t t = begin; t < end; ++t) AddTile(image, tiles, t, partial.data() + t * sizes);
  });
  for (std::int64_t t = 0; t < tiles.Count(); ++t)
    for (int s = 0; s < sizes; ++s) {
      moments[first - kFirst + s].Sum += partial[t * sizes + s].Sum;
      moments[first - kFirst + s].SumOfSquares += partial[t * sizes + s].SumOfSquares;
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
  const int first = std::max(kMin, 0),
            last = std::min(kMax, (std::min(image.Lines(), image.Columns()) - 1) / 2);
  if (first > last) return points;
  const std::vector<GlidingBoxMoments> moments = CurveMoments(image, first, last);
  for (int k = first; k <= last; ++k) {
    const double value = Lacunarity(moments[k - first]);
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
  fit.Correlation = ClampedCorrelation(num / std::sqrt(dx * dy));
  fit.R2 = fit.Correlation * fit.Correlation;
  return fit;
}
