#include <gtest/gtest.h>

#include <cmath>

#include "fixtures/Patterns.h"
#include "graytone/kernels/Lacunarity.h"
#include "imaging/Parallel.h"

namespace {

using Wide = unsigned __int128;

// Every box summed pixel by pixel, as the treatment first did, but in exact integers.
GlidingBoxMoments LiteralMoments(const BytePlane& image, int k) {
  GlidingBoxMoments m;
  const int lines = image.Lines(), columns = image.Columns();
  for (int i = k; i <= lines - k - 1; ++i) {
    for (int j = k; j <= columns - k - 1; ++j) {
      std::uint64_t mass = 0;
      for (int r = i - k; r <= i + k; ++r)
        for (int c = j - k; c <= j + k; ++c) mass += image[r][c];
      m.Sum += mass;
      m.SumOfSquares += static_cast<Wide>(mass) * mass;
      ++m.Positions;
    }
  }
  return m;
}

double LiteralLacunarity(const GlidingBoxMoments& m) {
  const Wide top = m.SumOfSquares * static_cast<Wide>(m.Positions);
  const Wide bottom = static_cast<Wide>(m.Sum) * m.Sum;
  return static_cast<double>(top / bottom) + static_cast<double>(top % bottom) / static_cast<double>(bottom);
}

BytePlane Bernoulli(int size, double p, std::uint8_t one, std::uint8_t zero, std::uint32_t seed) {
  BytePlane plane = MakeRandomGray(size, size, seed);
  for (std::size_t k = 0; k < plane.Size(); ++k) plane.Data()[k] = plane.Data()[k] < p * 256 ? one : zero;
  return plane;
}

}  // namespace

TEST(Lacunarity, MomentsEqualTheBoxByBoxSumsOnRandomImages) {
  struct Case {
    int columns, lines;
    std::uint32_t seed;
  };
  for (const Case c : {Case{37, 29, 1}, Case{16, 40, 2}, Case{9, 9, 3}, Case{300, 7, 4}}) {
    const BytePlane image = MakeRandomGray(c.columns, c.lines, c.seed);
    const GlidingBoxes boxes(image);
    for (int k = 0; 2 * k + 1 <= std::min(c.columns, c.lines); ++k) {
      SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines << " K " << k);
      const GlidingBoxMoments fast = boxes.Moments(k), literal = LiteralMoments(image, k);
      EXPECT_EQ(fast.Positions, literal.Positions);
      EXPECT_EQ(fast.Sum, literal.Sum);
      EXPECT_TRUE(fast.SumOfSquares == literal.SumOfSquares);
      EXPECT_EQ(Lacunarity(fast), LiteralLacunarity(literal));
    }
  }
}

TEST(Lacunarity, SameMomentsOnOneThread) {
  const BytePlane image = MakeRandomGray(700, 650, 8);
  const GlidingBoxMoments all = GlidingBoxes(image).Moments(20);
  parallel::SetThreadLimit(1);
  const GlidingBoxMoments one = GlidingBoxes(image).Moments(20);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(all.Sum, one.Sum);
  EXPECT_TRUE(all.SumOfSquares == one.SumOfSquares);
}

// Masses of 255 W^2 near or past 2^32 whose squares pass 2^64 along a line of positions: bright images with
// one dark pixel, whose boxes hold either 255 W^2 or 255 (W^2 - 1).
TEST(Lacunarity, LargeBoxesOfBrightPixelsStayExact) {
  struct Case {
    int columns, lines, k;
  };
  // The last case holds boxes of 255 x 4105^2 > 2^32, which are summed in 64 bits.
  for (const Case c : {Case{700, 700, 200}, Case{700, 700, 349}, Case{4096, 1001, 500}, Case{4096, 1001, 480},
                       Case{4107, 4105, 2052}}) {
    BytePlane image(c.columns, c.lines);
    image.Fill(255);
    const int darkLine = c.lines / 2, darkColumn = c.columns / 3;
    image[darkLine][darkColumn] = 0;
    const std::uint64_t w2 = (2 * c.k + 1) * static_cast<std::uint64_t>(2 * c.k + 1);
    // Positions whose box covers the dark pixel: centres within k of it on both axes.
    const auto reach = [&](int dark, int size) {
      return std::min<std::int64_t>(dark + c.k, size - c.k - 1) - std::max(dark - c.k, c.k) + 1;
    };
    const std::int64_t covering = reach(darkLine, c.lines) * reach(darkColumn, c.columns);
    const std::int64_t positions = static_cast<std::int64_t>(c.lines - 2 * c.k) * (c.columns - 2 * c.k);
    const std::uint64_t full = 255 * w2, dimmed = 255 * (w2 - 1);
    const GlidingBoxMoments m = GlidingBoxes(image).Moments(c.k);
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines << " K " << c.k);
    EXPECT_EQ(m.Positions, positions);
    EXPECT_EQ(m.Sum, full * (positions - covering) + dimmed * covering);
    EXPECT_TRUE(m.SumOfSquares == static_cast<Wide>(full) * full * (positions - covering) +
                                      static_cast<Wide>(dimmed) * dimmed * covering);
  }
}

