#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <tuple>

#include "ThreadCounts.h"
#include "binary/kernels/Binarize.h"

namespace {

class BinarizeAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(BinarizeAtThreads);

bool Same(const BytePlane& a, const BytePlane& b) {
  return a.Columns() == b.Columns() && a.Lines() == b.Lines() &&
         std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

// Literal: threshold everything, then drop isolated pixels in place, in raster order.
BytePlane LiteralBinarize(const BytePlane& source, const BinarizeParams& p) {
  const int lines = source.Lines(), columns = source.Columns(), b = p.Border;
  BytePlane out(columns, lines);
  out.Fill(255);
  for (int i = b; i < lines - b; ++i)
    for (int j = b; j < columns - b; ++j)
      if (p.MinValue <= source[i][j] && source[i][j] <= p.MaxValue) out[i][j] = 1;
  for (int i = 1; i < lines - 1 && !p.KeepIsolated; ++i)
    for (int j = 1; j < columns - 1; ++j) {
      int count = 0;
      for (int r = i - 1; r <= i + 1; ++r)
        for (int c = j - 1; c <= j + 1; ++c) count += out[r][c] == 1;
      if (out[i][j] == 1 && count == 1) out[i][j] = 255;
    }
  return out;
}

// A ramp of the column number: item counts and the percentages as the report prints them.
TEST(Binarize, RampCountsAndPercentages) {
  // Crossed thresholds select nothing; thresholds outside the byte range everything.
  const std::tuple<int, BinarizeParams, std::int64_t, const char*> cases[] = {
      {64, {100, 152, 6, false}, 52 * 53, "16.82 83.18"},
      {64, {0, 255, 6, false}, (64 - 12) * (256 - 12), "77.44 22.56"},
      {20, {0, 255, 0, false}, 20 * 256, "100.00 0.00"},
      {16, {150, 100, 0, true}, 0, "0.00 100.00"},
      {4, {-20, 1000, 0, true}, 4 * 256, "100.00 0.00"},
  };
  for (const auto& [lines, params, items, percentages] : cases) {
    SCOPED_TRACE(percentages);
    BytePlane ramp(256, lines);
    for (std::size_t k = 0; k < ramp.Size(); ++k) ramp.Data()[k] = static_cast<std::uint8_t>(k % 256);
    const BinarizeResult result = Binarize(ramp, params);
    EXPECT_EQ(std::tuple(result.ItemPixels, result.BackgroundPixels), std::tuple(items, lines * 256 - items));
    char text[32];
    std::snprintf(text, sizeof text, "%4.2lf %4.2lf", result.ItemPercentage, result.BackgroundPercentage);
    EXPECT_STREQ(text, percentages);
  }
  EXPECT_TRUE(Binarize(BytePlane(), {0, 255, 0, true}).Binary.Empty());
}

// Into a new plane, one of the source's size (its memory reused, every cell written), another size, in place.
TEST_P(BinarizeAtThreads, MatchesTheInPlaceRasterPassOnRandomImages) {
  std::mt19937 random(7);
  BytePlane other(10, 10);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    const int lines = 1 + static_cast<int>(random() % 40), columns = 1 + static_cast<int>(random() % 40);
    BytePlane source(columns, lines);
    for (std::size_t k = 0; k < source.Size(); ++k)
      source.Data()[k] = static_cast<std::uint8_t>(random() % 8 * 32);
    const BinarizeParams params{static_cast<int>(random() % 256), static_cast<int>(random() % 256),
                                static_cast<int>(random() % 4), random() % 2 == 0};
    const BytePlane expected = LiteralBinarize(source, params);
    const std::int64_t ones = std::count(expected.Data(), expected.Data() + expected.Size(), 1);
    const BinarizeResult result = Binarize(source, params);
    EXPECT_EQ(result.ItemPixels, ones);
    ASSERT_TRUE(Same(result.Binary, expected));
    BytePlane target(columns, lines);
    target.Fill(7);
    const std::uint8_t* memory = target.Data();
    EXPECT_EQ(BinarizeInto(source, params, target).ItemPixels, ones);
    EXPECT_EQ(target.Data(), memory);
    EXPECT_EQ(BinarizeInto(source, params, other).ItemPixels, ones);
    EXPECT_EQ(BinarizeInto(source, params, source).ItemPixels, ones);
    ASSERT_TRUE(Same(target, expected) && Same(other, expected) && Same(source, expected));
  }
  BytePlane none;
  EXPECT_EQ(BinarizeInto(none, {40, 180, 2, false}, other).ItemPixels, 0);
  EXPECT_TRUE(other.Empty());
}

}  // namespace
