#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "fixtures/Blocks.h"
#include "fixtures/Pixels.h"
#include "urban/kernels/PerimeterDistance.h"

namespace {

constexpr std::uint8_t kValue = 5;

BytePlane Rectangle(int lines, int columns, int top, int left, int height, int width) {
  BytePlane p = UniformPlane(columns, lines);
  FillBlock(p, top, left, height, width, kValue);
  return p;
}

// The scan walk the treatment was first described with, written out literally on the pruned outline:
// scans of the 3 x 3 block around the current pixel, whose bounds follow the pixel as it moves; the
// first walk counts the pixels (the start, set back to 1 after the second take, is taken again at
// the end), the second walk takes as many scans from the start and measures each pixel taken. Returns
// the distances, or nothing when a scan takes no pixel before the walk is back.
struct ScanWalk {
  int length = 0;
  std::vector<int> distances;
};

std::optional<ScanWalk> LiteralScanWalk(BytePlane outline, int cy, int cx) {
  const int lines = outline.Lines(), columns = outline.Columns();
  int sl = -1, sc = -1;
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j)
      if (outline[i][j] == 1 && i > sl) sl = i, sc = j;
  const BytePlane copy = outline.Clone();
  ScanWalk result;
  auto scan = [&](int& l, int& c, int& taken, bool first, std::vector<int>* distances) {
    bool any = false;
    for (int i = l - 1; i <= l + 1; ++i) {
      if (i < 0 || i >= lines) continue;
      for (int j = c - 1; j <= c + 1; ++j) {
        if (j < 0 || j >= columns || outline[i][j] != 1) continue;
        any = true;
        ++taken;
        if (first && taken >= 2) outline[sl][sc] = 1;
        l = i, c = j;
        outline[i][j] = 255;
        if (distances)
          distances->push_back(static_cast<int>(std::sqrt((i - cy) * (i - cy) + (j - cx) * (j - cx)) + 0.5));
      }
    }
    return any;
  };
  outline[sl][sc] = 255;
  int l = sl, c = sc, taken = 0;
  do {
    if (!scan(l, c, taken, true, nullptr)) return std::nullopt;
  } while (l != sl || c != sc);
  result.length = taken;
  outline = copy.Clone();
  outline[sl][sc] = 255;
  l = sl, c = sc, taken = 0;
  for (int k = 0; k < result.length; ++k) scan(l, c, taken, false, &result.distances);
  return result;
}

// The pruned outline the kernel walks, made from its own item mask (the outline inside the frame).
std::optional<ScanWalk> ScanWalkOf(const PerimeterDistanceResult& r) {
  BytePlane outline = r.ItemMask.Clone();
  for (int i = 0; i < outline.Lines(); ++i)
    for (int j = 0; j < outline.Columns(); ++j)
      if (i == 0 || j == 0 || i == outline.Lines() - 1 || j == outline.Columns() - 1) outline[i][j] = 255;
  return LiteralScanWalk(std::move(outline), r.CentreLine, r.CentreColumn);
}

void ExpectSameAsScanWalk(const BytePlane& image, const std::string& what) {
  SCOPED_TRACE(what);
  const PerimeterDistanceResult r = PerimeterDistance(image, {kValue});
  // Small rectangles and discs have all their pixels at one rounded distance: walked all the same.
  ASSERT_TRUE(r.Fault == PerimeterFault::None || r.Fault == PerimeterFault::SameDistances);
  const auto scan = ScanWalkOf(r);
  ASSERT_TRUE(scan.has_value());
  EXPECT_EQ(r.WalkLength, scan->length);
  ASSERT_EQ(scan->distances.size(), static_cast<std::size_t>(scan->length - 1));
  EXPECT_EQ(r.Distances, scan->distances);
}

}  // namespace

