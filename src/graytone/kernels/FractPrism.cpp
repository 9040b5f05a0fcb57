#include "graytone/kernels/FractPrism.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"
#include "imaging/PixelLoop.h"

namespace {

constexpr int kScales = 5;
constexpr int kPoints = 8;
constexpr int kGrays = 256;
constexpr int kDifferences = 2 * kGrays - 1;  // gray differences -255 .. 255
constexpr int kBlock = 256;                   // pixels of a line computed together
constexpr int kWorkPerPixel = 64;             // about the cost of a pixel in cells, for the grain

constexpr int kDistance[kScales] = {1, 1, 2, 2, 3};  // pixels from the centre to the points
constexpr double kFactor[kScales] = {1, 0.25, 1.0 / 9, 0.0625, 0.04};
// Offsets of the points in units of the distance, in the order of PrismSurface.
constexpr int kPointLine[kPoints] = {-1, -1, -1, 0, 1, 1, 1, 0};
constexpr int kPointColumn[kPoints] = {-1, 0, 1, 1, 1, 0, -1, -1};

double HalfSide(int scale) {
  return 2.5 * (scale + 1);
}

// Height of a point above the centre at a scale, from their gray difference d.
double Dz(int scale, int d) {
  switch (scale) {
    case 0:
      return d * 0.5;
    case 2:
      return d * 0.25 * 3.0;
    case 4:
      return d * (1.0 / 6) * 5.0;
    default:
      return d;
  }
}

inline double Heron(double e1, double e2, double e3) {
  const double s = (e1 + e2 + e3) * 0.5;
  return std::sqrt(s * (s - e1) * (s - e2) * (s - e3));
}

// Edges that depend only on a gray difference, computed once for every difference. At the first four
// scales the heights are exact, so the rise between two points is the height of the difference of
// their grays and a ring edge is the side edge of that difference; at the fifth scale the heights are
// rounded and the ring edges are computed pixel by pixel.
struct EdgeTables {
  std::array<double, kDifferences> corner[kScales], side[kScales], dz5;

  EdgeTables() {
    for (int k = 0; k < kScales; ++k) {
      const double a = HalfSide(k), b = std::sqrt(2.0) * a;
      for (int d = -(kGrays - 1); d < kGrays; ++d) {
        const double dz = Dz(k, d);
        corner[k][d + kGrays - 1] = std::sqrt(dz * dz + b * b);
        side[k][d + kGrays - 1] = std::sqrt(dz * dz + a * a);
        if (k == kScales - 1) dz5[d + kGrays - 1] = dz;
      }
    }
  }
};

const EdgeTables& Tables() {
  static const EdgeTables tables;
  return tables;
}

// One line of pixels, a block at a time: the tabled edges gathered pixel by pixel, then the areas and
// their sums computed over the block, each pixel's sum in the order of its triangles.
class LineWork {
 public:
  explicit LineWork(const BytePlane& image) : image_(image), t_(Tables()) {
    for (int k = 0; k < kScales; ++k) logScales_[k] = std::log(static_cast<double>(k + 1));
  }

  VORN_PIXEL_LOOP void Run(int i, double* out) {
    const int columns = image_.Columns();
    for (int j0 = kPrismBorder; j0 < columns - kPrismBorder; j0 += kBlock) {
      const int n = std::min(kBlock, columns - kPrismBorder - j0);
      for (int k = 0; k < kScales; ++k) Surfaces(i, j0, n, k);
      for (int jj = 0; jj < n; ++jj) {
        double y[kScales];
        for (int k = 0; k < kScales; ++k) y[k] = logArea_[k][jj];
        double d = 2 - LeastSquaresSlope(logScales_, y, kScales);
        if (std::fabs(d - 2) < kPrismSnap) d = 2;
        out[j0 + jj] = d;
      }
    }
  }

