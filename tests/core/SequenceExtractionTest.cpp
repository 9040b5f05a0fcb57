#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fixtures/Patterns.h"
#include "sequence/kernels/SequenceExtraction.h"

namespace {

SequenceFrame Frame(const BytePlane& plane, int border = 0, int sceneBorder = 1) {
  return {plane.Lines(), plane.Columns(), border, sceneBorder};
}

SequenceZone Zone(int item, int firstLine = 0, int firstColumn = 0, int lastLine = 0, int lastColumn = 0) {
  SequenceZone zone;
  zone.StudiedItem = item;
  zone.FirstLine = firstLine;
  zone.FirstColumn = firstColumn;
  zone.LastLine = lastLine;
  zone.LastColumn = lastColumn;
  return zone;
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

BytePlane Numbered(int columns, int lines) {
  BytePlane plane(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) plane[i][j] = static_cast<std::uint8_t>(10 * i + j);
  return plane;
}

TEST(SequenceExtraction, WorkedZones) {
  const BytePlane image = Numbered(6, 5);  // pixel (i, j) = 10 i + j
  const BytePlane none(6, 5);
  // The whole scene of 5 x 6 leaves its one-pixel border out: 3 x 4 = 12 values.
  EXPECT_EQ(Extract(image, none, Zone(kWholeScene), Frame(image)),
            (std::vector<int>{11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34}));
  SequenceZone line = Zone(kHorizontalLine, 0, 0, 0, 5);
  line.SelectedLine = 2;
  EXPECT_EQ(Extract(image, none, line, Frame(image)), (std::vector<int>{21, 22, 23}));
  SequenceZone column = Zone(kVerticalLine, 0, 0, 4, 0);
  column.SelectedColumn = 3;
  EXPECT_EQ(Extract(image, none, column, Frame(image)), (std::vector<int>{13, 23}));
  EXPECT_EQ(Extract(image, none, Zone(kRectangularZone, 0, 1, 4, 5), Frame(image)),
            (std::vector<int>{12, 13, 22, 23}));
  // From first + 1 to last - 2: columns 0 .. 10 of a wider image take columns 1 .. 8.
  const BytePlane wide = Numbered(12, 3);
  line = Zone(kHorizontalLine, 0, 0, 0, 10);
  line.SelectedLine = 1;
  EXPECT_EQ(Extract(wide, BytePlane(12, 3), line, Frame(wide)).size(), 8u);
  // Bounds one apart are valid and give nothing.
  EXPECT_TRUE(Extract(image, none, Zone(kRectangularZone, 1, 1, 2, 2), Frame(image)).empty());
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
  EXPECT_EQ(steps[5], (std::pair{7, 5}));
  EXPECT_EQ(steps[6], (std::pair{8, 6}));
  // Anti-diagonals and lines along an axis.
  EXPECT_EQ(pixels(3, 0, 0, 3), (P{{3, 0}, {2, 1}, {1, 2}}));
  EXPECT_EQ(pixels(2, 4, 2, 1), (P{{2, 4}, {2, 3}, {2, 2}}));
  EXPECT_EQ(pixels(0, 1, 2, 1), (P{{0, 1}, {1, 1}}));
  EXPECT_TRUE(pixels(4, 4, 4, 4).empty());
}

TEST(SequenceExtraction, LabeledZonesInTheirFrame) {
  const BytePlane image = Numbered(6, 5);
  BytePlane zones(6, 5);
  zones.Fill(255);
  zones[0][0] = zones[1][2] = zones[3][4] = zones[4][5] = 7;
  SequenceZone zone = Zone(kLabeledZones);
  zone.ZoneCode = 7;
  // Line by line from (0, 0), over the whole image.
  EXPECT_EQ(Extract(image, zones, zone, Frame(image)), (std::vector<int>{0, 12, 34, 45}));
  // A frame of 1: the pixels on the edge are not read.
  EXPECT_EQ(Extract(image, zones, zone, Frame(image, 1, 1)), (std::vector<int>{12, 34}));
  zone.ZoneCode = 300;  // no byte holds it
  EXPECT_TRUE(Extract(image, zones, zone, Frame(image)).empty());
}

TEST(SequenceExtraction, ZoneFaults) {
  const SequenceFrame frame{10, 12, 0, 1};  // lines 0 .. 9, columns 0 .. 11
  const SequenceFrame inner{10, 12, 2, 2};  // lines 2 .. 7, columns 2 .. 9
  struct Case {
    SequenceZone zone;
    SequenceFrame frame;
    ZoneFault fault;
  };
  auto line = [](int selected, int first, int last) {
    SequenceZone z = Zone(kHorizontalLine, 0, first, 0, last);
    z.SelectedLine = selected;
    return z;
  };
  auto column = [](int selected, int first, int last) {
    SequenceZone z = Zone(kVerticalLine, first, 0, last, 0);
    z.SelectedColumn = selected;
    return z;
  };
  const Case cases[] = {
      {Zone(kNoItem), frame, ZoneFault::NoItem},
      {Zone(7), frame, ZoneFault::NoItem},
      {Zone(kWholeScene), frame, ZoneFault::None},
      {Zone(kWholeScene), {10, 12, 5, 5}, ZoneFault::EmptyFrame},
      {Zone(kWholeScene), {0, 0, 0, 1}, ZoneFault::EmptyFrame},
      {line(9, 0, 11), frame, ZoneFault::None},
      {line(10, 0, 11), frame, ZoneFault::SelectedLine},
      {line(-1, 0, 11), frame, ZoneFault::SelectedLine},
      {line(3, -1, 11), frame, ZoneFault::FirstColumn},
      {line(3, 0, 12), frame, ZoneFault::LastColumn},
      {line(3, 5, 5), frame, ZoneFault::ColumnOrder},
      {line(3, 6, 5), frame, ZoneFault::ColumnOrder},
      {line(1, 2, 9), inner, ZoneFault::SelectedLine},
      {line(2, 1, 9), inner, ZoneFault::FirstColumn},
      {line(2, 2, 10), inner, ZoneFault::LastColumn},
      {column(11, 0, 9), frame, ZoneFault::None},
      {column(12, 0, 9), frame, ZoneFault::SelectedColumn},
      {column(2, 0, 10), frame, ZoneFault::LastLine},
      {column(2, -3, 9), frame, ZoneFault::FirstLine},
      {column(2, 4, 4), frame, ZoneFault::LineOrder},
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
    EXPECT_EQ(CheckZone(c.zone, c.frame), c.fault)
        << "item " << c.zone.StudiedItem << " " << c.zone.FirstLine << "," << c.zone.FirstColumn << " "
        << c.zone.LastLine << "," << c.zone.LastColumn;
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
