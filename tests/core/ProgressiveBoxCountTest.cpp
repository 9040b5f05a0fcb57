#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "binary/kernels/OccupiedCells.h"
#include "binary/kernels/ProgressiveBoxCount.h"
#include "binary/kernels/Resample.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"
#include "imaging/Parallel.h"

namespace {

// The count as the treatment describes it: the reduced plane made, then its cells scanned.
std::int64_t ScannedCount(const BytePlane& mask, int lines, int columns) {
  const BytePlane reduced = ResampleByBoxes(mask, lines, columns);
  return std::count_if(reduced.Data(), reduced.Data() + reduced.Size(),
                       [](int v) { return v >= 1 && v <= 254; });
}

// Studied pixels in specks and blocks up to 100 pixels wide (whole words of them), so that boxes of
// every kind (empty, full, mixed) occur.
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

// The rounds as the treatment states them, each reduced plane made and scanned: the sizes b kept,
// then their counts.
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

}  // namespace

TEST(OccupiedCells, CountsWhatTheReducedPlaneHoldsForEverySize) {
  std::mt19937 random(5);
  for (const int threads : {1, 4}) {
    parallel::SetThreadLimit(threads);
    for (int trial = 0; trial < 24; ++trial) {
      const int lines = 2 + static_cast<int>(random() % 200), columns = 2 + static_cast<int>(random() % 200);
      const BytePlane mask = Speckled(columns, lines, random, static_cast<int>(random() % 12));
      const OccupiedCellCounter counter(mask);
      for (int k = 0; k < 12; ++k) {
        const int dl = 1 + static_cast<int>(random() % lines), dc = 1 + static_cast<int>(random() % columns);
        ASSERT_EQ(counter.Count(dl, dc), ScannedCount(mask, dl, dc))
            << lines << "x" << columns << " -> " << dl << "x" << dc;
      }
    }
  }
  parallel::SetThreadLimit(0);
}

TEST(OccupiedCells, AgreesWithTheScanOnAFractalAndOnTheRoundingLimit) {
  const BytePlane carpet = fixtures::SierpinskiCarpet(5);  // 243 x 243
  const OccupiedCellCounter counter(carpet);
  for (int side = 243; side >= 20; --side)
    ASSERT_EQ(counter.Count(side, side), ScannedCount(carpet, side, side)) << side;
  EXPECT_EQ(std::tuple(counter.Count(0, 5), counter.Count(244, 5)), std::tuple(0, 0));
  // Boxes of 254 x 254 pixels: 127 studied pixels give 254.5, which rounds to the background 255;
  // one more makes the box occupied.
  for (const int studied : {126, 127, 128}) {
    BytePlane mask = UniformPlane(508, 508, kOtherPixel);
    FillBlock(mask, 100, 0, 1, studied, kStudiedPixel);
    EXPECT_EQ(OccupiedCellCounter(mask).Count(2, 2), studied > 127 ? 1 : 0) << studied;
  }
  // Boxes of 254 / 129 pixels: the box of cell (31, 64) holds only a corner of pixel (63, 126), whose
  // weight puts its sum within a few units in the last place of 254.5.
  BytePlane corner = UniformPlane(254, 254, kOtherPixel);
  corner[63][126] = kStudiedPixel;
  EXPECT_EQ(OccupiedCellCounter(corner).Count(129, 129), ScannedCount(corner, 129, 129));
}

TEST(ProgressiveBoxCount, KeepsTheSamePointsAsTheRoundsWrittenOut) {
  const auto expect = [](const BytePlane& plane, int value, double step) {
    const ProgressiveResult result = ProgressiveBoxCounting(plane, value, step);
    EXPECT_EQ(std::pair(result.BoxSizes, result.Counts), LiteralProgressive(plane, value, step))
        << plane.Lines() << " lines, step " << step;
  };
  std::mt19937 random(17);
  expect(fixtures::SierpinskiCarpet(4), 1, 0.25);
  expect(fixtures::SierpinskiCarpet(4), 255, 0.5);
  expect(fixtures::SierpinskiTriangle(64), 1, 0.1);
  expect(Speckled(90, 61, random, 3), kStudiedPixel, 0.3);
  expect(Speckled(23, 150, random, 20), kStudiedPixel, 1.0);
  expect(fixtures::FilledSquare(40, 40, 5, 5, 20), 1, 0.05);
}

TEST(ProgressiveBoxCount, UnusableStepsEmptyItemsAndALine) {
  for (const double step : {0.0, -1.0, 1e-17, 1e-4, std::nan(""), HUGE_VAL})
    EXPECT_FALSE(ProgressiveStepUsable(4096, 4096, step)) << step;
  EXPECT_TRUE(ProgressiveStepUsable(4096, 4096, 1e-3) && ProgressiveStepUsable(4096, 4096, 1e300));
  // A step that b would never grow by; a code nobody bears (one point of count 0, nothing to fit);
  // a step beyond the image (the first point alone).
  const BytePlane carpet = fixtures::SierpinskiCarpet(3);
  EXPECT_TRUE(ProgressiveBoxCounting(carpet, 1, 1e-17).BoxSizes.empty());
  const ProgressiveResult absent = ProgressiveBoxCounting(carpet, 7, 0.5);
  EXPECT_EQ(std::tuple(absent.Counts, absent.PointCount(), absent.Defined),
            std::tuple(std::vector<std::int64_t>{0}, 0, false));
  EXPECT_TRUE(std::isnan(absent.Dimension));
  EXPECT_EQ(ProgressiveBoxCounting(carpet, 1, 1e300).PointCount(), 1);
  // One full line of 256 pixels: about 256 / b cells, a line of items.
  const ProgressiveResult row = ProgressiveBoxCounting(fixtures::FullRow(256, 100), 1, 1.0);
  EXPECT_TRUE(row.Defined && row.Counts[0] == 256);
  EXPECT_NEAR(row.Dimension, 1.0, 0.05);
}
