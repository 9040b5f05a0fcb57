#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "sequence/kernels/SequenceExtraction.h"

namespace {

SequenceZone Zone(int item, int firstLine = 0, int firstColumn = 0, int lastLine = 0, int lastColumn = 0) {
  return {item, 0, 0, firstLine, firstColumn, lastLine, lastColumn};
}
SequenceZone Line(int selected, int first, int last) {
  return {kHorizontalLine, selected, 0, 0, first, 0, last};
}
SequenceZone Column(int selected, int first, int last) {
  return {kVerticalLine, 0, selected, first, 0, last};
}

std::vector<int> Extract(const BytePlane& source, const BytePlane& zones, const SequenceZone& zone,
                         const SequenceFrame& frame) {
  std::vector<int> values = {42, 42};  // whatever was there before is replaced
  ExtractSequence(source, zones, zone, frame, values);
  return values;
}

// The extraction pixel by pixel, the diagonal walked until it meets its end, for zones inside the frame.
std::vector<int> LiteralExtraction(const BytePlane& s, const BytePlane& zones, const SequenceZone& z,
                                   const SequenceFrame& f) {
  std::vector<int> v;
  switch (z.StudiedItem) {
    case kWholeScene:
      for (int i = f.SceneBorder; i <= f.Lines - f.SceneBorder - 1; ++i)
        for (int j = f.SceneBorder; j <= f.Columns - f.SceneBorder - 1; ++j) v.push_back(s[i][j]);
      break;
    case kHorizontalLine:
      for (int j = z.FirstColumn + 1; j <= z.LastColumn - 2; ++j) v.push_back(s[z.SelectedLine][j]);
      break;
    case kVerticalLine:
      for (int i = z.FirstLine + 1; i <= z.LastLine - 2; ++i) v.push_back(s[i][z.SelectedColumn]);
      break;
    case kRectangularZone:
      for (int i = z.FirstLine + 1; i <= z.LastLine - 2; ++i)
        for (int j = z.FirstColumn + 1; j <= z.LastColumn - 2; ++j) v.push_back(s[i][j]);
      break;
    case kDiagonalLine: {
      const double dl = z.LastLine - z.FirstLine, dc = z.LastColumn - z.FirstColumn;
      const double steps = std::abs(dc) > std::abs(dl) ? std::abs(dc) : std::abs(dl);
      double al = z.FirstLine, ac = z.FirstColumn;
      int line = z.FirstLine, column = z.FirstColumn;
      while (line != z.LastLine || column != z.LastColumn) {
        v.push_back(s[line][column]);
        al += dl / steps;
        ac += dc / steps;
        line = static_cast<int>(al + 0.5);
        column = static_cast<int>(ac + 0.5);
      }
      break;
    }
    case kLabeledZones:
      for (int i = f.Border; i < f.Lines - f.Border; ++i)
        for (int j = f.Border; j < f.Columns - f.Border; ++j)
          if (zones[i][j] == z.ZoneCode) v.push_back(s[i][j]);
      break;
  }
  return v;
}

TEST(SequenceExtraction, WorkedZones) {
  const BytePlane image = MakeNumbered(6, 5, 10), none(6, 5);  // pixel (i, j) = 10 i + j
  const SequenceFrame frame{5, 6, 0, 1};
  // The whole scene of 5 x 6 leaves its one-pixel border out; lines, columns and rectangles read
  // from first + 1 to last - 2; bounds one apart are valid and give nothing.
  EXPECT_EQ(Extract(image, none, Zone(kWholeScene), frame),
            (std::vector<int>{11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34}));
  EXPECT_EQ(Extract(image, none, Line(2, 0, 5), frame), (std::vector<int>{21, 22, 23}));
  EXPECT_EQ(Extract(image, none, Column(3, 0, 4), frame), (std::vector<int>{13, 23}));
  EXPECT_EQ(Extract(image, none, Zone(kRectangularZone, 0, 1, 4, 5), frame),
            (std::vector<int>{12, 13, 22, 23}));
  EXPECT_TRUE(Extract(image, none, Zone(kRectangularZone, 1, 1, 2, 2), frame).empty());

  // Labeled zones: line by line from (0, 0); a frame of 1 leaves the pixels on the edge out.
  BytePlane zones(6, 5);
  zones.Fill(255);
  zones[0][0] = zones[1][2] = zones[3][4] = zones[4][5] = 7;
  SequenceZone labeled{kLabeledZones};
  labeled.ZoneCode = 7;
  EXPECT_EQ(Extract(image, zones, labeled, frame), (std::vector<int>{0, 12, 34, 45}));
  EXPECT_EQ(Extract(image, zones, labeled, {5, 6, 1, 1}), (std::vector<int>{12, 34}));
  labeled.ZoneCode = 300;  // no byte holds it
  EXPECT_TRUE(Extract(image, zones, labeled, frame).empty());
}

TEST(SequenceExtraction, DiagonalPixels) {
  using P = std::vector<std::pair<int, int>>;
  auto pixels = [](int a, int b, int c, int d) {
    P out;
    for (const DiagonalStep& s : DiagonalPixels(a, b, c, d)) out.emplace_back(s.Line, s.Column);
    return out;
  };
  // The accumulator 0.5 rounds up; the last point is left out.
  EXPECT_EQ(pixels(0, 0, 3, 6), (P{{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}, {3, 5}}));
  // The running sum of 0.1 reaches 7.4999..., not 7.5, after five steps: (7, 5).
  const P steps = pixels(7, 0, 8, 10);
  ASSERT_EQ(steps.size(), 10u);
  EXPECT_EQ(std::pair(steps[5], steps[6]), std::pair(std::pair{7, 5}, std::pair{8, 6}));
  // Anti-diagonals and lines along an axis.
  EXPECT_EQ(pixels(3, 0, 0, 3), (P{{3, 0}, {2, 1}, {1, 2}}));
  EXPECT_EQ(pixels(2, 4, 2, 1), (P{{2, 4}, {2, 3}, {2, 2}}));
  EXPECT_EQ(pixels(0, 1, 2, 1), (P{{0, 1}, {1, 1}}));
  EXPECT_TRUE(pixels(4, 4, 4, 4).empty());
}

TEST(SequenceExtraction, ZoneFaults) {
  const SequenceFrame frame{10, 12, 0, 1};  // lines 0 .. 9, columns 0 .. 11
  const SequenceFrame inner{10, 12, 2, 2};  // lines 2 .. 7, columns 2 .. 9
  struct Case {
    SequenceZone zone;
    SequenceFrame frame;
    ZoneFault fault;
  };
  const Case cases[] = {
      {Zone(kNoItem), frame, ZoneFault::NoItem},
      {Zone(7), frame, ZoneFault::NoItem},
      {Zone(kWholeScene), frame, ZoneFault::None},
      {Zone(kWholeScene), {10, 12, 5, 5}, ZoneFault::EmptyFrame},
      {Zone(kWholeScene), {0, 0, 0, 1}, ZoneFault::EmptyFrame},
      {Line(9, 0, 11), frame, ZoneFault::None},
      {Line(10, 0, 11), frame, ZoneFault::SelectedLine},
      {Line(-1, 0, 11), frame, ZoneFault::SelectedLine},
      {Line(3, -1, 11), frame, ZoneFault::FirstColumn},
      {Line(3, 0, 12), frame, ZoneFault::LastColumn},
      {Line(3, 5, 5), frame, ZoneFault::ColumnOrder},
      {Line(3, 6, 5), frame, ZoneFault::ColumnOrder},
      {Line(1, 2, 9), inner, ZoneFault::SelectedLine},
      {Line(2, 1, 9), inner, ZoneFault::FirstColumn},
      {Line(2, 2, 10), inner, ZoneFault::LastColumn},
      {Column(11, 0, 9), frame, ZoneFault::None},
      {Column(12, 0, 9), frame, ZoneFault::SelectedColumn},
      {Column(2, 0, 10), frame, ZoneFault::LastLine},
      {Column(2, -3, 9), frame, ZoneFault::FirstLine},
      {Column(2, 4, 4), frame, ZoneFault::LineOrder},
      {Zone(kDiagonalLine, 9, 0, 0, 11), frame, ZoneFault::None},  // an anti-diagonal
      {Zone(kDiagonalLine, 4, 4, 4, 4), frame, ZoneFault::SamePoints},
      {Zone(kDiagonalLine, 3, 3, 3, 0), frame, ZoneFault::None},
      {Zone(kDiagonalLine, 10, 0, 0, 0), frame, ZoneFault::FirstLine},
      {Zone(kDiagonalLine, 0, 0, 0, 12), frame, ZoneFault::LastColumn},
      {Zone(kDiagonalLine, 7, 9, 2, 1), inner, ZoneFault::LastColumn},
      {Zone(kRectangularZone, 0, 0, 9, 11), frame, ZoneFault::None},
      {Zone(kRectangularZone, 5, 0, 4, 11), frame, ZoneFault::LineOrder},
      {Zone(kRectangularZone, 0, 5, 9, 5), frame, ZoneFault::ColumnOrder},
      {Zone(kRectangularZone, 0, 0, 10, 11), frame, ZoneFault::LastLine},
      {Zone(kRectangularZone, 1, 2, 7, 9), inner, ZoneFault::FirstLine},
      {Zone(kLabeledZones), frame, ZoneFault::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "item " << c.zone.StudiedItem << " " << c.zone.FirstLine << ","
                                    << c.zone.FirstColumn << " " << c.zone.LastLine << ","
                                    << c.zone.LastColumn);
    EXPECT_EQ(CheckZone(c.zone, c.frame), c.fault);
    // A refused zone reads nothing.
    if (c.fault != ZoneFault::None) {
      EXPECT_EQ(CountSequenceValues(c.zone, c.frame, BytePlane(12, 10)), 0);
      EXPECT_TRUE(Extract(BytePlane(12, 10), BytePlane(12, 10), c.zone, c.frame).empty());
    }
  }
}

// Random zones inside random frames: the same values as the literal walk, and the count said before.
TEST(SequenceExtraction, AgreesWithTheLiteralWalk) {
  const BytePlane image = MakeRandomGray(37, 29, 4);
  BytePlane zones = MakeRandomGray(37, 29, 5);
  for (std::size_t k = 0; k < zones.Size(); ++k) zones.Data()[k] %= 4;
  std::uint32_t state = 99;
  auto next = [&](int n) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
  };
  int checked = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const int border = next(4);
    const SequenceFrame frame{29, 37, border, border > 0 ? border : 1};
    SequenceZone zone = Zone(1 + next(6), next(29), next(37), next(29), next(37));
    zone.SelectedLine = next(29);
    zone.SelectedColumn = next(37);
    zone.ZoneCode = next(4);
    if (CheckZone(zone, frame) != ZoneFault::None) continue;
    ++checked;
    const std::vector<int> values = Extract(image, zones, zone, frame);
    EXPECT_EQ(values, LiteralExtraction(image, zones, zone, frame)) << "trial " << trial;
    EXPECT_EQ(CountSequenceValues(zone, frame, zones), static_cast<std::int64_t>(values.size()));
  }
  EXPECT_GT(checked, 500);
}

}  // namespace
