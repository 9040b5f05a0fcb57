#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "fixtures/Patterns.h"
#include "graytone/kernels/FractPrism.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

// The treatment as first written, kept as the reference: for every pixel and scale the heights of the
// eight points, the eight triangles of Heron's formula, the normalised area, the regression.
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
  double min = 65500.0, max = 0, sum = 0, mean = 0;
};

Literal LiteralPrism(const BytePlane& g) {
  static const int kLine[8] = {-1, -1, -1, 0, 1, 1, 1, 0}, kColumn[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
  const int lines = g.Lines(), columns = g.Columns();
  Literal out;
  out.d = DoublePlane(columns, lines);
  double x[5];
  for (int k = 1; k <= 5; ++k) x[k - 1] = std::log(static_cast<double>(k));
  for (int i = 3; i <= lines - 4; ++i)
    for (int j = 3; j <= columns - 4; ++j) {
      double y[5];
      for (int k = 1; k <= 5; ++k) {
        const int dist = k <= 2 ? 1 : k <= 4 ? 2 : 3;
        double dz[8];
        for (int p = 0; p < 8; ++p) {
          const int diff = g[i + kLine[p] * dist][j + kColumn[p] * dist] - g[i][j];
          dz[p] = k == 1 ? diff * 0.5 : k == 3 ? diff * 0.25 * 3.0 : k == 5 ? diff * (1.0 / 6) * 5.0 : diff;
        }
        const double factor = k == 1 ? 1 : k == 2 ? 0.25 : k == 3 ? 1.0 / 9 : k == 4 ? 0.0625 : 0.04;
        const double a = 2.5 * k;
        y[k - 1] = std::log(LiteralSurface(dz, a, std::sqrt(2.0) * a) * factor);
      }
      double d = 2 - LeastSquaresSlope(x, y, 5);
      if (std::fabs(d - 2) < 1e-9) d = 2;
      out.d[i][j] = d;
    }
  for (int i = 4; i <= lines - 5; ++i)
    for (int j = 4; j <= columns - 5; ++j) {
      const double d = out.d[i][j];
      if (d >= 2.0) {
        out.sum += d;
        if (d < out.min) out.min = d;
        if (d > out.max) out.max = d;
      } else {
        out.sum += 2.0;
      }
    }
  out.mean = out.sum / ((lines - 8) * (columns - 8));
  return out;
}

FractPrismResult RunPrism(const BytePlane& image, DoublePlane& d) {
  d = DoublePlane(image.Columns(), image.Lines());
  return FractPrism(image, d);
}

}  // namespace

TEST(FractPrism, EqualsTheLiteralTreatmentBitForBit) {
  struct Case {
    int columns, lines, span;
  };
  std::uint32_t seed = 21;
  for (const Case& c :
       {Case{9, 9, 256}, Case{40, 31, 256}, Case{300, 20, 256}, Case{33, 47, 5}, Case{70, 12, 60}}) {
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines << " span " << c.span);
    BytePlane image = MakeRandomGray(c.columns, c.lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % c.span;
    const Literal literal = LiteralPrism(image);
    DoublePlane d;
    const FractPrismResult result = RunPrism(image, d);
    ASSERT_TRUE(result.Computed);
    int mismatches = 0;
    for (int i = 3; i <= c.lines - 4; ++i)
      for (int j = 3; j <= c.columns - 4; ++j)
        if (d[i][j] != literal.d[i][j] && ++mismatches <= 3)
          ADD_FAILURE() << "pixel " << i << "," << j << ": " << d[i][j] << " vs " << literal.d[i][j];
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(result.Sum, literal.sum);
    EXPECT_EQ(result.Mean, literal.mean);
    EXPECT_EQ(result.Min, literal.min);
    EXPECT_EQ(result.Max, literal.max);
    EXPECT_EQ(result.Count, (c.lines - 8) * (c.columns - 8));
  }
}

