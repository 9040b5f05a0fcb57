#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "ThreadCounts.h"
#include "binary/kernels/OccupiedCells.h"
#include "binary/kernels/ProgressiveBoxCount.h"
#include "binary/kernels/Resample.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"
#include "fixtures/Patterns.h"

namespace {

class ReductionAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ReductionAtThreads);

// The reduced plane made, then its cells scanned.
std::int64_t ScannedCount(const BytePlane& mask, int lines, int columns) {
  const BytePlane reduced = ResampleByBoxes(mask, lines, columns);
  return std::count_if(reduced.Data(), reduced.Data() + reduced.Size(),
                       [](int v) { return v >= 1 && v <= 254; });
}

// Specks and blocks up to 100 wide, so that empty, full and mixed boxes occur.
BytePlane Speckled(int columns, int lines, std::mt19937& random, int density) {
  BytePlane mask(columns, lines);
  for (std::size_t k = 0; k < mask.Size(); ++k)
    mask.Data()[k] = static_cast<int>(random() % 100) < density ? kStudiedPixel : kOtherPixel;
  for (int k = 0, blocks = 1 + static_cast<int>(random() % 4); k < blocks; ++k) {
    const int top = static_cast<int>(random() % lines), left = static_cast<int>(random() % columns);
    const int side = 1 + static_cast<int>(random() % 100);
    FillBlock(mask, top, left, std::min(side, lines - top), std::min(side, columns - left), kStudiedPixel);
  }
  return mask;
}

// The literal rounds, each reduced plane made and scanned: the sizes b kept, then their counts.
std::pair<std::vector<double>, std::vector<std::int64_t>> LiteralProgressive(const BytePlane& binary,
                                                                             int value, double step) {
  const int lines = binary.Lines(), columns = binary.Columns();
  BytePlane mask(columns, lines);
  for (std::size_t k = 0; k < mask.Size(); ++k)
    mask.Data()[k] = binary.Data()[k] == value ? kStudiedPixel : kOtherPixel;
  std::int64_t lastCount = std::count(mask.Data(), mask.Data() + mask.Size(), kStudiedPixel);
  std::pair<std::vector<double>, std::vector<std::int64_t>> series{{1.0}, {lastCount}};
  std::int64_t lastCells = static_cast<std::int64_t>(lines) * columns;
  const int limit = static_cast<int>(0.1 * std::min(lines, columns));
  double b = 1.0;
  for (int smaller = 100000; smaller > limit;) {
    b += step;
    const int lr = static_cast<int>(lines / b), cr = static_cast<int>(columns / b);
    smaller = std::min(lr, cr);
    if (smaller == 0) break;
    const std::int64_t occupied = ScannedCount(mask, lr, cr);
    if (static_cast<std::int64_t>(lr) * cr < lastCells && occupied > 0 && occupied < lastCount) {
      series.first.push_back(b);
      series.second.push_back(occupied);
      lastCells = static_cast<std::int64_t>(lr) * cr;
      if (occupied == lastCells) break;
      lastCount = occupied;
    }
  }
  return series;
}

// Literal reduction: weights rebuilt per box, the remainder taken a pixel at a time, rows outer.
std::vector<double> LiteralWeights(double start, double side, int& first) {
  first = static_cast<int>(std::floor(start));
  const double upper = std::ceil(start) == start ? start + 1 : std::ceil(start);
  std::vector<double> weights = {upper - start};
  double rest = side - weights[0];
  for (; rest >= 1.0; rest -= 1.0) weights.push_back(1.0);
  weights.push_back(rest);
  return weights;
}

BytePlane LiteralResample(const BytePlane& src, int dl, int dc) {
  const int sl = src.Lines(), sc = src.Columns();
  const double hy = 1.0 / (static_cast<double>(dl) / sl), hx = 1.0 / (static_cast<double>(dc) / sc);
  BytePlane dst(dc, dl);
  for (int i = 0; i < dl; ++i)
    for (int j = 0; j < dc; ++j) {
      int r0 = 0, c0 = 0;
      const std::vector<double> wy = LiteralWeights(i * hy, hy, r0), wx = LiteralWeights(j * hx, hx, c0);
      double sum = 0;
      for (std::size_t u = 0; u < wy.size(); ++u)
        for (std::size_t v = 0; v < wx.size(); ++v) {
          const int r = r0 + static_cast<int>(u), c = c0 + static_cast<int>(v);
          if (r >= 0 && r < sl && c >= 0 && c < sc) sum += wy[u] * wx[v] * src[r][c];
        }
      dst[i][j] = static_cast<std::uint8_t>(std::min(255.0, std::trunc(sum / (hy * hx) + 0.5)));
    }
  return dst;
}

}  // namespace

// Two-valued masks (specks and blocks) and gray planes, reduced to every size.
TEST_P(ReductionAtThreads, OccupiedCellsAndResampleMatchTheLiteralReduction) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 30; ++trial) {
    const int lines = 1 + static_cast<int>(random() % 150), columns = 1 + static_cast<int>(random() % 150);
    const BytePlane mask = Speckled(columns, lines, random, static_cast<int>(random() % 12));
    const BytePlane gray = MakeRandomGray(columns, lines, random());
    const OccupiedCellCounter counter(mask);
    for (int k = 0; k < 8; ++k) {
      const int dl = 1 + static_cast<int>(random() % lines), dc = 1 + static_cast<int>(random() % columns);
      SCOPED_TRACE(testing::Message() << lines << "x" << columns << " -> " << dl << "x" << dc);
      ASSERT_EQ(counter.Count(dl, dc), ScannedCount(mask, dl, dc));
      const BytePlane& source = k % 2 ? gray : mask;
      ASSERT_EQ(PlaneText(ResampleByBoxes(source, dl, dc)), PlaneText(LiteralResample(source, dl, dc)));
    }
  }
}

