#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "binary/kernels/Resample.h"
#include "fixtures/Fractals.h"
#include "imaging/Parallel.h"

namespace {

// The reduction written out literally: weight tables rebuilt for every box, the remainder taken
// down one whole pixel at a time, the terms summed rows outer, columns inner.
std::vector<double> LiteralWeights(double start, double side, int& first) {
  first = static_cast<int>(std::floor(start));
  std::vector<double> weights;
  double upper = std::ceil(start);
  if (upper == start) upper = start + 1;
  weights.push_back(upper - start);
  double rest = side - weights[0];
  while (rest >= 1.0) {
    weights.push_back(1.0);
    rest -= 1.0;
  }
  weights.push_back(rest);
  return weights;
}

BytePlane LiteralResample(const BytePlane& src, int dl, int dc) {
  const int sl = src.Lines(), sc = src.Columns();
  const double hy = 1.0 / (static_cast<double>(dl) / sl);
  const double hx = 1.0 / (static_cast<double>(dc) / sc);
  const double a = hy * hx;
  BytePlane dst(dc, dl);
  for (int i = 0; i < dl; ++i) {
    int r0 = 0;
    const std::vector<double> wy = LiteralWeights(i * hy, hy, r0);
    for (int j = 0; j < dc; ++j) {
      int c0 = 0;
      const std::vector<double> wx = LiteralWeights(j * hx, hx, c0);
      double sum = 0;
      for (std::size_t u = 0; u < wy.size(); ++u)
        for (std::size_t v = 0; v < wx.size(); ++v) {
          const int r = r0 + static_cast<int>(u), c = c0 + static_cast<int>(v);
          if (r >= 0 && r < sl && c >= 0 && c < sc) sum += wy[u] * wx[v] * src[r][c];
        }
      const double value = std::trunc(sum / a + 0.5);
      dst[i][j] = static_cast<std::uint8_t>(value > 255 ? 255 : value);
    }
  }
  return dst;
}

BytePlane FromRows(const std::vector<std::vector<int>>& rows) {
  BytePlane plane(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int i = 0; i < plane.Lines(); ++i)
    for (int j = 0; j < plane.Columns(); ++j) plane[i][j] = static_cast<std::uint8_t>(rows[i][j]);
  return plane;
}

std::vector<int> Values(const BytePlane& plane) {
  return std::vector<int>(plane.Data(), plane.Data() + plane.Size());
}

BytePlane Random(int columns, int lines, std::mt19937& random, bool twoValues) {
  BytePlane plane(columns, lines);
  for (std::size_t k = 0; k < plane.Size(); ++k)
    plane.Data()[k] = static_cast<std::uint8_t>(twoValues ? (random() % 3 == 0 ? 1 : 255) : random() % 256);
  return plane;
}

}  // namespace

TEST(NextIntegerAbove, IsTheFirstWholeNumberStrictlyAfter) {
  EXPECT_EQ(NextIntegerAbove(1.5), 2.0);
  EXPECT_EQ(NextIntegerAbove(2.0), 3.0);
  EXPECT_EQ(NextIntegerAbove(0.0), 1.0);
  EXPECT_EQ(NextIntegerAbove(2.9999), 3.0);
}

TEST(ResampleByBoxes, SpansOfABoxOfOneAndAHalf) {
  // The box of line 1 starts at 1.5: rows 1, 2, 3 by 0.5, 1, 0; that of line 2 rows 3, 4 by 1, 0.5.
  const BoxSpan one = SpanOf(1 * 1.5, 1.5);
  EXPECT_EQ(std::tuple(one.First, one.Last, one.FirstWeight, one.Weight(1), one.LastWeight),
            std::tuple(1, 3, 0.5, 1.0, 0.0));
  const BoxSpan two = SpanOf(2 * 1.5, 1.5);
  EXPECT_EQ(std::tuple(two.First, two.Last, two.FirstWeight, two.LastWeight), std::tuple(3, 4, 1.0, 0.5));
  // A whole-pixel box: its own pixel by 1 and the next by 0.
  const BoxSpan unit = SpanOf(4.0, 1.0);
  EXPECT_EQ(std::tuple(unit.First, unit.Last, unit.FirstWeight, unit.LastWeight), std::tuple(4, 5, 1.0, 0.0));
}

