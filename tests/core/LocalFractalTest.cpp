#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "fixtures/Patterns.h"
#include "graytone/kernels/LocalFractal.h"
#include "imaging/Parallel.h"

namespace {

// The treatment as first written, kept as the reference: for every pixel, two windows voxelised into
// a 26^3 cube cleared before each window, and every box of every size scanned voxel by voxel.
struct Literal {
  DoublePlane fd;
  double min = 100000.0, max = 0, sum = 0;
  long count = 0;
  double last = 0;
};

Literal LiteralLocalFractal(const BytePlane& image, int windowSize, double hFactor) {
  static unsigned char cube[26][26][26];
  const int lines = image.Lines(), columns = image.Columns();
  const int h = windowSize == 12 ? 6 : 12, n = 2 * h;
  const std::vector<int> sizes =
      h == 6 ? std::vector<int>{1, 2, 3, 4, 6} : std::vector<int>{1, 2, 3, 4, 6, 12};
  const double S = 100 * hFactor;
  Literal out;
  out.fd = DoublePlane(columns, lines);
  for (int i = h; i <= lines - h; ++i) {
    for (int j = h; j <= columns - h; ++j) {
      const int gRef = image[i - 1][j - 1];
      double d[2];
      for (int window = 0; window < 2; ++window) {
        const int top0 = window == 0 ? i - h + 1 : i - h, left0 = window == 0 ? j - h + 1 : j - h;
        std::memset(cube, 0, sizeof cube);
        for (int r = 1; r <= 2 * h - 1; ++r) {
          for (int c = 1; c <= 2 * h - 1; ++c) {
            const int g = image[top0 + r - 1][left0 + c - 1];
            double top = g > gRef ? h + std::trunc((g - gRef) / S) : h - std::trunc((gRef - g) / S);
            top = std::min(std::max(top, 0.0), 2.0 * h);
            for (int z = 1; z <= static_cast<int>(top); ++z) cube[r][c][z] = 1;
          }
        }
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        int p = 0;
        for (int s : sizes) {
          int count = 0;
          for (int br = 1; br <= n; br += s)
            for (int bc = 1; bc <= n; bc += s)
              for (int bz = 1; bz <= n; bz += s) {
                bool any = false;
                for (int r = br; r < br + s && !any; ++r)
                  for (int c = bc; c < bc + s && !any; ++c)
                    for (int z = bz; z < bz + s && !any; ++z) any = cube[r][c][z] != 0;
                count += any;
              }
          if (count > 0) {
            const double x = std::log(static_cast<double>(s)), y = std::log(static_cast<double>(count));
            sx += x;
            sy += y;
            sxx += x * x;
            sxy += x * y;
            ++p;
          }
        }
        d[window] = 0;
        if (p >= 2) {
          d[window] = -((p * sxy - sx * sy) / (p * sxx - sx * sx));
          if (d[window] < 0) d[window] = 0;
        }
      }
      const double fd = (d[0] + d[1]) * 0.5;
      out.fd[i][j] = fd;
      out.last = fd;
      if (fd > out.max) out.max = fd;
      if (fd < out.min) out.min = fd;
      out.sum += fd;
      ++out.count;
    }
  }
  return out;
}

// Uniform values in [low, low + span).
BytePlane RandomSurface(int columns, int lines, std::uint32_t seed, int low, int span) {
  BytePlane plane = MakeRandomGray(columns, lines, seed);
  for (std::size_t k = 0; k < plane.Size(); ++k)
    plane.Data()[k] = static_cast<std::uint8_t>(low + plane.Data()[k] % span);
  return plane;
}

LocalFractalResult RunKernel(const BytePlane& image, int windowSize, double hFactor, DoublePlane& fd,
                             int pieceLines = 128, int pieceColumns = 512) {
  fd = DoublePlane(image.Columns(), image.Lines());
  LocalFractalParams params;
  params.WindowSize = windowSize;
  params.HFactor = hFactor;
  params.PieceLines = pieceLines;
  params.PieceColumns = pieceColumns;
  return LocalFractalDimension(image, params, fd);
}

void ExpectSameAsLiteral(const BytePlane& image, int windowSize, double hFactor, int pieceLines,
                         int pieceColumns) {
  const Literal literal = LiteralLocalFractal(image, windowSize, hFactor);
  DoublePlane fd;
  const LocalFractalResult result = RunKernel(image, windowSize, hFactor, fd, pieceLines, pieceColumns);
  ASSERT_TRUE(result.Computed);
  int mismatches = 0;
  for (int i = result.FirstLine; i <= result.LastLine; ++i)
    for (int j = result.FirstColumn; j <= result.LastColumn; ++j)
      if (fd[i][j] != literal.fd[i][j] && ++mismatches <= 3)
        ADD_FAILURE() << "pixel " << i << "," << j << ": " << fd[i][j] << " vs " << literal.fd[i][j];
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(result.Count, literal.count);
  EXPECT_EQ(result.Min, literal.min);
  EXPECT_EQ(result.Max, literal.max);
  EXPECT_EQ(result.Sum, literal.sum);
  EXPECT_EQ(result.LastDimension, literal.last);
}

}  // namespace