TEST(OccupiedCells, RefusedSizesAndTheRoundingLimit) {
  const BytePlane carpet = fixtures::SierpinskiCarpet(5);  // 243 x 243
  const OccupiedCellCounter counter(carpet);
  EXPECT_EQ(std::tuple(counter.Count(0, 5), counter.Count(244, 5)), std::tuple(0, 0));
  // Boxes of 254 x 254: 127 studied pixels give 254.5, rounded to the background 255.
  for (const int studied : {126, 127, 128}) {
    BytePlane mask = UniformPlane(508, 508, kOtherPixel);
    FillBlock(mask, 100, 0, 1, studied, kStudiedPixel);
    EXPECT_EQ(OccupiedCellCounter(mask).Count(2, 2), studied > 127 ? 1 : 0) << studied;
  }
  // A pixel's corner weight puts the box's sum within a few ulps of 254.5.
  BytePlane corner = UniformPlane(254, 254, kOtherPixel);
  corner[63][126] = kStudiedPixel;
  EXPECT_EQ(OccupiedCellCounter(corner).Count(129, 129), ScannedCount(corner, 129, 129));
}

TEST(ProgressiveBoxCount, KeepsThePointsOfTheRoundsWrittenOutRefusesUnusableSteps) {
  const auto expect = [](const BytePlane& plane, int value, double step) {
    const ProgressiveResult result = ProgressiveBoxCounting(plane, value, step);
    EXPECT_EQ(std::pair(result.BoxSizes, result.Counts), LiteralProgressive(plane, value, step))
        << plane.Lines() << " lines, step " << step;
  };
  std::mt19937 random(17);
  expect(fixtures::SierpinskiCarpet(4), 255, 0.5);
  expect(Speckled(23, 150, random, 20), kStudiedPixel, 1.0);
  expect(fixtures::FilledSquare(40, 40, 5, 5, 20), 1, 0.05);
  for (const double step : {0.0, -1.0, 1e-17, 1e-4, std::nan(""), HUGE_VAL})
    EXPECT_FALSE(ProgressiveStepUsable(4096, 4096, step)) << step;
  EXPECT_TRUE(ProgressiveStepUsable(4096, 4096, 1e-3) && ProgressiveStepUsable(4096, 4096, 1e300));
  // A step b never grows by; an absent code; a step beyond the image.
  const BytePlane carpet = fixtures::SierpinskiCarpet(3);
  EXPECT_TRUE(ProgressiveBoxCounting(carpet, 1, 1e-17).BoxSizes.empty());
  const ProgressiveResult absent = ProgressiveBoxCounting(carpet, 7, 0.5);
  EXPECT_TRUE(absent.Counts == std::vector<std::int64_t>{0} && absent.PointCount() == 0 && !absent.Defined &&
              std::isnan(absent.Dimension));
  EXPECT_EQ(ProgressiveBoxCounting(carpet, 1, 1e300).PointCount(), 1);
  const ProgressiveResult row = ProgressiveBoxCounting(fixtures::FullRow(256, 100), 1, 1.0);
  EXPECT_TRUE(row.Defined && row.Counts[0] == 256);
  EXPECT_NEAR(row.Dimension, 1.0, 0.05);
}

TEST(ResampleByBoxes, HandWorkedBoxesAndRefusedSizes) {
  // Halvings: 512 / 4 = 128; 766 / 4 = 191.5 rounded up; 12 to 11 columns: exactly 64.5, not 64.
  EXPECT_EQ(PlaneText(ResampleByBoxes(PlaneFromText("11\n..\n"), 1, 1)), "(128)\n");
  EXPECT_EQ(PlaneText(ResampleByBoxes(PlaneFromText("1.\n..\n"), 1, 1)), "(192)\n");
  EXPECT_EQ(ResampleByBoxes(PlaneFromText("111.11111111\n"), 1, 11)[0][2], 65);
  // Unusable sizes are refused and write nothing.
  const BytePlane source = UniformPlane(10, 10, 1);
  BytePlane destination = UniformPlane(10, 10, 42), small(2, 2);
  const int sizes[][4] = {{10, 10, 0, 5},  {10, 10, 5, -1}, {10, 10, 11, 5},
                          {10, 10, 5, 11}, {11, 10, 5, 5},  {10, 12, 5, 5}};
  for (const auto& [sl, sc, dl, dc] : sizes) {
    EXPECT_FALSE(ResampleByBoxes(source, destination, sl, sc, dl, dc)) << sl << sc << dl << dc;
    EXPECT_EQ(PlaneText(destination), PlaneText(UniformPlane(10, 10, 42)));
  }
  EXPECT_FALSE(ResampleByBoxes(source, small, 10, 10, 3, 3));
  EXPECT_TRUE(ResampleByBoxes(source, 0, 3).Empty() && ResampleByBoxes(source, 3, 11).Empty());
}