TEST(PerimeterDistanceTest, RectanglesAndDiscsWalkAsTheScanWalkDoes) {
  for (int h = 3; h <= 12; ++h)
    for (int w = 3; w <= 12; ++w) {
      const BytePlane rectangle = Rectangle(20, 20, 4, 3, h, w);
      ExpectSameAsScanWalk(rectangle, std::to_string(h) + " x " + std::to_string(w));
      EXPECT_EQ(PerimeterDistance(rectangle, {kValue}).WalkLength, 2 * (h + w) - 8);
    }
  for (int r = 2; r <= 60; ++r) {
    BytePlane disc = UniformPlane(130, 130);
    FillDisc(disc, 64, 66, r, kValue);
    ExpectSameAsScanWalk(disc, "disc " + std::to_string(r));
  }
}

TEST(PerimeterDistanceTest, TheRectangleIsWalkedUpItsLeftSideFirst) {
  // 4 x 5 at (10, 20): outline without corners, walked from (13, 21) up the left side, along the top,
  // down the right side and back along the bottom; the centre given at (10, 20). Rounded half up:
  // sqrt(13) = 3.61 gives 4, sqrt(17) = 4.12 gives 4.
  const PerimeterDistanceResult r =
      PerimeterDistance(Rectangle(30, 40, 10, 20, 4, 5), {kValue, false, true, 10, 20});
  const std::vector<int> expected = {2, 1, 1, 2, 3, 4, 4, 4, 4};
  EXPECT_EQ(std::tuple(r.StartLine, r.StartColumn, r.WalkLength), std::tuple(13, 21, 10));
  EXPECT_EQ(r.Distances, expected);
  EXPECT_EQ(std::tuple(r.DistMin, r.DistMax), std::tuple(1, 4));
  // Mean 25 / 9; the squares sum to 83 - 9 (25 / 9)^2 = 122 / 9.
  const double mean = 25.0 / 9;
  EXPECT_DOUBLE_EQ(r.DistMean, mean);
  EXPECT_DOUBLE_EQ(r.Deviation, std::sqrt(122.0) / 9);
  EXPECT_DOUBLE_EQ(r.Ratio, 100 * mean / 4);  // trunc(2.78 + 1.23) = 4
}

// Dilated three times first, the radius-50 disc lies three pixels further out than its outline (49 ..
// 50, checked through the treatment in tests/gui/PerimDistTreatmentTest.cpp).
TEST(PerimeterDistanceTest, ADilatedDiscOfRadius50LiesAt52To54FromItsCentre) {
  BytePlane disc = UniformPlane(160, 160);
  FillDisc(disc, 80, 80, 50, kValue);
  const PerimeterDistanceResult r = PerimeterDistance(disc, {kValue, true});
  ASSERT_EQ(r.Fault, PerimeterFault::None);
  EXPECT_EQ(std::tuple(r.CentreLine, r.CentreColumn, r.DistMin, r.DistMax), std::tuple(80, 80, 52, 54));
  EXPECT_NEAR(r.Ratio, 100, 2.5);  // a round outline: the mean is about its own rounded reach
}

TEST(PerimeterDistanceTest, SpursAndOpenLinesAreWalkedOutAndBackTakingEachPixelOnce) {
  BytePlane spur = Rectangle(30, 30, 10, 10, 8, 8);
  FillBlock(spur, 13, 18, 1, 6, kValue);  // a one-pixel road leaving the right side
  const PerimeterDistanceResult r = PerimeterDistance(spur, {kValue});
  ASSERT_EQ(r.Fault, PerimeterFault::None);
  // The square's outline without the pixel the road leaves from (no longer touching the outside),
  // and the road.
  EXPECT_EQ(r.WalkLength, 2 * (8 + 8) - 8 - 1 + 6);
  EXPECT_EQ(r.Distances.size(), static_cast<std::size_t>(r.WalkLength - 1));
  const PerimeterDistanceResult open = PerimeterDistance(Rectangle(10, 20, 5, 3, 1, 10), {kValue});
  ASSERT_EQ(open.Fault, PerimeterFault::None);
  EXPECT_EQ(open.WalkLength, 10);
  EXPECT_EQ(open.Distances, (std::vector<int>{3, 2, 1, 0, 1, 2, 3, 4, 5}));  // centre (5, 7)
}