 private:
  void Surfaces(int i, int j0, int n, int k) {
    const int dist = kDistance[k];
    const std::uint8_t* centre = image_[i] + j0;
    const std::uint8_t* points[kPoints];
    for (int p = 0; p < kPoints; ++p)
      points[p] = image_[i + kPointLine[p] * dist] + j0 + kPointColumn[p] * dist;
    for (int p = 0; p < kPoints; ++p) {
      const double* table = (p % 2 == 0 ? t_.corner[k] : t_.side[k]).data() + kGrays - 1;
      for (int jj = 0; jj < n; ++jj) centreEdge_[p][jj] = table[points[p][jj] - centre[jj]];
    }
    for (int p = 0; p < kPoints; ++p) {
      const std::uint8_t* from = points[p];
      const std::uint8_t* to = points[(p + 1) % kPoints];
      if (k < kScales - 1) {
        const double* table = t_.side[k].data() + kGrays - 1;
        for (int jj = 0; jj < n; ++jj) ringEdge_[p][jj] = table[to[jj] - from[jj]];
      } else {
        const double* dz = t_.dz5.data() + kGrays - 1;
        const double a2 = HalfSide(k) * HalfSide(k);
        for (int jj = 0; jj < n; ++jj) {
          const double rise = dz[to[jj] - centre[jj]] - dz[from[jj] - centre[jj]];
          ringEdge_[p][jj] = std::sqrt(rise * rise + a2);
        }
      }
    }
    double* surface = logArea_[k];
    std::fill(surface, surface + n, 0.0);
    for (int p = 0; p < kPoints; ++p) {
      const double* e1 = centreEdge_[p];
      const double* e2 = centreEdge_[(p + 1) % kPoints];
      const double* e3 = ringEdge_[p];
      for (int jj = 0; jj < n; ++jj) surface[jj] += Heron(e1[jj], e2[jj], e3[jj]);
    }
    for (int jj = 0; jj < n; ++jj) surface[jj] = std::log(surface[jj] * kFactor[k]);
  }

  const BytePlane& image_;
  const EdgeTables& t_;
  double logScales_[kScales];
  double centreEdge_[kPoints][kBlock], ringEdge_[kPoints][kBlock];
  double logArea_[kScales][kBlock];
};

}  // namespace

double PrismSurface(const double dz[8], double a, double b) {
  double edge[kPoints], ring[kPoints];
  for (int p = 0; p < kPoints; ++p) {
    edge[p] = std::sqrt(dz[p] * dz[p] + (p % 2 == 0 ? b * b : a * a));
    const double rise = dz[(p + 1) % kPoints] - dz[p];
    ring[p] = std::sqrt(rise * rise + a * a);
  }
  double surface = 0;
  for (int p = 0; p < kPoints; ++p) surface += Heron(edge[p], edge[(p + 1) % kPoints], ring[p]);
  return surface;
}

FractPrismResult FractPrism(const BytePlane& image, DoublePlane& dimensions,
                            const std::function<void(double)>& progress) {
  FractPrismResult result;
  const int lines = image.Lines(), columns = image.Columns();
  if (lines < 2 * kPrismStatBorder + 1 || columns < 2 * kPrismStatBorder + 1 || dimensions.Lines() != lines ||
      dimensions.Columns() != columns)
    return result;

  const int computedLines = lines - 2 * kPrismBorder;
  const std::int64_t grain = parallel::RowGrain(static_cast<std::int64_t>(columns) * kWorkPerPixel);
  const std::int64_t chunks = parallel::ChunkCount(computedLines, grain);
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<std::int64_t> done{0};
  parallel::For(computedLines, grain, [&](std::int64_t first, std::int64_t last) {
    auto work = std::make_unique<LineWork>(image);
    for (auto i = static_cast<int>(first) + kPrismBorder; i < last + kPrismBorder; ++i)
      work->Run(i, dimensions[i]);
    const std::int64_t finished = ++done;
    if (progress && std::this_thread::get_id() == caller)
      progress(static_cast<double>(finished) / static_cast<double>(chunks));
  });

  // Statistics in raster order, as the pixels were once computed one after the other.
  result.Computed = true;
  for (int i = kPrismStatBorder; i <= lines - kPrismStatBorder - 1; ++i) {
    const double* row = dimensions[i];
    for (int j = kPrismStatBorder; j <= columns - kPrismStatBorder - 1; ++j) {
      const double d = row[j];
      if (d >= 2.0) {
        result.Sum += d;
        if (d < result.Min) result.Min = d;
        if (d > result.Max) result.Max = d;
        result.HasRange = true;
      } else {
        result.Sum += 2.0;
      }
    }
  }
  result.Count = static_cast<std::int64_t>(lines - 2 * kPrismStatBorder) * (columns - 2 * kPrismStatBorder);
  result.Mean = result.Sum / static_cast<double>(result.Count);
  if (progress) progress(1.0);
  return result;
}
