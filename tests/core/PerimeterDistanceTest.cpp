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

// The first-described scan walk on the pruned outline: 3 x 3 scans following the pixel; one walk counts
// (the start is restored after the second take), a second measures as many. Nothing if a scan stalls.
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

// The pruned outline the kernel walks: its item mask inside the frame.
std::optional<ScanWalk> ScanWalkOf(const PerimeterDistanceResult& r) {
  BytePlane outline = r.ItemMask.Clone();
  for (int i = 0; i < outline.Lines(); ++i)
    for (int j = 0; j < outline.Columns(); ++j)
      if (i == 0 || j == 0 || i == outline.Lines() - 1 || j == outline.Columns() - 1) outline[i][j] = 255;
  return LiteralScanWalk(std::move(outline), r.CentreLine, r.CentreColumn);
}

int ExpectSameAsScanWalk(const BytePlane& image, const std::string& what) {
  SCOPED_TRACE(what);
  const PerimeterDistanceResult r = PerimeterDistance(image, {kValue});
  // Small rectangles and discs have all their pixels at one rounded distance: walked all the same.
  EXPECT_TRUE(r.Fault == PerimeterFault::None || r.Fault == PerimeterFault::SameDistances);
  const ScanWalk scan = ScanWalkOf(r).value_or(ScanWalk{-1, {}});  // -1: the scan walk stalled
  EXPECT_EQ(std::tie(r.WalkLength, r.Distances), std::tie(scan.length, scan.distances));
  return r.WalkLength;
}

}  // namespace

TEST(PerimeterDistanceTest, RectanglesAndDiscsWalkAsTheScanWalkDoes) {
  for (int h = 3; h <= 12; ++h)
    for (int w = 3; w <= 12; ++w)
      EXPECT_EQ(
          ExpectSameAsScanWalk(Rectangle(20, 20, 4, 3, h, w), std::to_string(h) + "x" + std::to_string(w)),
          2 * (h + w) - 8);
  for (int r = 2; r <= 60; ++r) {
    BytePlane disc = UniformPlane(130, 130);
    FillDisc(disc, 64, 66, r, kValue);
    ExpectSameAsScanWalk(disc, "disc " + std::to_string(r));
  }
}

TEST(PerimeterDistanceTest, TheRectangleIsWalkedUpItsLeftSideFirst) {
  // 4 x 5 at (10, 20), centre given there: from (13, 21) up the left side, along the top, down and back.
  // Rounded half up: sqrt(13) = 3.61 and sqrt(17) = 4.12 give 4.
  const PerimeterDistanceResult r =
      PerimeterDistance(Rectangle(30, 40, 10, 20, 4, 5), {kValue, false, true, 10, 20});
  EXPECT_EQ(std::tuple(r.StartLine, r.StartColumn, r.WalkLength, r.DistMin, r.DistMax),
            std::tuple(13, 21, 10, 1, 4));
  EXPECT_EQ(r.Distances, (std::vector<int>{2, 1, 1, 2, 3, 4, 4, 4, 4}));
  // Mean 25 / 9; the squares sum to 83 - 9 (25 / 9)^2 = 122 / 9.
  EXPECT_DOUBLE_EQ(r.DistMean, 25.0 / 9);
  EXPECT_DOUBLE_EQ(r.Deviation, std::sqrt(122.0) / 9);
  EXPECT_DOUBLE_EQ(r.Ratio, 100 * (25.0 / 9) / 4);  // trunc(2.78 + 1.23) = 4
}

// Dilated three times, the disc lies three pixels beyond its outline (49 .. 50, checked in tests/gui).
TEST(PerimeterDistanceTest, ADilatedDiscOfRadius50LiesAt52To54FromItsCentre) {
  BytePlane disc = UniformPlane(160, 160);
  FillDisc(disc, 80, 80, 50, kValue);
  const PerimeterDistanceResult r = PerimeterDistance(disc, {kValue, true});
  ASSERT_EQ(r.Fault, PerimeterFault::None);
  EXPECT_EQ(std::tuple(r.CentreLine, r.CentreColumn, r.DistMin, r.DistMax), std::tuple(80, 80, 52, 54));
  EXPECT_NEAR(r.Ratio, 100, 2.5);  // a round outline: the mean is about its own rounded reach
}

TEST(PerimeterDistanceTest, SpursOpenLinesFaultsTheIntegerMeanCentreAndOnlyThePieceOfTheStart) {
  BytePlane spur = Rectangle(30, 30, 10, 10, 8, 8);
  FillBlock(spur, 13, 18, 1, 6, kValue);  // a one-pixel road leaving the right side
  const PerimeterDistanceResult road = PerimeterDistance(spur, {kValue});
  // Walked out and back: the outline less the pixel the road leaves from (now inside), and the road.
  EXPECT_EQ(std::tuple(road.Fault, road.WalkLength, road.Distances.size()),
            std::tuple(PerimeterFault::None, 2 * (8 + 8) - 8 - 1 + 6, 28u));
  const PerimeterDistanceResult open = PerimeterDistance(Rectangle(10, 20, 5, 3, 1, 10), {kValue});
  EXPECT_EQ(std::tuple(open.Fault, open.WalkLength, open.Distances),  // centre (5, 7)
            std::tuple(PerimeterFault::None, 10, std::vector<int>{3, 2, 1, 0, 1, 2, 3, 4, 5}));
  BytePlane image = UniformPlane(20, 20);
  FillBlock(image, 0, 0, 1, 20, kValue);  // only on the outer line
  EXPECT_EQ(PerimeterDistance(image, {kValue}).Fault, PerimeterFault::NoOutline);
  // Fewer than 3 lines or columns: no inner pixel at all, with or without the dilation.
  for (const auto& [columns, lines] : {std::pair(1, 5), std::pair(5, 1), std::pair(1, 1), std::pair(2, 2)})
    for (bool dilate : {false, true})
      EXPECT_EQ(PerimeterDistance(UniformPlane(columns, lines, kValue), {kValue, dilate}).Fault,
                PerimeterFault::NoOutline)
          << columns << " x " << lines << " " << dilate;
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
  // A 3 x 6 block at (4, 4), outline without corners: lines 4 x4, 5 x2, 6 x4; columns 5..8 x2, 4, 9: 6.5.
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
  // Unions of six discs keep corner pixels on which the scan walk stalls or closes before the end.
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
