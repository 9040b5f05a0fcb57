// The screen editor's kernels: the line walk and its undo, recoding, the colour picture, and the
// dilation contour.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "fixtures/Patterns.h"
#include "imaging/Parallel.h"
#include "panels/kernels/DilationContour.h"
#include "panels/kernels/EditorLine.h"
#include "panels/kernels/EditorPlanes.h"

namespace {

using Pixels = std::vector<PixelPosition>;

TEST(EditorLine, WalksHandWorkedLines) {
  struct Case {
    PixelPosition start, end;
    Pixels expected;
  };
  const std::vector<Case> cases = {
      // 0.3 of a line per column: the line rounds up at 0.6, 1.5 and 2.7.
      {{0, 0},
       {3, 10},
       {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}, {2, 6}, {2, 7}, {2, 8}, {3, 9}, {3, 10}}},
      {{2, 1}, {2, 4}, {{2, 1}, {2, 2}, {2, 3}, {2, 4}}},
      {{4, 3}, {1, 3}, {{4, 3}, {3, 3}, {2, 3}, {1, 3}}},
      {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      // Backwards with half steps: 4.5 + 0.5 and 3.5 + 0.5 reach the next integer.
      {{5, 5}, {1, 3}, {{5, 5}, {4, 5}, {3, 4}, {2, 4}, {1, 3}}},
      {{6, 2}, {6, 2}, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LinePixels(c.start, c.end), c.expected) << c.end.Line << "," << c.end.Column;
}

TEST(EditorLine, DrawingRecordsWhatItChangedAndRestoringGivesItBack) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 200; ++trial) {
    BytePlane plane = MakeRandomGray(23, 17, trial);
    const BytePlane before = plane.Clone();
    const PixelPosition start{static_cast<int>(random() % 17), static_cast<int>(random() % 23)};
    const PixelPosition end{static_cast<int>(random() % 17), static_cast<int>(random() % 23)};
    std::vector<int> values(2, -1);  // too short: it grows
    Pixels pixels;
    const int drawn = DrawEditorLine(plane, start, end, 77, values, pixels);
    const Pixels walk = LinePixels(start, end);
    ASSERT_EQ(drawn, static_cast<int>(walk.size()));
    ASSERT_EQ(pixels, walk);
    for (int k = 0; k < drawn; ++k) {
      EXPECT_EQ(values[k], before[walk[k].Line][walk[k].Column]);
      EXPECT_EQ(plane[walk[k].Line][walk[k].Column], 77);
    }
    RestoreLinePixels(plane, values, pixels, drawn);
    ASSERT_TRUE(std::equal(plane.Data(), plane.Data() + plane.Size(), before.Data())) << trial;
  }
}

TEST(EditorLine, NothingIsDrawnOnOnePixelOrOutsideAndTheRecordStays) {
  BytePlane plane(5, 4);
  std::vector<int> values = {9, 8};
  Pixels pixels = {{1, 1}, {1, 2}};
  for (const auto& [start, end] : std::vector<std::pair<PixelPosition, PixelPosition>>{
           {{2, 2}, {2, 2}}, {{0, 0}, {4, 0}}, {{0, 0}, {0, 5}}, {{-1, 0}, {2, 2}}}) {
    EXPECT_EQ(DrawEditorLine(plane, start, end, 3, values, pixels), 0);
    EXPECT_EQ(values, (std::vector<int>{9, 8}));
    EXPECT_EQ(pixels, (Pixels{{1, 1}, {1, 2}}));
  }
  EXPECT_EQ(plane[2][2], 0);
  // A restore of more than was recorded stops at the record's end.
  RestoreLinePixels(plane, values, pixels, 10);
  EXPECT_EQ(plane[1][1], 9);
  EXPECT_EQ(plane[1][2], 8);
}

TEST(EditorPlanes, RecodingAndColoursMatchAPixelByPixelReading) {
  std::mt19937 random(3);
  ColourTable table;
  for (Rgb& c : table)
    c = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
         static_cast<std::uint8_t>(random())};
  for (const int threads : {1, 3}) {
    parallel::SetThreadLimit(threads);
    for (const int side : {1, 9, 700}) {
      const BytePlane source = MakeRandomGray(side + 2, side, side);
      BytePlane recoded = source.Clone();
      RecodeValue(recoded, source[0][0], 254);
      BytePlane colour(5, 5);  // of another size: remade
      ASSERT_TRUE(PaintColourImage(source, table, colour));
      ASSERT_EQ(colour.Columns(), 3 * source.Columns());
      BytePlane red = source.Clone(), green = source.Clone(), blue(1, 1);
      PaintValueColour(source, 7, {1, 2, 3}, red, green, blue);
      for (int i = 0; i < side; ++i)
        for (int j = 0; j < side + 2; ++j) {
          const std::uint8_t v = source[i][j];
          ASSERT_EQ(recoded[i][j], v == source[0][0] ? 254 : v);
          ASSERT_EQ(colour[i][3 * j], table[v].blue);
          ASSERT_EQ(colour[i][3 * j + 1], table[v].green);
          ASSERT_EQ(colour[i][3 * j + 2], table[v].red);
          ASSERT_EQ(red[i][j], v == 7 ? 3 : v);
          ASSERT_EQ(green[i][j], v == 7 ? 2 : v);
        }
      EXPECT_EQ(blue[0][0], 0);  // of another size: left alone
    }
  }
  parallel::SetThreadLimit(0);
  BytePlane none, colour;
  EXPECT_FALSE(PaintColourImage(none, table, colour));
}

