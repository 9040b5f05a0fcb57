#include <gtest/gtest.h>

#include <cmath>

#include "fixtures/Patterns.h"
#include "fixtures/Surfaces.h"
#include "graytone/kernels/GlobalFractal.h"
#include "imaging/Parallel.h"

namespace {

// Every pixel's distance by a square root and its ring by truncation, as the treatment first did;
// the fit as written down.
GlobalFractalResult Literal(const BytePlane& image) {
  GlobalFractalResult r;
  const int lines = image.Lines(), columns = image.Columns();
  const int L = std::min(lines, columns), R = L - 2;
  const int ci = lines / 2, cj = columns / 2, g0 = image[ci][cj];
  std::vector<int> count(R + 1, 0);
  std::vector<double> sum(R + 1, 0.0);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) {
      if (i == ci && j == cj) continue;
      const double d = std::sqrt(static_cast<double>((j - cj) * (j - cj) + (i - ci) * (i - ci)));
      if (d < R) {
        const int k = static_cast<int>(d);
        count[k] += 1;
        sum[k] += std::fabs(static_cast<double>(image[i][j] - g0));
      }
    }
  for (int k = 1; k <= R - 1; ++k)
    if (count[k] > 0) sum[k] /= count[k];
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  int n = 0;
  for (int k = 1; k < R - 2; ++k) {
    const double x = k * 1.0, y = sum[k];
    if (x > 0 && y > 0) {
      const double X = std::log(x), Y = std::log(y);
      sx += X, sy += Y, sxx += X * X, syy += Y * Y, sxy += X * Y;
      ++n;
    }
  }
  r.PointCount = n;
  const double mx = sx / n, my = sy / n;
  const double vx = sxx / n - mx * mx, vy = syy / n - my * my, cov = sxy / n - mx * my;
  r.Dimension = 3 - cov / std::fabs(vx);
  r.Correlation = cov / (std::sqrt(vx) * std::sqrt(vy));
  r.RingMeans = sum;
  return r;
}

}  // namespace

TEST(GlobalFractal, EqualsTheLiteralTreatmentOnRandomImages) {
  struct Case {
    int columns, lines;
  };
  std::uint32_t seed = 3;
  for (const Case c : {Case{64, 64}, Case{65, 40}, Case{31, 90}, Case{200, 201}, Case{8, 8}}) {
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines);
    const BytePlane image = MakeRandomGray(c.columns, c.lines, seed++);
    const GlobalFractalResult fast = GlobalFractalDimension(image), literal = Literal(image);
    EXPECT_EQ(fast.PointCount, literal.PointCount);
    EXPECT_EQ(fast.Dimension, literal.Dimension);
    EXPECT_EQ(fast.Correlation, literal.Correlation);
    for (int k = 1; k < static_cast<int>(literal.RingMeans.size()) - 1; ++k)
      EXPECT_EQ(fast.RingMeans[k], literal.RingMeans[k]) << k;
  }
}

TEST(GlobalFractal, SameRingsOnOneThread) {
  const BytePlane image = MakeRandomGray(900, 700, 4);
  const GlobalFractalResult all = GlobalFractalDimension(image);
  parallel::SetThreadLimit(1);
  const GlobalFractalResult one = GlobalFractalDimension(image);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(all.RingSums, one.RingSums);
  EXPECT_EQ(all.RingPixels, one.RingPixels);
}

// The mean height difference grows linearly with the distance: D = 3 - 1, except that the outer
// rings are sampled only along the shorter side and the heights are whole gray values.
TEST(GlobalFractal, TiltedPlaneIsNearlyTwo) {
  struct Case {
    int columns, lines;
    double b, c;
  };
  for (const Case t : {Case{200, 200, 0.5, 0.3}, Case{256, 180, 0.2, 0.6}, Case{150, 150, 0.0, 0.8},
                       Case{160, 210, 0.4, 0.4}}) {
    const GlobalFractalResult result =
        GlobalFractalDimension(fixtures::TiltedPlane(t.columns, t.lines, 20, t.b, t.c));
    EXPECT_NEAR(result.Dimension, 2.0, 0.1) << t.columns << "x" << t.lines;
    EXPECT_GT(result.Correlation, 0.99);
  }
}

// Rings beyond the farthest corner hold no pixel and drop out: min(s - 5, trunc(sqrt 2 (s / 2))).
TEST(GlobalFractal, SquareOfSideSKeepsTheRingsThatHoldPixels) {
  for (int s : {8, 9, 12, 17, 20, 33, 64}) {
    const GlobalFractalResult result = GlobalFractalDimension(MakeRandomGray(s, s, s));
    EXPECT_EQ(result.Zone, s);
    EXPECT_EQ(result.PointCount, std::min(s - 5, static_cast<int>(std::sqrt(2.0) * (s / 2)))) << s;
  }
}

TEST(GlobalFractal, UndefinedWithoutTwoPointsOrWithoutSpread) {
  BytePlane flat(40, 40);
  flat.Fill(9);
  GlobalFractalResult result = GlobalFractalDimension(flat);
  EXPECT_EQ(result.PointCount, 0);
  EXPECT_TRUE(std::isnan(result.Dimension));
  EXPECT_TRUE(std::isnan(result.Correlation));

  // One ring of differences: a single point.
  BytePlane ring(40, 40);
  ring[20][25] = 50;
  result = GlobalFractalDimension(ring);
  EXPECT_EQ(result.PointCount, 1);
  EXPECT_TRUE(std::isnan(result.Dimension));

  // Every ring has the same mean: the slope is 0 (D = 3) but the correlation is undefined.
  BytePlane cone(40, 40);
  cone.Fill(10);
  cone[20][20] = 0;
  result = GlobalFractalDimension(cone);
  EXPECT_NEAR(result.Dimension, 3.0, 1e-12);
  EXPECT_TRUE(std::isnan(result.Correlation));

  EXPECT_TRUE(std::isnan(GlobalFractalDimension(BytePlane(2, 5)).Dimension));
  EXPECT_TRUE(std::isnan(GlobalFractalDimension(BytePlane()).Dimension));
}