TEST(Lacunarity, ConstantImageGivesExactlyOne) {
  BytePlane image(64, 50);
  image.Fill(200);
  for (const LacunarityPoint& point : LacunarityCurve(image, 0, 24)) EXPECT_EQ(point.Value, 1.0) << point.K;
}

// Whichever corner colour a box has, it holds (W^2 + 1) / 2 or (W^2 - 1) / 2 bright pixels; with an
// even number of positions each count comes up equally often.
TEST(Lacunarity, CheckerboardGivesOnePlusOneOverWToTheFourth) {
  BytePlane image(40, 30);
  for (int i = 0; i < 30; ++i)
    for (int j = 0; j < 40; ++j) image[i][j] = (i + j) % 2 ? 90 : 0;
  for (const LacunarityPoint& point : LacunarityCurve(image, 0, 14)) {
    const double w = point.Window;
    EXPECT_NEAR(point.Value, 1 + 1 / (w * w * w * w), 1e-15) << point.K;
  }
}

// Independent pixels: Var(M) / E(M)^2 = (1 - p) / (p W^2) for values {0, v}; for binary panel 2
// (items 1 with probability p on background 255) 254^2 p (1 - p) / (W^2 (p + 255 (1 - p))^2).
TEST(Lacunarity, BernoulliImagesFollowTheirVariance) {
  const double p = 0.3;
  const BytePlane gray = Bernoulli(512, p, 170, 0, 21);
  const BytePlane binary = Bernoulli(512, p, 1, 255, 22);
  const double mean = p + 255 * (1 - p);
  for (const LacunarityPoint& point : LacunarityCurve(gray, 1, 4)) {
    const double w2 = static_cast<double>(point.Window) * point.Window;
    const double expected = (1 - p) / (p * w2);
    EXPECT_NEAR(point.Value - 1, expected, 0.05 * expected) << point.K;
  }
  for (const LacunarityPoint& point : LacunarityCurve(binary, 0, 4)) {
    const double w2 = static_cast<double>(point.Window) * point.Window;
    const double expected = 254.0 * 254.0 * p * (1 - p) / (w2 * mean * mean);
    EXPECT_NEAR(point.Value - 1, expected, 0.05 * expected) << point.K;
  }
}

TEST(Lacunarity, CurveSkipsEmptyMassesAndBoxesThatDoNotFit) {
  BytePlane image(20, 11);  // boxes up to K = 5
  image[5][10] = 7;
  const std::vector<LacunarityPoint> points = LacunarityCurve(image, 3, 1000000);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].K, 3);
  EXPECT_EQ(points[0].Window, 7);
  EXPECT_EQ(points[2].K, 5);
  EXPECT_EQ(points[0].LogWindow, static_cast<double>(std::log10(7.0f)));
  EXPECT_TRUE(LacunarityCurve(BytePlane(20, 11), 0, 5).empty());  // all zero: no mass anywhere
  EXPECT_TRUE(LacunarityCurve(image, 4, 3).empty());
  EXPECT_TRUE(LacunarityCurve(image, -3, -1).empty());
  EXPECT_TRUE(std::isnan(Lacunarity(GlidingBoxMoments{})));
}

TEST(Lacunarity, FitNeedsTwoPointsAndSpread) {
  const auto point = [](double logWindow, double logValue) {
    LacunarityPoint p;
    p.LogWindow = logWindow;
    p.LogValue = logValue;
    return p;
  };
  EXPECT_FALSE(FitLacunarity({}).Defined);
  EXPECT_FALSE(FitLacunarity({point(0.5, 0.2)}).Defined);
  EXPECT_FALSE(FitLacunarity({point(0.5, 0.2), point(0.7, 0.2), point(0.9, 0.2)}).Defined);
  const LacunarityFit line = FitLacunarity({point(0.5, 0.3), point(0.7, 0.2), point(0.9, 0.1)});
  ASSERT_TRUE(line.Defined);
  EXPECT_NEAR(line.Correlation, -1, 1e-6);
  EXPECT_NEAR(line.R2, 1, 1e-6);
}
