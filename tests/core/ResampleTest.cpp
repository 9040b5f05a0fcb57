#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "binary/kernels/Resample.h"
#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "imaging/Parallel.h"

namespace {

// The reduction written out literally: weight tables rebuilt for every box, the remainder taken
// down one whole pixel at a time, the terms summed rows outer, columns inner.
std::vector<double> LiteralWeights(double start, double side, int& first) {
  first = static_cast<int>(std::floor(start));
  const double upper = std::ceil(start) == start ? start + 1 : std::ceil(start);
  std::vector<double> weights = {upper - start};
  double rest = side - weights[0];
  for (; rest >= 1.0; rest -= 1.0) weights.push_back(1.0);
  weights.push_back(rest);
  return weights;
}

BytePlane LiteralResample(const BytePlane& src, int dl, int dc) {
  const int sl = src.Lines(), sc = src.Columns();
  const double hy = 1.0 / (static_cast<double>(dl) / sl), hx = 1.0 / (static_cast<double>(dc) / sc);
  BytePlane dst(dc, dl);
  for (int i = 0; i < dl; ++i)
    for (int j = 0; j < dc; ++j) {
      int r0 = 0, c0 = 0;
      const std::vector<double> wy = LiteralWeights(i * hy, hy, r0), wx = LiteralWeights(j * hx, hx, c0);
      double sum = 0;
      for (std::size_t u = 0; u < wy.size(); ++u)
        for (std::size_t v = 0; v < wx.size(); ++v) {
          const int r = r0 + static_cast<int>(u), c = c0 + static_cast<int>(v);
          if (r >= 0 && r < sl && c >= 0 && c < sc) sum += wy[u] * wx[v] * src[r][c];
        }
      dst[i][j] = static_cast<std::uint8_t>(std::min(255.0, std::trunc(sum / (hy * hx) + 0.5)));
    }
  return dst;
}

}  // namespace

TEST(ResampleByBoxes, HandWorkedBoxes) {
  // Halvings: 512 / 4 = 128; 766 / 4 = 191.5, rounded up.
  EXPECT_EQ(PlaneText(ResampleByBoxes(PlaneFromText("11\n..\n"), 1, 1)), "(128)\n");
  EXPECT_EQ(PlaneText(ResampleByBoxes(PlaneFromText("1.\n..\n"), 1, 1)), "(192)\n");
  // 12 columns to 11: the box of column 2 covers 9/11 of a 1 and 3/11 of a 255, a mean of exactly
  // 64.5 in real numbers. The side taken as 1 / (11 / 12) lands on 64.5 or above and rounds to 65;
  // taken as 12 / 11 it would fall just below and give 64.
  EXPECT_EQ(ResampleByBoxes(PlaneFromText("111.11111111\n"), 1, 11)[0][2], 65);
  // The same size copies.
  const BytePlane random = MakeRandomGray(37, 23, 3);
  EXPECT_EQ(PlaneText(ResampleByBoxes(random, 23, 37)), PlaneText(random));
}

TEST(ResampleByBoxes, MatchesTheLiteralReductionOnRandomPlanesAtEveryThreadCount) {
  std::mt19937 random(11);
  for (const int threads : {1, 3}) {
    parallel::SetThreadLimit(threads);
    for (int trial = 0; trial < 60; ++trial) {
      const int lines = 1 + static_cast<int>(random() % 90), columns = 1 + static_cast<int>(random() % 90);
      BytePlane source = MakeRandomGray(columns, lines, random());
      if (trial % 2 == 0)  // two values, as the studied-pixel masks hold
        for (std::size_t k = 0; k < source.Size(); ++k) source.Data()[k] = source.Data()[k] % 3 ? 255 : 1;
      const int dl = 1 + static_cast<int>(random() % lines), dc = 1 + static_cast<int>(random() % columns);
      ASSERT_EQ(PlaneText(ResampleByBoxes(source, dl, dc)), PlaneText(LiteralResample(source, dl, dc)))
          << lines << "x" << columns << " -> " << dl << "x" << dc;
    }
  }
  parallel::SetThreadLimit(0);
}

TEST(ResampleByBoxes, RefusesUnusableSizesAndWritesNothing) {
  const BytePlane source = UniformPlane(10, 10, 1);
  BytePlane destination = UniformPlane(10, 10, 42), small(2, 2);
  // Sizes of 0 or below, a destination larger than the source, a source larger than its plane.
  const int sizes[][4] = {{10, 10, 0, 5},  {10, 10, 5, -1}, {10, 10, 11, 5},
                          {10, 10, 5, 11}, {11, 10, 5, 5},  {10, 12, 5, 5}};
  for (const auto& [sl, sc, dl, dc] : sizes) {
    EXPECT_FALSE(ResampleByBoxes(source, destination, sl, sc, dl, dc)) << sl << sc << dl << dc;
    EXPECT_EQ(PlaneText(destination), PlaneText(UniformPlane(10, 10, 42)));
  }
  EXPECT_FALSE(ResampleByBoxes(source, small, 10, 10, 3, 3));
  EXPECT_TRUE(ResampleByBoxes(source, 0, 3).Empty() && ResampleByBoxes(source, 3, 11).Empty());
}
