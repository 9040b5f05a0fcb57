#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>

#include "binary/kernels/BrownianMeasures.h"
#include "binary/kernels/BrownianPath.h"
#include "binary/kernels/BrownianWalk.h"
#include "fixtures/Blocks.h"

namespace {

constexpr std::uint8_t kItem = 1;

// A disc, a lone pixel, a diagonal pair, a pair side by side and a pixel on the frame.
BytePlane DiscImage() {
  BytePlane image = UniformPlane(64, 64);
  FillDisc(image, 32, 32, 25, kItem);
  image[3][3] = image[3][10] = image[4][11] = image[60][3] = image[60][4] = image[0][20] = kItem;
  return image;
}

WalkParameters Parameters(int walks, int crossings, int pixels) {
  return {walks, crossings, pixels, kAttemptsPerWalk * walks};
}

std::vector<std::tuple<int, int, bool>> Cells(const std::vector<WalkPoint>& points) {
  std::vector<std::tuple<int, int, bool>> cells;
  for (const WalkPoint& p : points) cells.emplace_back(p.Line, p.Column, p.New);
  return cells;
}

struct LiteralWalk {
  std::vector<WalkPoint> points;
  int crossings = 0;
  std::int64_t displacement = 0;
};

// The kept walks as described step by step (the start drawn by rank among the path's pixels): each
// segment walked point by point until its end pixel, the path or the image left, or the walk done.
std::vector<LiteralWalk> LiteralWalks(const BrownianPath& path, const WalkParameters& p, std::uint32_t seed) {
  WalkRandom random(seed);
  const int lines = path.Visits.Lines(), columns = path.Visits.Columns(), longest = std::max(lines, columns);
  std::vector<LiteralWalk> kept;
  for (int attempt = 0; attempt < p.MaxAttempts && static_cast<int>(kept.size()) < p.WalkCount; ++attempt) {
    BytePlane b = path.Visits.Clone();
    LiteralWalk w;
    const PixelPoint start = path.PixelOfRank(random(static_cast<std::uint32_t>(path.Pixels())));
    int y0 = start.Line, x0 = start.Column, y1 = y0, x1 = x0;
    for (bool over = false; !over;) {
      const double angle = random(360) * std::acos(-1.0) / 180;
      std::uint32_t length = 0;
      while (length < 20) length = random(static_cast<std::uint32_t>(longest));
      y1 = y0 + static_cast<int>(std::sin(angle) * length);
      x1 = x0 + static_cast<int>(std::cos(angle) * length);
      const int n = std::max(std::abs(y1 - y0), std::abs(x1 - x0));
      double fy = y0, fx = x0;
      for (int k = 1; n > 0; ++k) {
        const int y = static_cast<int>(fy + 0.5), x = static_cast<int>(fx + 0.5);
        if (y < 0 || y >= lines || x < 0 || x >= columns) {
          over = true;
          break;
        }
        if (b[y][x] == kOffPath) {  // back to the last point, its crossing taken back
          w.crossings -= !w.points.back().New;
          std::tie(y0, x0) = std::tuple(w.points.back().Line, w.points.back().Column);
          w.points.pop_back();
          break;
        }
        b[y][x] = std::min(k == 1 ? b[y][x] : b[y][x] + 1, 2);
        w.points.push_back({y, x, b[y][x] <= 1});
        w.crossings += b[y][x] > 1;
        over = static_cast<int>(w.points.size()) > p.PathPixels || w.crossings >= p.CrossingCount;
        if (over) break;
        if (y == y1 && x == x1) {
          std::tie(y0, x0) = std::tuple(y1, x1);
          break;
        }
        fy += static_cast<double>(y1 - y0) / n, fx += static_cast<double>(x1 - x0) / n;
      }
      if (n == 0) std::tie(y0, x0) = std::tuple(y1, x1);
    }
    const int dy = y1 - start.Line, dx = x1 - start.Column;
    w.displacement = static_cast<std::int64_t>(std::sqrt(dy * dy + dx * dx));
    if (static_cast<int>(w.points.size()) > p.PathPixels) kept.push_back(std::move(w));
  }
  return kept;
}

}  // namespace