// Random images of full and narrow gray ranges, both windows, positive, negative, tiny and huge
// scales, and pieces small enough that many windows straddle their edges.
TEST(LocalFractal, EqualsTheLiteralTreatmentBitForBit) {
  struct Case {
    int windowSize;
    double h;
    int low, span;
    int columns, lines, pieceLines, pieceColumns;
  };
  const Case cases[] = {
      {12, 0.2, 0, 256, 31, 29, 5, 7},     {12, 0.05, 100, 40, 27, 33, 128, 512},
      {12, -0.3, 0, 256, 30, 25, 4, 9},    {12, 1e-12, 120, 3, 26, 26, 3, 3},
      {12, 7.5, 0, 256, 25, 24, 128, 512}, {24, 0.15, 0, 256, 41, 38, 6, 11},
      {24, -0.07, 60, 90, 36, 40, 9, 5},   {24, 1.0, 0, 256, 37, 35, 128, 512},
  };
  std::uint32_t seed = 11;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "window " << c.windowSize << " H " << c.h << " " << c.columns << "x"
                                    << c.lines << " pieces " << c.pieceLines << "x" << c.pieceColumns);
    ExpectSameAsLiteral(RandomSurface(c.columns, c.lines, seed++, c.low, c.span), c.windowSize, c.h,
                        c.pieceLines, c.pieceColumns);
  }
}

TEST(LocalFractal, OneThreadAndAllThreadsGiveTheSamePlane) {
  const BytePlane image = RandomSurface(300, 170, 5, 0, 256);
  DoublePlane all, one;
  RunKernel(image, 24, 0.2, all, 16, 40);
  parallel::SetThreadLimit(1);
  RunKernel(image, 24, 0.2, one, 16, 40);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(std::memcmp(all.Data(), one.Data(), all.Size() * sizeof(double)), 0);
}