TEST(FractPrism, OneThreadAndAllThreadsGiveTheSamePlane) {
  const BytePlane image = MakeRandomGray(260, 90, 4);
  DoublePlane all, one;
  RunPrism(image, all);
  parallel::SetThreadLimit(1);
  RunPrism(image, one);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(std::memcmp(all.Data(), one.Data(), all.Size() * sizeof(double)), 0);
}

// Eight triangles over a square of side 2a. With every point at height c above the centre each
// triangle spans the vectors (a, 0, c) and (a, a, c): area a sqrt(a^2 + c^2) / 2, 4a sqrt(a^2 + c^2) in
// all. A plane z = 0.3 x - 0.4 y over the square has the area 4a^2 sqrt(1 + 0.09 + 0.16).
TEST(FractPrism, SurfacesOfHandWorkedFans) {
  const double a = 5, b = 5 * std::sqrt(2.0);
  const double pyramid[8] = {7, 7, 7, 7, 7, 7, 7, 7};
  EXPECT_NEAR(PrismSurface(pyramid, a, b), 4 * a * std::sqrt(a * a + 49), 1e-12);
  EXPECT_NEAR(PrismSurface(pyramid, a, b), 172.0465, 5e-5);
  const double flat[8] = {};
  EXPECT_NEAR(PrismSurface(flat, a, b), 4 * a * a, 1e-12);
  // Points from up-left clockwise, x to the right and y downwards.
  const double px[8] = {-a, 0, a, a, a, 0, -a, -a}, py[8] = {-a, -a, -a, 0, a, a, a, 0};
  double plane[8];
  for (int p = 0; p < 8; ++p) plane[p] = 0.3 * px[p] - 0.4 * py[p];
  EXPECT_NEAR(PrismSurface(plane, a, b), 4 * a * a * std::sqrt(1.25), 1e-12);
}

// A flat or evenly tilted surface keeps its normalised area at every scale: D = 2 everywhere (snapped
// from the rounding of the five logarithms).
TEST(FractPrism, PlanesHaveDimensionTwo) {
  for (auto [b, c] : {std::pair{0, 0}, std::pair{3, 0}, std::pair{2, 5}}) {
    BytePlane plane(20, 15);
    for (int i = 0; i < 15; ++i)
      for (int j = 0; j < 20; ++j) plane[i][j] = static_cast<std::uint8_t>(40 + b * i + c * j);
    DoublePlane d;
    const FractPrismResult result = RunPrism(plane, d);
    EXPECT_EQ(result.Min, 2.0);
    EXPECT_EQ(result.Max, 2.0);
    EXPECT_EQ(result.Mean, 2.0);
    EXPECT_EQ(d[3][3], 2.0);
  }
}

// A 9 x 9 image whose only relief is a square of 255 at distance 3 from the centre: flat at the four
// small scales, steep at the largest: the area grows with the scale and D < 2 at the one pixel of the
// statistics zone, which then has no range and a mean of 2.
TEST(FractPrism, DimensionsBelowTwoCountAsTwoAndGiveNoRange) {
  BytePlane image(9, 9);
  for (int k = 1; k <= 7; ++k) image[1][k] = image[7][k] = image[k][1] = image[k][7] = 255;
  DoublePlane d;
  const FractPrismResult result = RunPrism(image, d);
  ASSERT_TRUE(result.Computed);
  EXPECT_LT(d[4][4], 2.0);
  EXPECT_FALSE(result.HasRange);
  EXPECT_EQ(result.Min, 65500.0);
  EXPECT_EQ(result.Max, 0.0);
  EXPECT_EQ(result.Mean, 2.0);
  EXPECT_EQ(result.Count, 1);
}

TEST(FractPrism, ImagesWithoutStatisticsZoneComputeNothing) {
  for (auto [columns, lines] : {std::pair{8, 30}, std::pair{30, 8}, std::pair{7, 7}, std::pair{0, 0}}) {
    DoublePlane d;
    EXPECT_FALSE(RunPrism(BytePlane(columns, lines), d).Computed) << columns << "x" << lines;
  }
  DoublePlane wrongSize(5, 5);
  EXPECT_FALSE(FractPrism(BytePlane(20, 20), wrongSize).Computed);
}