// Items of 15, 25 and 35 pixels (codes 1, 2, 3), grown by 10, 20 and 30 pixels into the background.
struct Grown {
  BytePlane before, after;
};
Grown ThreeGrownItems() {
  Grown g{BytePlane(20, 10), BytePlane(20, 10)};
  g.before.Fill(255);
  const int sizes[3] = {15, 25, 35}, gains[3] = {10, 20, 30};
  for (int code = 1; code <= 3; ++code) {
    const int line0 = 3 * (code - 1);  // three lines of 20 per item
    for (int k = 0; k < sizes[code - 1]; ++k)
      g.before[line0 + k / 20][k % 20] = static_cast<std::uint8_t>(code);
  }
  g.after = g.before.Clone();
  for (int code = 1; code <= 3; ++code) {
    const int line0 = 3 * (code - 1);
    for (int k = sizes[code - 1]; k < sizes[code - 1] + gains[code - 1]; ++k)
      g.after[line0 + k / 20][k % 20] = static_cast<std::uint8_t>(code);
  }
  return g;
}

TEST(DilationContour, ThreeGrownItemsKeepTheirGainsWithRunningCounts) {
  Grown g = ThreeGrownItems();
  const BytePlane after = g.after.Clone();
  const DilationContourResult r = ExtractDilationContour(g.after, g.before);
  EXPECT_EQ(r.Codes, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(r.TotalPixels, (std::vector<std::int64_t>{25, 70, 135}));
  EXPECT_EQ(r.BorderPixels, (std::vector<std::int64_t>{10, 30, 60}));
  int kept = 0;
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 20; ++j) {
      const bool gained = g.before[i][j] == 255 && after[i][j] != 255;
      EXPECT_EQ(g.after[i][j], gained ? after[i][j] : 255) << i << "," << j;
      kept += gained ? 1 : 0;
    }
  EXPECT_EQ(kept, 60);
}

TEST(DilationContour, EveryPresentCodeIsVisitedAndZeroIsNoItem) {
  // Codes 1..9, 11, 12, 250 and 254 (10 absent), and zeros that are not items.
  const std::vector<int> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 250, 254};
  BytePlane panel(codes.size() + 2, 2), before(codes.size() + 2, 2);
  panel.Fill(255);
  before.Fill(255);
  for (std::size_t k = 0; k < codes.size(); ++k) panel[0][k] = static_cast<std::uint8_t>(codes[k]);
  panel[1][0] = panel[1][1] = 0;
  before[0][2] = 3;  // code 3 was already there: not gained
  const DilationContourResult r = ExtractDilationContour(panel, before);
  EXPECT_EQ(r.Codes, codes);
  EXPECT_EQ(r.TotalPixels.back(), 13);
  EXPECT_EQ(r.BorderPixels.back(), 12);
  EXPECT_EQ(panel[0][2], 255);
  EXPECT_EQ(panel[0][12], 254);
  EXPECT_EQ(panel[1][0], 255);  // a zero becomes background

  BytePlane zeros(4, 3);
  const DilationContourResult none = ExtractDilationContour(zeros, BytePlane(4, 3));
  EXPECT_TRUE(none.Codes.empty());
  for (std::size_t k = 0; k < zeros.Size(); ++k) EXPECT_EQ(zeros.Data()[k], 255);
}

TEST(DilationContour, ABackupOfZerosOrOfAnotherSizeGivesNoGain) {
  Grown g = ThreeGrownItems();
  BytePlane copy = g.after.Clone();
  const DilationContourResult zeros = ExtractDilationContour(copy, BytePlane(20, 10));
  EXPECT_EQ(zeros.BorderPixels, (std::vector<std::int64_t>{0, 0, 0}));
  EXPECT_EQ(zeros.TotalPixels.back(), 135);
  // A backup that reaches only the first three lines: only item 1 can gain.
  BytePlane small(20, 3);
  small.Fill(255);
  const DilationContourResult part = ExtractDilationContour(g.after, small);
  EXPECT_EQ(part.BorderPixels, (std::vector<std::int64_t>{25, 25, 25}));
}

TEST(DilationContour, ThreadsGiveTheSameResult) {
  const BytePlane source = MakeRandomGray(600, 500, 4);
  const BytePlane before = MakeRandomGray(600, 500, 5);
  std::vector<BytePlane> panels;
  std::vector<DilationContourResult> results;
  for (const int threads : {1, 4}) {
    parallel::SetThreadLimit(threads);
    panels.push_back(source.Clone());
    results.push_back(ExtractDilationContour(panels.back(), before));
  }
  parallel::SetThreadLimit(0);
  EXPECT_EQ(results[0].TotalPixels, results[1].TotalPixels);
  EXPECT_EQ(results[0].BorderPixels, results[1].BorderPixels);
  EXPECT_TRUE(std::equal(panels[0].Data(), panels[0].Data() + panels[0].Size(), panels[1].Data()));
}

}  // namespace
