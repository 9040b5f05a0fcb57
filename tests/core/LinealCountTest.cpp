#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "binary/kernels/LinealCount.h"
#include "fixtures/Fractals.h"
#include "imaging/Parallel.h"

namespace {

// The traces as the treatment states them: a mask, each trace copied into a buffer padded with
// 255 to the next multiple of 12 above, segments counted, per-trace slopes over five sizes.
LinealResult LiteralLineal(const BytePlane& binary, int code, bool lines) {
  const int traces = lines ? binary.Lines() : binary.Columns();
  const int n = lines ? binary.Columns() : binary.Lines();
  const int padded = n + 12 - n % 12;
  const int sizes[6] = {1, 2, 3, 4, 6, 12};
  LinealResult result;
  for (int t = 0; t < traces; ++t) {
    std::vector<int> buffer(padded, 255);
    for (int k = 0; k < n; ++k) buffer[k] = (lines ? binary[t][k] : binary[k][t]) == code ? 1 : 255;
    long long counts[6] = {};
    for (int s = 0; s < 6; ++s)
      for (int j = 0; j < padded; j += sizes[s]) {
        bool hit = false;
        for (int k = j; k < j + sizes[s]; ++k) hit = hit || buffer[k] == 1;
        counts[s] += hit;
      }
    if (counts[0] == 0) continue;
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (int s = 0; s < 5; ++s) {
      const double x = std::log(static_cast<double>(sizes[s])), y = std::log(static_cast<double>(counts[s]));
      sxy += x * y;
      sx += x;
      sxx += x * x;
      sy += y;
    }
    result.SlopeSum += -(5 * sxy - sx * sy) / (5 * sxx - sx * sx);
    result.TraceCount += 1;
    for (int s = 0; s < 6; ++s) result.Totals[s] += counts[s];
  }
  return result;
}

BytePlane Filled(int lines, int columns) {
  return fixtures::FilledSquare(lines, columns, 0, 0, std::max(lines, columns));
}

std::string Printed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%lf", value);
  return text;
}

}  // namespace

TEST(LinealCount, TracesCountLikeThePaddedBuffersAtEveryThreadCount) {
  std::mt19937 random(23);
  for (const int threads : {1, 3}) {
    parallel::SetThreadLimit(threads);
    for (int trial = 0; trial < 20; ++trial) {
      const int lines = 1 + static_cast<int>(random() % 70), columns = 1 + static_cast<int>(random() % 70);
      BytePlane plane(columns, lines);
      const int density = static_cast<int>(random() % 60);
      for (std::size_t k = 0; k < plane.Size(); ++k)
        plane.Data()[k] =
            static_cast<int>(random() % 100) < density ? 4 : static_cast<std::uint8_t>(random() % 3);
      for (const bool lines_ : {true, false}) {
        const LinealResult got =
            LinealCounting(plane, 4, lines_ ? LinealOrientation::Lines : LinealOrientation::Columns);
        const LinealResult expected = LiteralLineal(plane, 4, lines_);
        ASSERT_EQ(got.Totals, expected.Totals) << lines << "x" << columns;
        ASSERT_EQ(got.TraceCount, expected.TraceCount);
        ASSERT_NEAR(got.SlopeSum, expected.SlopeSum, 1e-12);
      }
    }
  }
  parallel::SetThreadLimit(0);
}

TEST(LinealCount, HandWorkedDimensions) {
  struct Case {
    const char* name;
    BytePlane plane;
    LinealOrientation orientation;
    std::array<std::int64_t, 6> totals;
    const char *mean, *global;
  };
  BytePlane onePerRow(50, 10);
  onePerRow.Fill(255);
  for (int i = 0; i < 10; ++i) onePerRow[i][(7 * i) % 50] = 1;
  Case cases[] = {
      // 36 columns: 36, 18, 12, 9, 6, 3 on each line, all on the line of slope -1.
      {"full lines of 36",
       Filled(4, 36),
       LinealOrientation::Lines,
       {144, 72, 48, 36, 24, 12},
       "2.000000",
       "2.000000"},
      // Columns of 24: 24, 12, 8, 6, 4, 2.
      {"full columns of 24",
       Filled(24, 5),
       LinealOrientation::Columns,
       {120, 60, 40, 30, 20, 10},
       "2.000000",
       "2.000000"},
      // 256 is no multiple of 3 or 12: 256, 128, 86, 64, 43, 22 a line.
      {"full lines of 256",
       Filled(2, 256),
       LinealOrientation::Lines,
       {512, 256, 172, 128, 86, 44},
       "1.996264",
       "1.988911"},
      // One pixel a line counts 1 at every size: slope 0.
      {"one pixel a line",
       std::move(onePerRow),
       LinealOrientation::Lines,
       {10, 10, 10, 10, 10, 10},
       "1.000000",
       "1.000000"},
  };
  for (const Case& c : cases) {
    const LinealResult result = LinealCounting(c.plane, 1, c.orientation);
    EXPECT_EQ(result.Totals, c.totals) << c.name;
    EXPECT_EQ(Printed(result.MeanDimension), c.mean) << c.name;
    EXPECT_EQ(Printed(result.GlobalDimension), c.global) << c.name;
    EXPECT_NEAR(result.MeanSlope + result.MeanDimension, 1.0, 1e-12) << c.name;
  }
}

TEST(LinealCount, LinesFitSixPointsColumnsFive) {
  EXPECT_EQ(GlobalFitPoints(LinealOrientation::Lines), 6);
  EXPECT_EQ(GlobalFitPoints(LinealOrientation::Columns), 5);
  // The same picture turned a quarter: equal totals, different global slopes.
  const BytePlane triangle = fixtures::SierpinskiTriangle(64);
  BytePlane turned(64, 64);
  for (int i = 0; i < 64; ++i)
    for (int j = 0; j < 64; ++j) turned[j][i] = triangle[i][j];
  const LinealResult lines = LinealCounting(triangle, 1, LinealOrientation::Lines);
  const LinealResult columns = LinealCounting(turned, 1, LinealOrientation::Columns);
  EXPECT_EQ(lines.Totals, columns.Totals);
  EXPECT_EQ(lines.SlopeSum, columns.SlopeSum);
  EXPECT_NE(lines.GlobalSlope, columns.GlobalSlope);
  EXPECT_EQ(PaddedTraceLength(24), 36);
  EXPECT_EQ(PaddedTraceLength(25), 36);
  EXPECT_EQ(PaddedTraceLength(36), 48);
}

TEST(LinealCount, AnAbsentCodeGivesNoTraceAndNoDimension) {
  for (const int code : {7, -1, 300}) {
    const LinealResult result = LinealCounting(Filled(12, 12), code, LinealOrientation::Lines);
    EXPECT_FALSE(result.Defined()) << code;
    EXPECT_EQ(result.TraceCount, 0);
    EXPECT_TRUE(std::isnan(result.MeanDimension));
    EXPECT_TRUE(std::isnan(result.GlobalDimension));
    EXPECT_TRUE(std::isnan(result.LogCount[0]));
  }
  EXPECT_FALSE(LinealCounting(BytePlane(), 1, LinealOrientation::Columns).Defined());
}