TEST(ResampleByBoxes, HandWorkedHalvingsRoundHalvesUp) {
  struct Case {
    std::vector<std::vector<int>> source;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {{{1, 1}, {255, 255}}, {128}},    // 512 / 4 = 128
      {{{1, 255}, {255, 255}}, {192}},  // 766 / 4 = 191.5, rounded up
      {{{1, 1}, {1, 255}}, {65}},       // 258 / 4 = 64.5, rounded up
      {{{10, 20, 30, 40}, {50, 60, 70, 80}}, {35, 55}},
      {{{7, 7, 7, 7}, {7, 7, 7, 7}, {7, 7, 7, 7}, {7, 7, 7, 7}}, {7, 7, 7, 7}},
  };
  for (const Case& c : cases) {
    const BytePlane source = FromRows(c.source);
    const BytePlane out = ResampleByBoxes(source, source.Lines() / 2, source.Columns() / 2);
    EXPECT_EQ(Values(out), c.expected);
  }
}

TEST(ResampleByBoxes, SameSizeCopiesAndUniformPlanesStayUniform) {
  std::mt19937 random(3);
  const BytePlane source = Random(37, 23, random, false);
  EXPECT_EQ(Values(ResampleByBoxes(source, 23, 37)), Values(source));
  // Boxes of 33 1/3 pixels, far wider than any small table would hold, keep a uniform 255.
  BytePlane white(100, 70);
  white.Fill(255);
  EXPECT_EQ(Values(ResampleByBoxes(white, 3, 3)), std::vector<int>(9, 255));
}

TEST(ResampleByBoxes, MatchesTheLiteralReductionOnRandomPlanesAtEveryThreadCount) {
  std::mt19937 random(11);
  for (const int threads : {1, 3}) {
    parallel::SetThreadLimit(threads);
    for (int trial = 0; trial < 60; ++trial) {
      const int lines = 1 + static_cast<int>(random() % 90), columns = 1 + static_cast<int>(random() % 90);
      const BytePlane source = Random(columns, lines, random, trial % 2 == 0);
      const int dl = 1 + static_cast<int>(random() % lines), dc = 1 + static_cast<int>(random() % columns);
      ASSERT_EQ(Values(ResampleByBoxes(source, dl, dc)), Values(LiteralResample(source, dl, dc)))
          << lines << "x" << columns << " -> " << dl << "x" << dc;
    }
  }
  parallel::SetThreadLimit(0);
}

TEST(ResampleByBoxes, RefusesUnusableSizesAndWritesNothing) {
  const BytePlane source = fixtures::FilledSquare(10, 10, 0, 0, 5);
  BytePlane destination(10, 10);
  destination.Fill(42);
  const std::tuple<int, int, int, int> sizes[] = {{10, 10, 0, 5},  {10, 10, 5, -1}, {10, 10, 11, 5},
                                                  {10, 10, 5, 11}, {11, 10, 5, 5},  {10, 12, 5, 5}};
  for (auto [sl, sc, dl, dc] : sizes) {
    EXPECT_FALSE(ResampleByBoxes(source, destination, sl, sc, dl, dc)) << sl << sc << dl << dc;
    EXPECT_EQ(Values(destination), std::vector<int>(100, 42));
  }
  BytePlane small(2, 2);
  EXPECT_FALSE(ResampleByBoxes(source, small, 10, 10, 3, 3));
  EXPECT_TRUE(ResampleByBoxes(source, 0, 3).Empty());
  EXPECT_TRUE(ResampleByBoxes(source, 3, 11).Empty());
}

TEST(ResampleByBoxes, TheBoxSideIsTheInverseOfTheReductionRatio) {
  // 12 columns to 11: the box of column 2 covers 9/11 of a 1 and 3/11 of a 255, a mean of exactly
  // 64.5 in real numbers. The side taken as 1 / (11 / 12) lands on 64.5 or above and rounds to 65;
  // taken as 12 / 11 it would fall just below and give 64.
  const BytePlane source = FromRows({{1, 1, 1, 255, 1, 1, 1, 1, 1, 1, 1, 1}});
  EXPECT_EQ(ResampleByBoxes(source, 1, 11)[0][2], 65);
  EXPECT_NE(BoxSide(12, 11), 12.0 / 11.0);
}
