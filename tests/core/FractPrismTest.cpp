#include <algorithm>
#include <cmath>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "fixtures/Surfaces.h"
#include "graytone/kernels/FractPrism.h"
#include "imaging/LeastSquares.h"

namespace {

// The first treatment, the reference: per pixel and scale eight heights, eight Heron triangles, the fit.
double LiteralSurface(const double dz[8], double a, double b) {
  double area = 0;
  for (int p = 0; p < 8; ++p) {
    const int q = (p + 1) % 8;
    const double e1 = std::sqrt(dz[p] * dz[p] + (p % 2 == 0 ? b * b : a * a));
    const double e2 = std::sqrt(dz[q] * dz[q] + (q % 2 == 0 ? b * b : a * a));
    const double e3 = std::sqrt((dz[q] - dz[p]) * (dz[q] - dz[p]) + a * a);
    const double s = (e1 + e2 + e3) * 0.5;
    area += std::sqrt(s * (s - e1) * (s - e2) * (s - e3));
  }
  return area;
}

struct Literal {
  DoublePlane d;
  double min = 65500.0, max = 0, sum = 0;
};

Literal LiteralPrism(const BytePlane& g) {
  static const int kLine[8] = {-1, -1, -1, 0, 1, 1, 1, 0}, kColumn[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
  const int lines = g.Lines(), columns = g.Columns();
  Literal out{DoublePlane(columns, lines)};
  for (int i = 3; i <= lines - 4; ++i)
    for (int j = 3; j <= columns - 4; ++j) {
      double x[5], y[5];
      for (int k = 1; k <= 5; ++k) {
        const int dist = k <= 2 ? 1 : k <= 4 ? 2 : 3;
        double dz[8];
        for (int p = 0; p < 8; ++p) {
          const int diff = g[i + kLine[p] * dist][j + kColumn[p] * dist] - g[i][j];
          dz[p] = k == 1 ? diff * 0.5 : k == 3 ? diff * 0.25 * 3.0 : k == 5 ? diff * (1.0 / 6) * 5.0 : diff;
        }
        const double factor = k == 1 ? 1 : k == 2 ? 0.25 : k == 3 ? 1.0 / 9 : k == 4 ? 0.0625 : 0.04;
        const double a = 2.5 * k;
        x[k - 1] = std::log(static_cast<double>(k));
        y[k - 1] = std::log(LiteralSurface(dz, a, std::sqrt(2.0) * a) * factor);
      }
      const double d = 2 - LeastSquaresSlope(x, y, 5);
      out.d[i][j] = std::fabs(d - 2) < 1e-9 ? 2 : d;
      if (i < 4 || i > lines - 5 || j < 4 || j > columns - 5) continue;  // the mean and range skip a ring
      out.sum += out.d[i][j] >= 2.0 ? out.d[i][j] : 2.0;
      if (out.d[i][j] >= 2.0)
        out.min = std::min(out.min, out.d[i][j]), out.max = std::max(out.max, out.d[i][j]);
    }
  return out;
}

class FractPrismThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(FractPrismThreads);

}  // namespace

TEST_P(FractPrismThreads, LiteralReferenceHandWorkedCasesAndRefusals) {
  const std::tuple<int, int, int> cases[] = {
      {9, 9, 256}, {40, 31, 256}, {300, 20, 256}, {33, 47, 5}, {70, 12, 60}};
  std::uint32_t seed = 21;
  for (auto [columns, lines, span] : cases) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines << " span " << span);
    BytePlane image = MakeRandomGray(columns, lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % span;
    const Literal literal = LiteralPrism(image);
    DoublePlane d(columns, lines);
    const FractPrismResult r = FractPrism(image, d);
    const int count = (lines - 8) * (columns - 8);
    EXPECT_EQ(std::tuple(r.Computed, std::equal(d.Data(), d.Data() + d.Size(), literal.d.Data()), r.Sum,
                         r.Mean, r.Min, r.Max, r.Count),
              std::tuple(true, true, literal.sum, literal.sum / count, literal.min, literal.max, count));
  }
  // Eight triangles over a square of side 2a, every point c above the centre: each spans (a, 0, c) and
  // (a, a, c), 4a sqrt(a^2 + c^2) in all. A plane z = 0.3 x - 0.4 y: 4a^2 sqrt(1 + 0.09 + 0.16).
  const double a = 5, b = 5 * std::sqrt(2.0), pyramid[8] = {7, 7, 7, 7, 7, 7, 7, 7}, flat[8] = {};
  EXPECT_NEAR(PrismSurface(pyramid, a, b), 4 * a * std::sqrt(a * a + 49), 1e-12);
  EXPECT_NEAR(PrismSurface(flat, a, b), 4 * a * a, 1e-12);
  const double px[8] = {-a, 0, a, a, a, 0, -a, -a}, py[8] = {-a, -a, -a, 0, a, a, a, 0};
  double plane[8];  // points from up-left clockwise, x rightwards and y downwards
  for (int p = 0; p < 8; ++p) plane[p] = 0.3 * px[p] - 0.4 * py[p];
  EXPECT_NEAR(PrismSurface(plane, a, b), 4 * a * a * std::sqrt(1.25), 1e-12);
  // Flat or tilted: D = 2 (snapped from rounding). Fewer than 9 lines or columns: nothing computed.
  for (auto [b, c] : {std::pair{0, 0}, {3, 0}, {2, 5}}) {
    DoublePlane d(20, 15);
    const FractPrismResult r = FractPrism(fixtures::TiltedPlane(20, 15, 40, b, c), d);
    EXPECT_EQ(std::tuple(r.Min, r.Max, r.Mean, d[3][3]), std::tuple(2.0, 2.0, 2.0, 2.0));
  }
  for (auto [columns, lines, shown] : {std::tuple{8, 30, 8}, {30, 8, 30}, {0, 0, 0}, {20, 20, 5}}) {
    DoublePlane d(shown, shown == columns ? lines : 5);  // the last one of another size
    EXPECT_FALSE(FractPrism(BytePlane(columns, lines), d).Computed) << columns << "x" << lines;
  }
}
