#include <gtest/gtest.h>

#include <cmath>

#include "fixtures/Patterns.h"
#include "graytone/kernels/FractalThreshold.h"
#include "imaging/Parallel.h"

namespace {

// The treatment as first written, kept as the reference: for each threshold a mask, each line copied
// into a buffer padded with 255 to the next multiple of 12 above the columns, the cells of each size
// scanned from the buffer's start.
std::vector<FractalThPoint> LiteralThresholding(const BytePlane& g, int mode, int step) {
  const int lines = g.Lines(), columns = g.Columns(), padded = (columns / 12 + 1) * 12;
  const int sizes[6] = {1, 2, 3, 4, 6, 12};
  double x[6];
  for (int k = 0; k < 6; ++k) x[k] = std::log(static_cast<double>(sizes[k]));
  std::vector<FractalThPoint> out;
  BytePlane mask(columns, lines);
  std::vector<unsigned char> buffer(padded);
  int b = 0;
  for (int t = step; t < 256; t += step) {
    for (int i = 0; i < lines; ++i)
      for (int j = 0; j < columns; ++j) {
        const int v = g[i][j];
        const bool set = mode == 0 ? v < t : mode == 1 ? (b <= v && v < t) : v >= t;
        mask[i][j] = set ? 1 : 255;
      }
    long S[6] = {};
    for (int i = 0; i < lines; ++i) {
      for (int j = 0; j < padded; ++j) buffer[j] = j < columns ? mask[i][j] : 255;
      for (int k = 0; k < 6; ++k)
        for (int start = 0; start < padded; start += sizes[k]) {
          bool any = false;
          for (int j = start; j < start + sizes[k]; ++j) any = any || buffer[j] == 1;
          S[k] += any;
        }
    }
    double value = 1.0;
    if (S[0] && S[1] && S[2] && S[3] && S[4] && S[5]) {
      double sx = 0, sy = 0, sxx = 0, sxy = 0;
      for (int k = 0; k < 6; ++k) {
        const double y = std::log(static_cast<double>(S[k]));
        sx += x[k];
        sy += y;
        sxx += x[k] * x[k];
        sxy += x[k] * y;
      }
      value = 1 - (6 * sxy - sx * sy) / (6 * sxx - sx * sx);
    }
    out.push_back({t, value});
    b = t;
  }
  return out;
}

void ExpectSamePoints(const std::vector<FractalThPoint>& a, const std::vector<FractalThPoint>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t k = 0; k < a.size(); ++k) {
    EXPECT_EQ(a[k].Gray, b[k].Gray) << k;
    EXPECT_EQ(a[k].Value, b[k].Value) << "threshold " << a[k].Gray;
  }
}

}  // namespace

TEST(FractalThreshold, EqualsTheLiteralTreatmentBitForBit) {
  struct Case {
    int columns, lines, mode, step, span;
  };
  std::uint32_t seed = 80;
  for (const Case& c : {Case{64, 20, 0, 2, 256}, Case{37, 41, 1, 2, 256}, Case{60, 30, 2, 3, 256},
                        Case{500, 300, 1, 7, 256}, Case{13, 9, 0, 50, 100}, Case{1, 5, 2, 255, 256},
                        Case{100, 64, 1, 128, 256}, Case{25, 25, 0, 17, 256}}) {
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines << " mode " << c.mode << " step "
                                    << c.step);
    BytePlane image = MakeRandomGray(c.columns, c.lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % c.span;
    ExpectSamePoints(FractalThresholding(image, c.mode, c.step), LiteralThresholding(image, c.mode, c.step));
  }
}

TEST(FractalThreshold, OneThreadAndAllThreadsGiveTheSamePoints) {
  const BytePlane image = MakeRandomGray(900, 700, 5);
  for (int mode : {0, 1, 2}) {
    const auto all = FractalThresholding(image, mode, 5);
    parallel::SetThreadLimit(1);
    const auto one = FractalThresholding(image, mode, 5);
    parallel::SetThreadLimit(0);
    ExpectSamePoints(all, one);
  }
}

TEST(FractalThreshold, ThresholdsFollowTheStep) {
  const BytePlane image = MakeRandomGray(30, 20, 1);
  const auto two = FractalThresholding(image, 0, 2);
  ASSERT_EQ(two.size(), 127u);
  EXPECT_EQ(two.front().Gray, 2);
  EXPECT_EQ(two.back().Gray, 254);
  const auto one = FractalThresholding(image, 1, 128);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Gray, 128);
  EXPECT_EQ(FractalThresholding(image, 2, 255).size(), 1u);
  for (int step : {1, 0, -3, 256}) EXPECT_TRUE(FractalThresholding(image, 0, step).empty()) << step;
  EXPECT_TRUE(FractalThresholding(image, 3, 2).empty());
}

// A full set: every line holds ceil(C / k) cells of size k, so the value is 2 when 12 divides the
// columns; 64 columns give the counts 64, 32, 22, 16, 11, 6 per line and 1.957447. One vertical line:
// one cell of every size per line, slope 0, value 1. No pixel set: value 1.
TEST(FractalThreshold, FullSetsLinesAndEmptySets) {
  struct Case {
    int columns;
    double value;
  };
  for (const Case& c : {Case{60, 2.0}, Case{72, 2.0}, Case{64, 1.957447}}) {
    BytePlane image(c.columns, 10);
    image.Fill(100);
    const auto below = FractalThresholding(image, kBelowThreshold, 128);  // 100 < 128: all set
    ASSERT_EQ(below.size(), 1u);
    EXPECT_NEAR(below[0].Value, c.value, 5e-7) << c.columns;
    const auto from = FractalThresholding(image, kFromThreshold, 50);  // 100 >= 50: all set
    EXPECT_NEAR(from[0].Value, c.value, 5e-7) << c.columns;
  }
  BytePlane line(64, 10);
  line.Fill(200);
  for (int i = 0; i < 10; ++i) line[i][17] = 10;
  const auto points = FractalThresholding(line, kBelowThreshold, 100);  // 100, 200
  ASSERT_EQ(points.size(), 2u);
  EXPECT_NEAR(points[0].Value, 1.0, 1e-12);  // only the line is below 100
  const auto band = FractalThresholding(line, kInBand, 100);
  EXPECT_NEAR(band[0].Value, 1.0, 1e-12);  // [0, 100): the line
  EXPECT_NEAR(band[1].Value, 1.0, 1e-12);  // [100, 200): nothing
  const std::int64_t empty[6] = {5, 3, 2, 2, 1, 0};
  EXPECT_EQ(LinealValue(empty), 1.0);
}

// Each gray value lies in exactly one band below the last threshold: the band counts of size 1 add up
// to the pixels below it.
TEST(FractalThreshold, BandsSplitTheGrayRange) {
  BytePlane image(12, 1);
  const int grays[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 250, 255};
  for (int j = 0; j < 12; ++j) image[0][j] = static_cast<std::uint8_t>(grays[j]);
  // Step 5: thresholds 5 .. 255, bands [0, 5), [5, 10), ..., [250, 255); 255 lies in none.
  const auto points = FractalThresholding(image, kInBand, 5);
  ASSERT_EQ(points.size(), 51u);
  EXPECT_EQ(points.back().Gray, 255);
  EXPECT_NE(points[0].Value, 1.0);   // five pixels in the first cells
  EXPECT_EQ(points[2].Value, 1.0);   // [10, 15): nothing
  EXPECT_EQ(points[50].Value, 1.0);  // [250, 255): one pixel, at column 10: every size finds one cell
}