TEST(PerimeterDistanceTest, FaultsTheIntegerMeanCentreAndOnlyThePieceOfTheStartWalked) {
  BytePlane image = UniformPlane(20, 20);
  EXPECT_EQ(PerimeterDistance(image, {kValue}).Fault, PerimeterFault::NoOutline);
  FillBlock(image, 0, 0, 1, 20, kValue);  // only on the outer line
  EXPECT_EQ(PerimeterDistance(image, {kValue}).Fault, PerimeterFault::NoOutline);
  image[9][9] = kValue;
  EXPECT_EQ(PerimeterDistance(image, {kValue}).Fault, PerimeterFault::NoNeighbour);
  image[9][10] = kValue;
  EXPECT_EQ(PerimeterDistance(image, {kValue}).Fault, PerimeterFault::TooShort);
  // Four pixels around (10, 10), all at distance 1.
  BytePlane diamond = UniformPlane(20, 20);
  diamond[9][10] = diamond[10][9] = diamond[10][11] = diamond[11][10] = kValue;
  const PerimeterDistanceResult same = PerimeterDistance(diamond, {kValue});
  EXPECT_EQ(std::tuple(same.Fault, same.WalkLength), std::tuple(PerimeterFault::SameDistances, 4));
  const BytePlane square = Rectangle(20, 20, 5, 5, 6, 6);
  EXPECT_EQ(PerimeterDistance(square, {kValue, false, true, 20, 0}).Fault, PerimeterFault::CentreOutside);
  EXPECT_EQ(PerimeterDistance(square, {kValue, false, true, 0, 0}).Fault, PerimeterFault::None);
  // Outline of a 3 x 6 block at (4, 4) without its corners: lines 4 (x4), 5 (x2), 6 (x4): mean 5;
  // columns 5..8 twice, 4 and 9: mean 6.5 -> 6.
  const PerimeterDistanceResult block = PerimeterDistance(Rectangle(12, 14, 4, 4, 3, 6), {kValue});
  EXPECT_EQ(std::tuple(block.CentreLine, block.CentreColumn, block.WalkLength), std::tuple(5, 6, 10));
  // Two 5 x 5 squares: the walk starts on the lower one and leaves the other's 12 pixels.
  BytePlane two = Rectangle(30, 30, 3, 3, 5, 5);
  FillBlock(two, 15, 15, 5, 5, kValue);
  const PerimeterDistanceResult r = PerimeterDistance(two, {kValue});
  ASSERT_EQ(r.Fault, PerimeterFault::None);
  EXPECT_EQ(std::tuple(CountOf(r.ItemMask, 1), CountOf(r.PerimeterMask, 1), r.StartLine),
            std::tuple(2 * 12, 12, 19));
}

TEST(PerimeterDistanceTest, BlobsAreWalkedBackToTheStartWhereTheScanWalkStallsOrClosesEarly) {
  // Unions of six discs: outlines with the corner pixels the pruning leaves, on which the scan walk
  // finds no pixel to take before it is back, or takes the start again before the end.
  int stalled = 0, closedEarly = 0;
  for (int k = 0; k < 20; ++k) {
    BytePlane blob = UniformPlane(90, 90);
    for (int d = 0; d < 6; ++d)
      for (int i = 0; i < 90; ++i)  // radii of a half pixel leave corner pixels
        for (int j = 0; j < 90; ++j) {
          const int cy = 30 + (k * 7 + d * 11) % 30, cx = 30 + (k * 13 + d * 17) % 30;
          const double radius = 4.5 + (k + d * 3) % 9;
          if ((i - cy) * (i - cy) + (j - cx) * (j - cx) <= radius * radius) blob[i][j] = kValue;
        }
    const PerimeterDistanceResult r = PerimeterDistance(blob, {kValue});
    ASSERT_EQ(r.Fault, PerimeterFault::None) << k;
    EXPECT_EQ(r.Distances.size(), static_cast<std::size_t>(r.WalkLength - 1));
    const auto scan = ScanWalkOf(r);
    stalled += !scan.has_value();
    closedEarly += scan.has_value() && scan->length < r.WalkLength;
  }
  EXPECT_GT(stalled, 0);
  EXPECT_GT(closedEarly, 0);
}
