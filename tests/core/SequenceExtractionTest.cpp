#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "sequence/kernels/SequenceExtraction.h"

namespace {

SequenceZone Zone(int item, int firstLine = 0, int firstColumn = 0, int lastLine = 0, int lastColumn = 0) {
  return {item, 0, 0, firstLine, firstColumn, lastLine, lastColumn};
}

std::vector<int> Extract(const BytePlane& source, const BytePlane& zones, const SequenceZone& zone,
                         const SequenceFrame& frame) {
  std::vector<int> values = {42, 42};  // replaced
  ExtractSequence(source, zones, zone, frame, values);
  return values;
}

// Pixel by pixel, the diagonal walked until it meets its end, for zones inside the frame.
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
        al += dl / steps, ac += dc / steps;
        line = static_cast<int>(al + 0.5), column = static_cast<int>(ac + 0.5);
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

// Bounds one apart, a zone code no byte holds: nothing read. Diagonals round half up, last point out.
TEST(SequenceExtraction, EmptyReadsAndDiagonalPixels) {
  const BytePlane image = MakeNumbered(6, 5, 10);
  BytePlane zones(6, 5);
  zones.Fill(44);  // 300 as a byte
  SequenceZone labeled{kLabeledZones};
  labeled.ZoneCode = 300;
  EXPECT_TRUE(Extract(image, zones, labeled, {5, 6, 0, 1}).empty());
  EXPECT_TRUE(Extract(image, zones, Zone(kRectangularZone, 1, 1, 2, 2), {5, 6, 0, 1}).empty());
  using P = std::vector<std::pair<int, int>>;
  auto pixels = [](int a, int b, int c, int d) {
    P out;
    for (const DiagonalStep& s : DiagonalPixels(a, b, c, d)) out.emplace_back(s.Line, s.Column);
    return out;
  };
  const P steps = pixels(7, 0, 8, 10);
  ASSERT_EQ(steps.size(), 10u);
  // The running sum of 0.1 is 7.4999... after five steps: (7, 5). One point makes no line.
  EXPECT_EQ(std::tuple(steps[5], steps[6], pixels(4, 4, 4, 4)),
            std::tuple(std::pair{7, 5}, std::pair{8, 6}, P{}));
}

// Refusals the handlers' tests do not show, bounds on the very edge (of lines 0 .. 9, columns 0 .. 11).
TEST(SequenceExtraction, ZoneFaults) {
  const SequenceFrame frame{10, 12, 0, 1}, inner{10, 12, 2, 2};
  const std::tuple<SequenceZone, SequenceFrame, ZoneFault> cases[] = {
      {Zone(7), frame, ZoneFault::NoItem},
      {Zone(kWholeScene), {0, 0, 0, 1}, ZoneFault::EmptyFrame},
      {{kHorizontalLine, 9, 0, 0, 0, 0, 11}, frame, ZoneFault::None},
      {{kHorizontalLine, 3, 0, 0, 6, 0, 5}, frame, ZoneFault::ColumnOrder},
      {{kVerticalLine, 0, 11, 0, 0, 9}, frame, ZoneFault::None},
      {{kVerticalLine, 0, 2, 4, 0, 4}, frame, ZoneFault::LineOrder},
      {Zone(kDiagonalLine, 9, 0, 0, 11), frame, ZoneFault::None},
      {Zone(kDiagonalLine, 10, 0, 0, 0), frame, ZoneFault::FirstLine},
      {Zone(kDiagonalLine, 0, 0, 0, 12), frame, ZoneFault::LastColumn},
      {Zone(kRectangularZone, 0, 0, 9, 11), frame, ZoneFault::None},
      {Zone(kRectangularZone, 0, 5, 9, 5), frame, ZoneFault::ColumnOrder},
      {Zone(kRectangularZone, 0, 0, 10, 11), frame, ZoneFault::LastLine},
      {Zone(kRectangularZone, 1, 2, 7, 9), inner, ZoneFault::FirstLine}};
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    const auto& [zone, in, fault] = cases[k];
    EXPECT_EQ(CheckZone(zone, in), fault) << "case " << k;
    if (fault == ZoneFault::None) continue;  // a refused zone reads nothing
    EXPECT_EQ(std::tuple(CountSequenceValues(zone, in, BytePlane(12, 10)),
                         Extract(BytePlane(12, 10), BytePlane(12, 10), zone, in).empty()),
              std::tuple(0, true))
        << "case " << k;
  }
}

// Random zones in random frames: the literal walk's values, and the count said before.
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
    const SequenceZone zone{1 + next(6), next(29), next(37), next(29), next(37), next(29), next(37), next(4)};
    if (CheckZone(zone, frame) != ZoneFault::None) continue;
    ++checked;
    const std::vector<int> values = Extract(image, zones, zone, frame);
    EXPECT_EQ(values, LiteralExtraction(image, zones, zone, frame)) << "trial " << trial;
    EXPECT_EQ(CountSequenceValues(zone, frame, zones), static_cast<std::int64_t>(values.size()));
  }
  EXPECT_GT(checked, 500);
}

}  // namespace