TEST(BrownianWalk, PathOfRankedPixelsTwisterRandomAndKeptWalksWithTheirCrossings) {
  const BytePlane image = DiscImage();
  const BrownianPath path = BuildBrownianPath(image, 1, 1);
  std::vector<PixelPoint> walkable;
  for (int i = 0; i < 64; ++i)
    for (int j = 0; j < 64; ++j) {
      ASSERT_EQ(path.Marks[i][j], image[i][j] == kItem ? 0 : 255);
      if (path.Visits[i][j] == 0) walkable.push_back({i, j});
    }
  // Lone pixels inside the frame go (a diagonal pair is two lone pixels); the frame is left alone.
  EXPECT_EQ(std::tuple(path.Visits[3][3], path.Visits[3][10], path.Visits[4][11], path.Visits[60][3],
                       path.Visits[60][4], path.Visits[0][20]),
            std::tuple(255, 255, 255, 0, 0, 0));
  ASSERT_EQ(path.Pixels(), static_cast<std::int64_t>(walkable.size()));
  for (std::size_t k = 0; k < walkable.size(); ++k) ASSERT_EQ(path.PixelOfRank(k), walkable[k]);
  EXPECT_EQ(std::tuple(BuildBrownianPath(image, 2, 254).Pixels(), BuildBrownianPath(image, 1, 255).Pixels(),
                       BuildBrownianPath(BytePlane(), 1, 1).Pixels()),
            std::tuple(0, 64 * 64, 0));
  std::mt19937 twister(1234);
  WalkRandom random(1234);
  for (std::uint32_t n : {1u, 2u, 360u, 4096u, 1000003u}) EXPECT_EQ(random(n), twister() % n);
  // Kept walks are chains on the path with their crossings counted; the path's visits stay as built.
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    BrownianPath walked = BuildBrownianPath(image, 1, 1);
    std::vector<std::tuple<std::vector<WalkPoint>, int, bool>> traces;  // points, crossings, kept
    WalkRandom seeded(seed);
    const WalkRun run = RunBrownianWalks(walked, Parameters(6, 1000, 60), seeded, [&](const WalkTrace& w) {
      traces.push_back({w.Points, w.Crossings, w.Kept});
    });
    // Far from the border no walk is lost.
    ASSERT_EQ(std::tuple(run.Walks.size(), run.Attempts), std::tuple(6u, 6));
    const std::vector<LiteralWalk> literal = LiteralWalks(path, Parameters(6, 1000, 60), seed);
    ASSERT_EQ(literal.size(), 6u);
    BytePlane expectedMarks = path.Marks.Clone();
    for (std::size_t w = 0; w < traces.size(); ++w) {
      const auto& [points, traced, kept] = traces[w];
      ASSERT_TRUE(kept);
      ASSERT_EQ(std::tuple(points.size(), run.Walks[w].Points), std::tuple(61u, 61));
      int crossings = 0;
      for (std::size_t k = 0; k < points.size(); ++k) {
        const WalkPoint& p = points[k];
        ASSERT_EQ(path.Visits[p.Line][p.Column], kPathPixel);
        crossings += !p.New;
        const WalkPoint& q = points[k > 0 ? k - 1 : 0];  // a step of one pixel at most
        ASSERT_LE(std::max(std::abs(p.Line - q.Line), std::abs(p.Column - q.Column)), 1);
        expectedMarks[p.Line][p.Column] = p.New ? 1 : 2;
      }
      EXPECT_EQ(std::tuple(traced, run.Walks[w].Crossings), std::tuple(crossings, crossings));
      // The points, and the displacement to the end of the segment the walk ended on.
      EXPECT_EQ(std::tuple(Cells(points), run.Walks[w].Displacement),
                std::tuple(Cells(literal[w].points), literal[w].displacement));
    }
    EXPECT_EQ(0, std::memcmp(walked.Marks.Data(), expectedMarks.Data(), walked.Marks.Size()));
    EXPECT_EQ(0, std::memcmp(walked.Visits.Data(), path.Visits.Data(), path.Visits.Size()));
  }
}

// One line of 21 pixels, seed 2: walk 92 starts at (0, 20) towards (-1, 1). Line -1 rounds to 0, so
// that end is never met: the walker goes on to (0, 0), its 21st point, instead of turning at (0, 1).
TEST(BrownianWalk, ASegmentEndsOnItsEndPixelOnlyAndTheDisplacementReachesThatEnd) {
  BrownianPath path = BuildBrownianPath(UniformPlane(21, 1, kItem), 1, 1);
  WalkRandom random(2);
  std::vector<WalkPoint> kept;
  const WalkRun run = RunBrownianWalks(path, Parameters(1, 1000, 20), random, [&](const WalkTrace& w) {
    if (w.Kept) kept = w.Points;
  });
  std::vector<std::tuple<int, int, bool>> line;
  for (int column = 20; column >= 0; --column) line.emplace_back(0, column, true);
  EXPECT_EQ(std::tuple(run.Attempts, run.Walks.size(), Cells(kept)), std::tuple(92, 1u, line));
  const std::vector<LiteralWalk> literal = LiteralWalks(path, Parameters(1, 1000, 20), 2);
  ASSERT_EQ(literal.size(), 1u);
  EXPECT_EQ(std::tuple(Cells(literal[0].points), run.Walks[0].Displacement, literal[0].displacement),
            std::tuple(line, 19, 19));  // trunc(sqrt(1 + 19 x 19))
}

