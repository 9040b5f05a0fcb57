#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "binary/kernels/Binarize.h"

namespace {

BytePlane ColumnRamp(int lines, int columns) {
  BytePlane plane(columns, lines);
  for (int i = 0; i < lines; ++i) {
    for (int j = 0; j < columns; ++j) plane[i][j] = static_cast<std::uint8_t>(j);
  }
  return plane;
}

std::string Percent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%4.2lf", value);
  return text;
}

BytePlane Background(int lines, int columns) {
  BytePlane plane(columns, lines);
  plane.Fill(200);
  return plane;
}

// Slow reference: threshold everything, then drop isolated pixels in place, in raster
// order.
BytePlane LiteralBinarize(const BytePlane& source, const BinarizeParams& p) {
  const int lines = source.Lines(), columns = source.Columns(), b = p.Border;
  BytePlane out(columns, lines);
  out.Fill(255);
  for (int i = b; i < lines - b; ++i) {
    for (int j = b; j < columns - b; ++j) {
      if (p.MinValue <= source[i][j] && source[i][j] <= p.MaxValue) out[i][j] = 1;
    }
  }
  if (!p.KeepIsolated) {
    for (int i = 1; i < lines - 1; ++i) {
      for (int j = 1; j < columns - 1; ++j) {
        int count = 0;
        for (int r = i - 1; r <= i + 1; ++r) {
          for (int c = j - 1; c <= j + 1; ++c) count += out[r][c] == 1;
        }
        if (out[i][j] == 1 && count == 1) out[i][j] = 255;
      }
    }
  }
  return out;
}

TEST(Binarize, RampCountsAndPercentages) {
  const BytePlane ramp = ColumnRamp(64, 256);
  const BinarizeResult result = Binarize(ramp, {100, 149, 0, false});
  EXPECT_EQ(result.ItemPixels, 3200);
  EXPECT_EQ(result.BackgroundPixels, 64 * 256 - 3200);
  EXPECT_EQ(Percent(result.ItemPercentage), "19.53");
  EXPECT_EQ(Percent(result.BackgroundPercentage), "80.47");
  EXPECT_EQ(result.Binary[10][99], 255);
  EXPECT_EQ(result.Binary[10][100], 1);
  EXPECT_EQ(result.Binary[10][149], 1);
  EXPECT_EQ(result.Binary[10][150], 255);
}

TEST(Binarize, BorderFrameStaysBackground) {
  const BytePlane ramp = ColumnRamp(64, 256);
  const BinarizeResult result = Binarize(ramp, {100, 149, 6, false});
  EXPECT_EQ(result.ItemPixels, 2600);
  for (int j = 0; j < 256; ++j) {
    for (int i : {0, 5, 58, 63}) EXPECT_EQ(result.Binary[i][j], 255) << i << "," << j;
  }
  const BinarizeResult whole = Binarize(ramp, {0, 255, 6, false});
  EXPECT_EQ(whole.ItemPixels, (64 - 12) * (256 - 12));
  EXPECT_EQ(whole.Binary[6][5], 255);
  EXPECT_EQ(whole.Binary[6][6], 1);
}

TEST(Binarize, EverythingInRangeWithoutBorder) {
  const BinarizeResult result = Binarize(ColumnRamp(20, 256), {0, 255, 0, false});
  EXPECT_EQ(result.ItemPixels, 20 * 256);
  EXPECT_EQ(Percent(result.ItemPercentage), "100.00");
}

TEST(Binarize, MinAboveMaxGivesNone) {
  const BinarizeResult result = Binarize(ColumnRamp(16, 256), {150, 100, 0, true});
  EXPECT_EQ(result.ItemPixels, 0);
  EXPECT_EQ(Percent(result.ItemPercentage), "0.00");
  EXPECT_EQ(Percent(result.BackgroundPercentage), "100.00");
}

struct IsolatedCase {
  const char* name;
  std::vector<std::pair<int, int>> items;
  bool keep;
  std::int64_t expected;
};

TEST(Binarize, IsolatedPixels) {
  const std::vector<IsolatedCase> cases = {
      {"lone interior pixel removed", {{5, 5}}, false, 0},
      {"lone interior pixel kept", {{5, 5}}, true, 1},
      {"diagonal pair stays", {{5, 5}, {6, 6}}, false, 2},
      {"pixel on the top line stays", {{0, 4}}, false, 1},
      {"pixel on the last column stays", {{4, 9}}, false, 1},
      {"pixel in the corner stays", {{9, 9}}, false, 1},
  };
  for (const IsolatedCase& c : cases) {
    BytePlane source = Background(10, 10);
    for (auto [i, j] : c.items) source[i][j] = 50;
    const BinarizeResult result = Binarize(source, {40, 60, 0, c.keep});
    EXPECT_EQ(result.ItemPixels, c.expected) << c.name;
  }
}

TEST(Binarize, MatchesTheInPlaceRasterPassOnRandomImages) {
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    const int lines = 1 + static_cast<int>(random() % 40), columns = 1 + static_cast<int>(random() % 40);
    BytePlane source(columns, lines);
    for (std::size_t k = 0; k < source.Size(); ++k)
      source.Data()[k] = static_cast<std::uint8_t>(random() % 8 * 32);
    const BinarizeParams params{static_cast<int>(random() % 256), static_cast<int>(random() % 256),
                                static_cast<int>(random() % 4), random() % 2 == 0};
    const BytePlane expected = LiteralBinarize(source, params);
    const BinarizeResult result = Binarize(source, params);
    std::int64_t ones = 0;
    for (int i = 0; i < lines; ++i) {
      for (int j = 0; j < columns; ++j) {
        ASSERT_EQ(result.Binary[i][j], expected[i][j]) << "round " << round << " at " << i << "," << j;
        ones += expected[i][j] == 1;
      }
    }
    EXPECT_EQ(result.ItemPixels, ones);
  }
}

TEST(Binarize, ThresholdsOutsideTheByteRange) {
  const BinarizeResult result = Binarize(ColumnRamp(4, 256), {-20, 1000, 0, true});
  EXPECT_EQ(result.ItemPixels, 4 * 256);
  EXPECT_TRUE(Binarize(BytePlane(), {0, 255, 0, true}).Binary.Empty());
}

}  // namespace
