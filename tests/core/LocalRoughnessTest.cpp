#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "fixtures/Patterns.h"
#include "graytone/kernels/LocalRoughness.h"
#include "imaging/Parallel.h"

namespace {

// The treatment as first written, kept as the reference: the values in a matrix, their range, then
// the rescaling (one tone for a flat result).
BytePlane LiteralRoughness(const BytePlane& g, double& min, double& max) {
  const int lines = g.Lines(), columns = g.Columns();
  DoublePlane v(columns, lines);
  min = 10000.0;
  max = 0.0;
  for (int i = 1; i <= lines - 2; ++i)
    for (int j = 1; j <= columns - 2; ++j) {
      int s = 0;
      for (int r = i - 1; r <= i + 1; ++r)
        for (int c = j - 1; c <= j + 1; ++c) s += std::abs(g[i][j] - g[r][c]);
      v[i][j] = (1.0 / 9) * s;
      if (v[i][j] < min) min = v[i][j];
      if (v[i][j] > max) max = v[i][j];
    }
  BytePlane out(columns, lines);
  out.Fill(255);
  for (int i = 1; i <= lines - 2; ++i)
    for (int j = 1; j <= columns - 2; ++j)
      out[i][j] =
          max == min ? 1 : static_cast<std::uint8_t>(std::trunc((v[i][j] - min) / (max - min) * 254) + 1);
  return out;
}

}  // namespace

TEST(LocalRoughness, EqualsTheLiteralTreatment) {
  std::uint32_t seed = 40;
  for (auto [columns, lines, span] :
       {std::tuple{3, 3, 256}, std::tuple{57, 40, 256}, std::tuple{700, 500, 256}, std::tuple{33, 21, 4},
        std::tuple{3, 90, 256}}) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines);
    BytePlane image = MakeRandomGray(columns, lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % span;
    double min = 0, max = 0;
    const BytePlane expected = LiteralRoughness(image, min, max);
    BytePlane gray;
    const LocalRoughnessResult result = LocalRoughness(image, gray);
    ASSERT_TRUE(result.Computed);
    EXPECT_EQ(result.Min, min);
    EXPECT_EQ(result.Max, max);
    EXPECT_EQ(std::string(gray.Data(), gray.Data() + gray.Size()),
              std::string(expected.Data(), expected.Data() + expected.Size()));
  }
}

TEST(LocalRoughness, OneThreadAndAllThreadsGiveTheSameImage) {
  const BytePlane image = MakeRandomGray(1000, 700, 8);
  BytePlane all, one;
  LocalRoughness(image, all);
  parallel::SetThreadLimit(1);
  LocalRoughness(image, one);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(std::string(all.Data(), all.Data() + all.Size()),
            std::string(one.Data(), one.Data() + one.Size()));
}

// One pixel of 255 on 0: 8 x 255 / 9 there, 255 / 9 on its eight neighbours, 0 elsewhere; the
// neighbours get trunc(254 / 8) + 1 = 32.
TEST(LocalRoughness, SingleBrightPixel) {
  BytePlane image(7, 6);
  image[3][3] = 255;
  BytePlane gray;
  const LocalRoughnessResult result = LocalRoughness(image, gray);
  EXPECT_EQ(result.Min, 0.0);
  EXPECT_EQ(result.Max, 8 * 255 / 9.0);
  EXPECT_EQ(gray[3][3], 255);
  EXPECT_EQ(gray[2][2], 32);
  EXPECT_EQ(gray[4][3], 32);
  EXPECT_EQ(gray[1][1], 1);
  EXPECT_EQ(gray[0][3], 255);
  EXPECT_EQ(gray[5][3], 255);
  EXPECT_EQ(gray[3][6], 255);
}

TEST(LocalRoughness, FlatImageIsOneToneAndTinyImagesAreNotComputed) {
  BytePlane flat(5, 4);
  flat.Fill(200);
  BytePlane gray;
  const LocalRoughnessResult result = LocalRoughness(flat, gray);
  EXPECT_EQ(result.Min, 0.0);
  EXPECT_EQ(result.Max, 0.0);
  EXPECT_EQ(gray[1][1], 1);
  EXPECT_EQ(gray[2][3], 1);
  EXPECT_EQ(gray[0][0], 255);
  for (auto [columns, lines] : {std::pair{2, 10}, std::pair{10, 2}, std::pair{0, 0}}) {
    BytePlane tiny(columns, lines), out;
    EXPECT_FALSE(LocalRoughness(tiny, out).Computed);
    EXPECT_EQ(out.Columns(), columns);
    for (std::size_t k = 0; k < out.Size(); ++k) EXPECT_EQ(out.Data()[k], 255);
  }
}