TEST(BrownianWalk, WalksThatCannotGrowAreTriedAHundredTimesEachAndWithoutAPathNoneIs) {
  BytePlane image = UniformPlane(64, 64);
  FillBlock(image, 30, 30, 3, 3, kItem);
  BrownianPath path = BuildBrownianPath(image, 1, 1);
  const BytePlane before = path.Marks.Clone();
  WalkRandom random(5);
  // Nine pixels cannot give 51 points before the second crossing; failed walks leave no mark.
  const WalkRun run = RunBrownianWalks(path, Parameters(3, 2, 50), random);
  EXPECT_EQ(std::tuple(run.Walks.size(), run.Attempts), std::tuple(0u, 300));
  EXPECT_EQ(0, std::memcmp(path.Marks.Data(), before.Data(), before.Size()));
  BrownianPath empty = BuildBrownianPath(UniformPlane(64, 64), 1, 1);
  EXPECT_EQ(RunBrownianWalks(empty, Parameters(3, 5, 10), random).Attempts, 0);
  BrownianPath tooSmall = BuildBrownianPath(UniformPlane(20, 20, kItem), 1, 1);
  EXPECT_EQ(RunBrownianWalks(tooSmall, Parameters(3, 5, 10), random).Attempts, 0);
  EXPECT_EQ(std::tuple(WalksFit(20, 20), WalksFit(5, 21)), std::tuple(false, true));
}

TEST(BrownianMeasures, WalkSlopeOverTheWindowsEndingOnACrossingDimensionsAndMean) {
  // Eight new points, then eight crossings: windows ending on a crossing, s = 1..5: 8/16, 4/8, 3/5, 2/4, 2/3.
  std::vector<WalkPoint> points(16);
  for (int k = 8; k < 16; ++k) points[k].New = false;
  const WalkSlope walk = MeasureWalkSlope(points);
  const int windows[] = {16, 8, 5, 4, 3}, crossings[] = {8, 4, 3, 2, 2};
  ASSERT_EQ(std::tuple(walk.LogWindows.size(), walk.LogCrossings.size()), std::tuple(5u, 5u));
  for (int k = 0; k < 5; ++k) {
    EXPECT_DOUBLE_EQ(walk.LogWindows[k], std::log(windows[k]));
    EXPECT_DOUBLE_EQ(walk.LogCrossings[k], std::log(crossings[k]));
  }
  EXPECT_NEAR(walk.Slope, 1.119889031488279, 1e-12);
  // Two windows ending on a crossing only: no slope.
  std::vector<WalkPoint> eight(8);
  for (int k = 4; k < 8; ++k) eight[k].New = false;
  EXPECT_TRUE(MeasureWalkSlope(eight).LogWindows.size() == 2 && std::isnan(MeasureWalkSlope(eight).Slope));
  // Dimensions and mean from the kept walks.
  const double nan = std::nan("");
  const BrownianDimensions d = MeasureBrownianDimensions({{10, 5, 4, 0.5}, {20, 5, 9, nan}, {40, 8, 1, 1.5}});
  EXPECT_EQ(d.Slopes, 2);
  EXPECT_DOUBLE_EQ(d.Mean, 1.0);  // the walk without a slope does not count
  EXPECT_NEAR(d.Dim2, 1.4770050324266346, 1e-12);
  EXPECT_NEAR(d.S3, std::log(9.0 / 4) / std::log(2.0), 1e-12);  // the walk with a displacement of 1 left out
  EXPECT_NEAR(d.Dim3, 1.4150374992788408, 1e-12);
  // Walks of one length: neither fit has a spread, on either axis.
  const BrownianDimensions same =
      MeasureBrownianDimensions({{51, 5, 4, nan}, {51, 9, 7, nan}, {51, 2, 12, nan}});
  EXPECT_TRUE(std::isnan(same.Dim2) && std::isnan(same.Dim3) && std::isnan(same.Mean) && same.Slopes == 0);
  // Lengths that differ but the same number of new points: no spread in x.
  EXPECT_TRUE(std::isnan(MeasureBrownianDimensions({{10, 5, 4, 1}, {20, 15, 6, 1}}).Dim2));
}
