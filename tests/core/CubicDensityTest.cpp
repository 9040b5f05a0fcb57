#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "fixtures/Patterns.h"
#include "graytone/kernels/CubicDensity.h"
#include "imaging/Parallel.h"

namespace {

// The treatment as first written, kept as the reference: every pass s = 1 .. J over every window,
// the column height of each window pixel from its difference to the centre; the last pass stays.
BytePlane LiteralCubicDensity(const BytePlane& g, int h, int J) {
  const int lines = g.Lines(), columns = g.Columns(), W = 2 * h + 1;
  BytePlane out(columns, lines);
  out.Fill(255);
  for (int s = 1; s <= J; ++s)
    for (int i = h; i <= lines - h - 1; ++i)
      for (int j = h; j <= columns - h - 1; ++j) {
        long sum = 0;
        for (int r = i - h; r <= i + h; ++r)
          for (int c = j - h; c <= j + h; ++c) {
            const int d = g[r][c] - g[i][j];
            int height;
            if (d <= 0) {
              const int k = static_cast<int>(std::trunc(std::abs(d) / static_cast<double>(s) + 0.5));
              height = k <= h + 1 ? h + 1 - k : 0;
            } else {
              const int k = static_cast<int>(std::trunc(d / static_cast<double>(s) + 0.5));
              height = k <= h ? h + k + 1 : W;
            }
            sum += height;
          }
        out[i][j] = static_cast<std::uint8_t>(std::trunc(sum / (static_cast<double>(W) * W * W) * 254 + 0.5));
      }
  return out;
}

std::string Bytes(const BytePlane& p) {
  return std::string(p.Data(), p.Data() + p.Size());
}

}  // namespace

TEST(CubicDensity, EqualsTheLiteralTreatment) {
  struct Case {
    int columns, lines, h, jump, span;
  };
  std::uint32_t seed = 60;
  for (const Case& c : {Case{3, 3, 1, 1, 256}, Case{40, 31, 1, 3, 256}, Case{45, 37, 2, 1, 12},
                        Case{60, 25, 3, 7, 256}, Case{23, 50, 11, 2, 256}, Case{30, 30, 4, 40, 256}}) {
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines << " h " << c.h << " J " << c.jump);
    BytePlane image = MakeRandomGray(c.columns, c.lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % c.span;
    BytePlane density;
    ASSERT_TRUE(CubicDensity(image, c.h, c.jump, density));
    EXPECT_EQ(Bytes(density), Bytes(LiteralCubicDensity(image, c.h, c.jump)));
  }
}

// Windows of more than 181 pixels a side count in 32 bits.
TEST(CubicDensity, WideWindowsEqualTheLiteralTreatment) {
  BytePlane image = MakeRandomGray(187, 185, 3);
  BytePlane density;
  ASSERT_TRUE(CubicDensity(image, 91, 5, density));
  const BytePlane expected = LiteralCubicDensity(image, 91, 5);
  EXPECT_EQ(Bytes(density), Bytes(expected));
}

TEST(CubicDensity, OneThreadAndAllThreadsGiveTheSameImage) {
  const BytePlane image = MakeRandomGray(300, 200, 8);
  BytePlane all, one;
  CubicDensity(image, 4, 3, all);
  parallel::SetThreadLimit(1);
  CubicDensity(image, 4, 3, one);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(Bytes(all), Bytes(one));
}

// A flat image: every column is h + 1 high, the density (h + 1) / (2h + 1) x 254 rounded: 169, 152,
// 145 for h = 1, 2, 3, whatever the jump.
TEST(CubicDensity, FlatImageGivesTheHalfFilledCube) {
  for (auto [h, expected] : {std::pair{1, 169}, std::pair{2, 152}, std::pair{3, 145}})
    for (int jump : {1, 5}) {
      BytePlane flat(12, 10), density;
      flat.Fill(90);
      ASSERT_TRUE(CubicDensity(flat, h, jump, density));
      EXPECT_EQ(density[h][h], expected);
      EXPECT_EQ(density[10 - h - 1][12 - h - 1], expected);
      EXPECT_EQ(density[h - 1][h], 255);  // the border
      EXPECT_EQ(density[h][12 - h], 255);
    }
}

// A pixel far above its neighbours: only the centre fills its column (h + 1 cells).
TEST(CubicDensity, PeakAndColumnHeights) {
  BytePlane image(5, 5), density;
  image[2][2] = 250;
  ASSERT_TRUE(CubicDensity(image, 1, 1, density));
  EXPECT_EQ(density[2][2], static_cast<int>(std::trunc(2 / 27.0 * 254 + 0.5)));  // 19
  struct Case {
    int d, h, jump, height;
  };
  for (const Case& c : {Case{0, 2, 1, 3}, Case{-1, 2, 1, 2}, Case{-3, 2, 1, 0}, Case{-4, 2, 1, 0},
                        Case{1, 2, 1, 4}, Case{2, 2, 1, 5}, Case{3, 2, 1, 5}, Case{1, 2, 3, 3},
                        Case{2, 2, 3, 4}, Case{-2, 2, 3, 2}, Case{-255, 3, 255, 3}})
    EXPECT_EQ(CubicColumnHeight(c.d, c.h, c.jump), c.height) << c.d << " " << c.h << " " << c.jump;
}

TEST(CubicDensity, WindowsThatDoNotFitAndBadJumpsAreRefused) {
  BytePlane image(9, 7), density;
  EXPECT_TRUE(CubicDensity(image, 3, 1, density));
  EXPECT_FALSE(CubicDensityComputable(9, 7, 4, 1));
  EXPECT_FALSE(CubicDensityComputable(9, 7, 0, 1));
  EXPECT_FALSE(CubicDensityComputable(9, 7, -2, 1));
  EXPECT_FALSE(CubicDensityComputable(9, 7, 1, 0));
  EXPECT_FALSE(CubicDensityComputable(9, 7, 1, -5));
  EXPECT_FALSE(CubicDensityComputable(0, 0, 1, 1));
  BytePlane untouched(9, 7);
  untouched.Fill(3);
  EXPECT_FALSE(CubicDensity(image, 4, 1, untouched));
  EXPECT_EQ(untouched[0][0], 3);
}
