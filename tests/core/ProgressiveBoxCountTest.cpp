#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "binary/kernels/OccupiedCells.h"
#include "binary/kernels/ProgressiveBoxCount.h"
#include "binary/kernels/Resample.h"
#include "fixtures/Fractals.h"
#include "imaging/Parallel.h"

namespace {

// The count as the treatment describes it: the reduced plane made, then its cells scanned.
std::int64_t ScannedCount(const BytePlane& mask, int lines, int columns) {
  const BytePlane reduced = ResampleByBoxes(mask, lines, columns);
  std::int64_t n = 0;
  for (std::size_t k = 0; k < reduced.Size(); ++k) n += reduced.Data()[k] >= 1 && reduced.Data()[k] <= 254;
  return n;
}

// Studied pixels in blobs and specks, so that boxes of every kind (empty, full, mixed) occur.
BytePlane Speckled(int columns, int lines, std::mt19937& random, int density) {
  BytePlane mask(columns, lines);
  mask.Fill(kOtherPixel);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j)
      if (static_cast<int>(random() % 100) < density) mask[i][j] = kStudiedPixel;
  const int blobs = 1 + static_cast<int>(random() % 4);
  for (int k = 0; k < blobs; ++k) {
    const int top = static_cast<int>(random() % lines), left = static_cast<int>(random() % columns);
    const int side = 1 + static_cast<int>(random() % 100);  // wide enough to fill whole words
    for (int i = top; i < std::min(lines, top + side); ++i)
      for (int j = left; j < std::min(columns, left + side); ++j) mask[i][j] = kStudiedPixel;
  }
  return mask;
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

TEST(OccupiedCells, EveryReductionOfAFractalAgreesWithTheScan) {
  const BytePlane carpet = fixtures::SierpinskiCarpet(5);  // 243 x 243
  const OccupiedCellCounter counter(carpet);
  EXPECT_EQ(counter.StudiedPixels(), 32768);  // 8^5
  for (int side = 243; side >= 20; --side)
    ASSERT_EQ(counter.Count(side, side), ScannedCount(carpet, side, side)) << side;
  EXPECT_EQ(counter.Count(0, 5), 0);
  EXPECT_EQ(counter.Count(244, 5), 0);
}

TEST(OccupiedCells, ABoxExactlyOnTheRoundingLimitIsSettledByTheExactSum) {
  // Boxes of 254 x 254 pixels: 127 studied pixels give 254.5, which rounds to the background 255;
  // one more makes the box occupied.
  for (const int studied : {126, 127, 128}) {
    BytePlane mask(508, 508);
    mask.Fill(kOtherPixel);
    for (int j = 0; j < studied; ++j) mask[100][j] = kStudiedPixel;
    const OccupiedCellCounter counter(mask);
    EXPECT_EQ(counter.Count(2, 2), studied > 127 ? 1 : 0) << studied;
    EXPECT_EQ(counter.Count(2, 2), ScannedCount(mask, 2, 2)) << studied;
  }
}

TEST(OccupiedCells, SmallBoxesOnTheRoundingLimitAgreeWithTheScan) {
  // Boxes of 254 / 129 pixels: the box of cell (31, 64) holds only a corner of pixel (63, 126), whose
  // weight puts its sum within a few units in the last place of 254.5.
  BytePlane mask(254, 254);
  mask.Fill(kOtherPixel);
  mask[63][126] = kStudiedPixel;
  const OccupiedCellCounter counter(mask);
  EXPECT_EQ(counter.Count(129, 129), ScannedCount(mask, 129, 129));
}

namespace {

struct LiteralSeries {
  std::vector<double> sizes;
  std::vector<std::int64_t> counts;
};

// The rounds as the treatment states them, each reduced plane made and scanned.
LiteralSeries LiteralProgressive(const BytePlane& binary, int value, double step) {
  const int lines = binary.Lines(), columns = binary.Columns();
  BytePlane mask(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) mask[i][j] = binary[i][j] == value ? kStudiedPixel : kOtherPixel;
  std::int64_t first = 0;
  for (std::size_t k = 0; k < mask.Size(); ++k) first += mask.Data()[k] == kStudiedPixel;
  LiteralSeries series{{1.0}, {first}};
  std::int64_t lastCount = first, lastCells = static_cast<std::int64_t>(lines) * columns;
  const int limit = static_cast<int>(0.1 * std::min(lines, columns));
  int smaller = 100000;
  double b = 1.0;
  while (smaller > limit) {
    b += step;
    const int lr = static_cast<int>(lines / b), cr = static_cast<int>(columns / b);
    smaller = std::min(lr, cr);
    if (smaller == 0) break;
    const std::int64_t occupied = ScannedCount(mask, lr, cr);
    if (static_cast<std::int64_t>(lr) * cr < lastCells && occupied > 0 && occupied < lastCount) {
      series.sizes.push_back(b);
      series.counts.push_back(occupied);
      lastCells = static_cast<std::int64_t>(lr) * cr;
      if (occupied == lastCells) break;
      lastCount = occupied;
    }
  }
  return series;
}

}  // namespace

TEST(ProgressiveBoxCount, KeepsTheSamePointsAsTheRoundsWrittenOut) {
  std::mt19937 random(17);
  struct Case {
    BytePlane plane;
    int value;
    double step;
  };
  Case cases[] = {
      {fixtures::SierpinskiCarpet(4), 1, 0.25},
      {fixtures::SierpinskiCarpet(4), 255, 0.5},
      {fixtures::SierpinskiTriangle(64), 1, 0.1},
      {Speckled(90, 61, random, 3), kStudiedPixel, 0.3},
      {Speckled(23, 150, random, 20), kStudiedPixel, 1.0},
      {fixtures::FilledSquare(40, 40, 5, 5, 20), 1, 0.05},
  };
  for (const Case& c : cases) {
    const ProgressiveResult result = ProgressiveBoxCounting(c.plane, c.value, c.step);
    const LiteralSeries expected = LiteralProgressive(c.plane, c.value, c.step);
    EXPECT_EQ(result.BoxSizes, expected.sizes) << c.plane.Lines() << " step " << c.step;
    EXPECT_EQ(result.Counts, expected.counts) << c.plane.Lines() << " step " << c.step;
  }
}

TEST(ProgressiveBoxCount, HandWorkedSeries) {
  // A filled image: at b = 2 every one of the 128 x 128 cells is occupied, which ends the series.
  const BytePlane filled = fixtures::FilledSquare(256, 256, 0, 0, 256);
  const ProgressiveResult whole = ProgressiveBoxCounting(filled, 1, 1.0);
  EXPECT_EQ(whole.BoxSizes, (std::vector<double>{1.0, 2.0}));
  EXPECT_EQ(whole.Counts, (std::vector<std::int64_t>{65536, 16384}));
  EXPECT_NEAR(whole.Dimension, 2.0, 1e-9);

  // At step 0.1 the series ends at b = 1.1 with 232 x 232 cells; the fit takes the nominal b, so the
  // dimension is 2 ln(256 / 232) / ln 1.1, not 2.
  const ProgressiveResult fine = ProgressiveBoxCounting(filled, 1, 0.1);
  EXPECT_EQ(fine.Counts, (std::vector<std::int64_t>{65536, 232 * 232}));
  EXPECT_NEAR(fine.Dimension, 2 * std::log(256.0 / 232.0) / std::log(1.1), 1e-12);
  char printed[32];
  std::snprintf(printed, sizeof printed, "%.4f", fine.Dimension);
  EXPECT_STREQ(printed, "2.0657");

  // One full line of 256 pixels: about 256 / b cells, a line of items.
  const ProgressiveResult row = ProgressiveBoxCounting(fixtures::FullRow(256, 100), 1, 1.0);
  ASSERT_TRUE(row.Defined);
  EXPECT_NEAR(row.Dimension, 1.0, 0.05);
  EXPECT_EQ(row.Counts[0], 256);
}

TEST(ProgressiveBoxCount, RoundsEndAtATenthOfTheSmallerSideOrBeforeASideOfNothing) {
  struct Case {
    int lines, columns;
    double step;
    int rounds;
  };
  // 100 x 100 by 1: b = 2 .. 10, the last with 10 cells a side. 5 x 5 has no tenth: b = 2 .. 5, and
  // b = 6 would leave no cell. 30 x 20 by 0.5: b = 1.5 .. 7, where 20 / b first falls to 2.
  // One studied pixel never makes every cell occupied, so no series ends early.
  const Case cases[] = {{100, 100, 1.0, 9}, {5, 5, 1.0, 4}, {5, 300, 1.0, 4}, {30, 20, 0.5, 12}};
  for (const Case& c : cases) {
    BytePlane plane(c.columns, c.lines);
    plane.Fill(kOtherPixel);
    plane[0][0] = kStudiedPixel;
    int rounds = 0;
    ProgressiveBoxCounting(plane, 1, c.step, [&](double) { ++rounds; });
    EXPECT_EQ(rounds, c.rounds) << c.lines << "x" << c.columns;
  }
}

TEST(ProgressiveBoxCount, UnusableStepsAndEmptyItemsGiveNoDimension) {
  EXPECT_EQ(ProgressiveRoundsNeeded(4096, 4096, 0.1), 90);
  const double refused[] = {0.0, -1.0, 1e-17, 1e-4, std::nan(""), INFINITY};
  for (const double step : refused) EXPECT_FALSE(ProgressiveStepUsable(4096, 4096, step)) << step;
  EXPECT_TRUE(ProgressiveStepUsable(4096, 4096, 1e-3));
  EXPECT_TRUE(ProgressiveStepUsable(4096, 4096, 1e300));

  const BytePlane carpet = fixtures::SierpinskiCarpet(3);
  const ProgressiveResult tiny = ProgressiveBoxCounting(carpet, 1, 1e-17);
  EXPECT_TRUE(tiny.BoxSizes.empty());
  EXPECT_FALSE(tiny.Defined);

  // A code nobody bears: one point of count 0, nothing to fit.
  const ProgressiveResult absent = ProgressiveBoxCounting(carpet, 7, 0.5);
  EXPECT_EQ(absent.Counts, std::vector<std::int64_t>{0});
  EXPECT_EQ(absent.PointCount(), 0);
  EXPECT_FALSE(absent.Defined);
  EXPECT_TRUE(std::isnan(absent.Dimension));

  // A step beyond the image: the first point alone.
  const ProgressiveResult huge = ProgressiveBoxCounting(carpet, 1, 1e300);
  EXPECT_EQ(huge.PointCount(), 1);
  EXPECT_FALSE(huge.Defined);
}
