#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>

#include "ThreadCounts.h"
#include "binary/kernels/Binarize.h"

namespace {

class BinarizeAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(BinarizeAtThreads);

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

TEST(Binarize, RampCountsPercentagesAndBorder) {
  struct Case {
    int lines;
    BinarizeParams params;
    std::int64_t items;
    const char *itemPercent, *backgroundPercent;
  };
  const Case cases[] = {
      // The 64 x 256 ramp with 100 .. 149, with and without a border, is pinned by the treatment's test.
      {64, {100, 152, 6, false}, 52 * 53, "16.82", "83.18"},
      {64, {0, 255, 6, false}, (64 - 12) * (256 - 12), "77.44", "22.56"},
      {20, {0, 255, 0, false}, 20 * 256, "100.00", "0.00"},
      {16, {150, 100, 0, true}, 0, "0.00", "100.00"},
      {4, {-20, 1000, 0, true}, 4 * 256, "100.00", "0.00"},  // thresholds outside the byte range
  };
  for (const Case& c : cases) {
    const BinarizeResult result = Binarize(ColumnRamp(c.lines, 256), c.params);
    const std::string name = std::to_string(c.params.MinValue) + ".." + std::to_string(c.params.MaxValue) +
                             " border " + std::to_string(c.params.Border);
    EXPECT_EQ(result.ItemPixels, c.items) << name;
    EXPECT_EQ(result.BackgroundPixels, c.lines * 256 - c.items) << name;
    EXPECT_EQ(Percent(result.ItemPercentage), c.itemPercent) << name;
    EXPECT_EQ(Percent(result.BackgroundPercentage), c.backgroundPercent) << name;
    for (int k = 0; k < c.params.Border; ++k) {  // the frame stays background
      for (int j = 0; j < 256; ++j)
        ASSERT_TRUE(result.Binary[k][j] == 255 && result.Binary[c.lines - 1 - k][j] == 255)
            << name << " " << k;
      for (int i = 0; i < c.lines; ++i)
        ASSERT_TRUE(result.Binary[i][k] == 255 && result.Binary[i][255 - k] == 255) << name << " " << k;
    }
    if (c.params.MinValue == 100) {
      EXPECT_EQ((std::vector<int>{result.Binary[10][99], result.Binary[10][100], result.Binary[10][152],
                                  result.Binary[10][153]}),
                (std::vector<int>{255, 1, 1, 255}));
    }
  }
  EXPECT_TRUE(Binarize(BytePlane(), {0, 255, 0, true}).Binary.Empty());
}

TEST_P(BinarizeAtThreads, MatchesTheInPlaceRasterPassOnRandomImages) {
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

}  // namespace

namespace {

TEST_P(BinarizeAtThreads, IntoAPlaneOfTheSameSizeOrIntoTheSourceItself) {
  std::mt19937 random(3);
  BytePlane source(50, 30);
  for (std::size_t k = 0; k < source.Size(); ++k) source.Data()[k] = static_cast<std::uint8_t>(random());
  const BinarizeParams params{40, 180, 2, false};
  const BinarizeResult expected = Binarize(source, params);

  BytePlane target(50, 30);
  target.Fill(7);
  const std::uint8_t* memory = target.Data();
  EXPECT_EQ(BinarizeInto(source, params, target).ItemPixels, expected.ItemPixels);
  EXPECT_EQ(target.Data(), memory) << "the plane's memory is reused";
  EXPECT_TRUE(std::equal(target.Data(), target.Data() + target.Size(), expected.Binary.Data()));

  BytePlane other(10, 10);
  BinarizeInto(source, params, other);
  EXPECT_EQ(std::tuple(other.Columns(), other.Lines()), std::tuple(50, 30));
  EXPECT_TRUE(std::equal(other.Data(), other.Data() + other.Size(), expected.Binary.Data()));

  BytePlane self = source.Clone();
  EXPECT_EQ(BinarizeInto(self, params, self).ItemPixels, expected.ItemPixels);
  EXPECT_TRUE(std::equal(self.Data(), self.Data() + self.Size(), expected.Binary.Data()));

  BytePlane none;
  EXPECT_EQ(BinarizeInto(none, params, target).ItemPixels, 0);
  EXPECT_TRUE(target.Empty());
}

}  // namespace