// A flat surface fills the lower half of every cube: for h = 6 the counts 11 x 11 x 6 = 726,
// 6 x 6 x 3 = 108, 4 x 4 x 2 = 32, 3 x 3 x 2 = 18 and 2 x 2 x 1 = 4; for h = 12 the counts 6348, 864,
// 256, 108, 32, 4. A flat surface is not of dimension 2: the last line and column of the cube stay
// empty and the half-filled boxes count whole.
TEST(LocalFractal, FlatImageGivesTheCountsOfAHalfFilledCube) {
  const auto slopeOf = [](const std::vector<int>& sizes, const std::vector<double>& counts) {
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const int p = static_cast<int>(sizes.size());
    for (int k = 0; k < p; ++k) {
      const double x = std::log(static_cast<double>(sizes[k])), y = std::log(counts[k]);
      sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    return -(p * sxy - sx * sy) / (p * sxx - sx * sx);
  };
  struct Case {
    int windowSize;
    std::vector<int> sizes;
    std::vector<double> counts;
    double printed;
  };
  const Case cases[] = {{12, {1, 2, 3, 4, 6}, {726, 108, 32, 18, 4}, 2.8479424276},
                        {24, {1, 2, 3, 4, 6, 12}, {6348, 864, 256, 108, 32, 4}, 2.9716639884}};
  for (const Case& c : cases) {
    BytePlane flat(40, 30);
    flat.Fill(77);
    DoublePlane fd;
    const LocalFractalResult result = RunKernel(flat, c.windowSize, 0.5, fd);
    const double expected = slopeOf(c.sizes, c.counts);
    EXPECT_EQ(result.Min, expected);
    EXPECT_EQ(result.Max, expected);
    EXPECT_NEAR(result.LastDimension, c.printed, 1e-4);
    ASSERT_EQ(result.LastLogCounts.size(), c.counts.size());
    for (std::size_t k = 0; k < c.counts.size(); ++k) {
      EXPECT_EQ(result.LastLogCounts[k], std::log(c.counts[k]));
      EXPECT_EQ(result.LastLogSizes[k], std::log(static_cast<double>(c.sizes[k])));
    }
  }
}

TEST(LocalFractal, ComputedZoneAndImagesTooSmall) {
  struct Case {
    int columns, lines, windowSize;
    bool computed;
    int lastLine, lastColumn;
  };
  const Case cases[] = {
      {12, 12, 12, true, 6, 6},    // exactly 2h: one line and one column
      {11, 30, 12, false, 0, 0},   // narrower than the window
      {30, 23, 24, false, 0, 0},   // lower than the window
      {40, 25, 24, true, 13, 28},  // lines h .. lines - h
  };
  for (const Case& c : cases) {
    BytePlane image(c.columns, c.lines);
    DoublePlane fd;
    const LocalFractalResult result = RunKernel(image, c.windowSize, 1.0, fd);
    EXPECT_EQ(result.Computed, c.computed) << c.columns << "x" << c.lines;
    if (!c.computed) continue;
    EXPECT_EQ(result.LastLine, c.lastLine);
    EXPECT_EQ(result.LastColumn, c.lastColumn);
    EXPECT_EQ(result.Count, (c.lastLine - result.FirstLine + 1) * (c.lastColumn - result.FirstColumn + 1));
  }
}

TEST(LocalFractal, RefusesWhatCannotBeComputed) {
  const BytePlane image = RandomSurface(30, 30, 3, 0, 256);
  DoublePlane fd(30, 30), wrongSize(29, 30);
  LocalFractalParams params;
  params.HFactor = 0;
  EXPECT_FALSE(LocalFractalDimension(image, params, fd).Computed);
  params.HFactor = std::nan("");
  EXPECT_FALSE(LocalFractalDimension(image, params, fd).Computed);
  params.HFactor = 1;
  params.WindowSize = 13;
  EXPECT_FALSE(LocalFractalDimension(image, params, fd).Computed);
  params.WindowSize = 12;
  EXPECT_FALSE(LocalFractalDimension(image, params, wrongSize).Computed);
  EXPECT_FALSE(LocalFractalDimension(BytePlane(), params, fd).Computed);
}

// The top of a voxel column: h plus the height difference in voxels, within the cube on both sides.
TEST(LocalFractal, TopOfAColumnStaysInTheCube) {
  EXPECT_EQ(LocalFractalTop(0, 6, 20), 6);
  EXPECT_EQ(LocalFractalTop(39, 6, 20), 7);
  EXPECT_EQ(LocalFractalTop(-40, 6, 20), 4);
  EXPECT_EQ(LocalFractalTop(255, 6, 20), 12);    // 6 + 12 capped at 2h
  EXPECT_EQ(LocalFractalTop(-255, 6, 20), 0);    // below the cube: no voxel
  EXPECT_EQ(LocalFractalTop(-255, 6, -20), 12);  // a negative scale turns the cube over
  EXPECT_EQ(LocalFractalTop(255, 6, -20), 0);
  EXPECT_EQ(LocalFractalTop(1, 12, 1e-300), 24);  // the quotient would overflow an int
  EXPECT_EQ(LocalFractalTop(-1, 12, 1e-300), 0);
}

TEST(LocalFractal, ProgressIsReportedUpToTheWhole) {
  const BytePlane image = RandomSurface(60, 60, 9, 0, 256);
  DoublePlane fd(60, 60);
  LocalFractalParams params;
  params.HFactor = 0.3;
  params.PieceLines = 10;
  std::vector<double> fractions;
  LocalFractalDimension(image, params, fd, [&](double f) { fractions.push_back(f); });
  ASSERT_FALSE(fractions.empty());
  EXPECT_EQ(fractions.back(), 1.0);
  for (std::size_t k = 1; k < fractions.size(); ++k) EXPECT_GE(fractions[k], fractions[k - 1]);
}
