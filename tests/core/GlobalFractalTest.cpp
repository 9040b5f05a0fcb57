#include <algorithm>
#include <cmath>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "fixtures/Surfaces.h"
#include "graytone/kernels/GlobalFractal.h"

namespace {

// As first done: each pixel's distance by a square root, its ring by truncation, the fit as written.
GlobalFractalResult Literal(const BytePlane& image) {
  GlobalFractalResult r;
  const int lines = image.Lines(), columns = image.Columns();
  const int R = std::min(lines, columns) - 2;
  const int ci = lines / 2, cj = columns / 2, g0 = image[ci][cj];
  std::vector<double> count(R + 1), sum(R + 1);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) {
      const double d = std::sqrt(static_cast<double>((j - cj) * (j - cj) + (i - ci) * (i - ci)));
      const int k = static_cast<int>(d);
      if ((i != ci || j != cj) && d < R)
        count[k] += 1, sum[k] += std::fabs(static_cast<double>(image[i][j] - g0));
    }
  for (int k = 1; k <= R - 1; ++k)
    if (count[k] > 0) sum[k] /= count[k];
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0, n = 0;
  for (int k = 1; k < R - 2; ++k) {
    const double x = k * 1.0, y = sum[k], X = std::log(x), Y = std::log(y);
    if (x > 0 && y > 0) sx += X, sy += Y, sxx += X * X, syy += Y * Y, sxy += X * Y, ++n;
  }
  const double mx = sx / n, my = sy / n;
  const double vx = sxx / n - mx * mx, vy = syy / n - my * my, cov = sxy / n - mx * my;
  r.PointCount = static_cast<int>(n), r.Dimension = 3 - cov / std::fabs(vx), r.RingMeans = sum;
  r.Correlation = cov / (std::sqrt(vx) * std::sqrt(vy));
  return r;
}

class GlobalFractalThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(GlobalFractalThreads);

}  // namespace

TEST_P(GlobalFractalThreads, LiteralReferenceHandWorkedCasesAndRefusals) {
  const std::pair<int, int> sizes[] = {{64, 64}, {65, 40}, {31, 90}, {200, 201}, {8, 8}};
  std::uint32_t seed = 3;
  for (auto [columns, lines] : sizes) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines);
    const BytePlane image = MakeRandomGray(columns, lines, seed++);
    const GlobalFractalResult fast = GlobalFractalDimension(image), literal = Literal(image);
    const auto& rings = literal.RingMeans;  // every ring but the centre and the outermost
    EXPECT_EQ(std::tuple(fast.PointCount, fast.Dimension, fast.Correlation,
                         std::equal(rings.begin() + 1, rings.end() - 1, fast.RingMeans.begin() + 1)),
              std::tuple(literal.PointCount, literal.Dimension, literal.Correlation, true));
  }
  // Mean height differences grow linearly with distance: D = 3 - 1, nearly (outer rings, whole grays).
  for (auto [columns, lines, b, c] :
       {std::tuple{200, 200, 0.5, 0.3}, {256, 180, 0.2, 0.6}, {150, 150, 0.0, 0.8}, {160, 210, 0.4, 0.4}}) {
    const GlobalFractalResult r = GlobalFractalDimension(fixtures::TiltedPlane(columns, lines, 20, b, c));
    EXPECT_TRUE(std::fabs(r.Dimension - 2) < 0.1 && r.Correlation > 0.99)
        << r.Dimension << " " << r.Correlation;
  }
  // One ring of differences, a single point: no dimension; nor for an image too small for rings.
  BytePlane ring(40, 40);
  ring[20][25] = 50;
  const GlobalFractalResult one = GlobalFractalDimension(ring);
  EXPECT_EQ(std::tuple(one.PointCount, std::isnan(one.Dimension),
                       std::isnan(GlobalFractalDimension(BytePlane(2, 5)).Dimension),
                       std::isnan(GlobalFractalDimension(BytePlane()).Dimension)),
            std::tuple(1, true, true, true));
}
