#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "imaging/Parallel.h"
#include "panels/kernels/DilationContour.h"
#include "panels/kernels/EditorLine.h"
#include "panels/kernels/EditorPlanes.h"

namespace {

using Pixels = std::vector<PixelPosition>;

TEST(EditorLine, WalksHandWorkedLines) {
  const std::tuple<PixelPosition, PixelPosition, Pixels> cases[] = {
      // Backwards with half steps: 4.5 + 0.5 and 3.5 + 0.5 reach the next integer.
      {{5, 5}, {1, 3}, {{5, 5}, {4, 5}, {3, 4}, {2, 4}, {1, 3}}},
      {{6, 2}, {6, 2}, {}},
  };
  for (const auto& [start, end, expected] : cases) EXPECT_EQ(LinePixels(start, end), expected) << end.Line;
}

TEST(EditorLine, DrawingRecordsWhatItChangedRestoringGivesItBackAndOnePixelOrOutsideDrawsNothing) {
  std::mt19937 random(5);
  for (int trial = 0; trial < 200; ++trial) {
    BytePlane plane = MakeRandomGray(23, 17, trial);
    const BytePlane before = plane.Clone();
    const PixelPosition start{int(random() % 17), int(random() % 23)},
        end{int(random() % 17), int(random() % 23)};
    std::vector<int> values(2, -1);  // too short: it grows
    Pixels pixels;
    const int drawn = DrawEditorLine(plane, start, end, 77, values, pixels);
    const Pixels walk = LinePixels(start, end);
    ASSERT_EQ(std::tuple(drawn, pixels), std::tuple(static_cast<int>(walk.size()), walk));
    for (int k = 0; k < drawn; ++k)
      EXPECT_EQ(std::tuple(values[k], plane[walk[k].Line][walk[k].Column]),
                std::tuple(before[walk[k].Line][walk[k].Column], 77));
    RestoreLinePixels(plane, values, pixels, drawn);
    ASSERT_TRUE(std::equal(plane.Data(), plane.Data() + plane.Size(), before.Data())) << trial;
  }
  BytePlane plane(5, 4);
  std::vector<int> values = {9, 8};
  Pixels pixels = {{1, 1}, {1, 2}};
  for (const auto& [start, end] : std::vector<std::pair<PixelPosition, PixelPosition>>{
           {{2, 2}, {2, 2}}, {{0, 0}, {4, 0}}, {{0, 0}, {0, 5}}, {{-1, 0}, {2, 2}}}) {
    EXPECT_EQ(DrawEditorLine(plane, start, end, 3, values, pixels), 0);
    EXPECT_EQ(std::tuple(values, pixels), std::tuple(std::vector<int>{9, 8}, Pixels{{1, 1}, {1, 2}}));
  }
  // A restore of more than was recorded stops at the record's end.
  RestoreLinePixels(plane, values, pixels, 10);
  EXPECT_EQ(std::tuple(plane[2][2], plane[1][1], plane[1][2]), std::tuple(0, 9, 8));
}

TEST(EditorPlanes, RecodingAndColoursMatchAPixelByPixelReading) {
  std::mt19937 random(3);
  ColourTable table;
  for (Rgb& c : table) c = {std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random())};
  for (const int threads : {1, 3}) {
    parallel::SetThreadLimit(threads);
    for (const int side : {1, 9, 700}) {
      const BytePlane source = MakeRandomGray(side + 2, side, side);
      BytePlane recoded = source.Clone();
      RecodeValue(recoded, source[0][0], 254);
      BytePlane colour(5, 5);  // of another size: remade
      ASSERT_TRUE(PaintColourImage(source, table, colour) && colour.Columns() == 3 * source.Columns());
      BytePlane red = source.Clone(), green = source.Clone(), blue(1, 1);
      PaintValueColour(source, 7, {1, 2, 3}, red, green, blue);
      for (int i = 0; i < side; ++i)
        for (int j = 0; j < side + 2; ++j) {
          const std::uint8_t v = source[i][j];
          ASSERT_EQ(std::tuple(colour[i][3 * j], colour[i][3 * j + 1], colour[i][3 * j + 2]),
                    std::tuple(table[v].blue, table[v].green, table[v].red));
          ASSERT_EQ(std::tuple(recoded[i][j], red[i][j], green[i][j]),
                    std::tuple(v == source[0][0] ? 254 : v, v == 7 ? 3 : v, v == 7 ? 2 : v));
        }
      EXPECT_EQ(blue[0][0], 0);  // of another size: left alone
    }
  }
  parallel::SetThreadLimit(0);
  BytePlane colour;
  EXPECT_FALSE(PaintColourImage(BytePlane(), table, colour));
}

TEST(DilationContour, EveryPresentCodeIsVisitedAndOnlyBackgroundInTheBackupIsGained) {
  // Codes 1..9, 11, 12 and 250 on line 0 (10 absent), 254 on line 1 with zeros that are not items.
  const std::vector<int> codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 250, 254};
  BytePlane start = UniformPlane(14, 2), before = UniformPlane(14, 2), oneLine = UniformPlane(14, 1);
  for (std::size_t k = 0; k + 1 < codes.size(); ++k) start[0][k] = static_cast<std::uint8_t>(codes[k]);
  start[1][2] = 254;
  start[1][0] = start[1][1] = 0;
  before[0][2] = oneLine[0][2] = 3;  // code 3 was already there: not gained
  BytePlane panel = start.Clone();
  const DilationContourResult r = ExtractDilationContour(panel, before);
  EXPECT_EQ(std::tuple(r.Codes, r.TotalPixels.back(), r.BorderPixels.back()), std::tuple(codes, 13, 12));
  // Zeros become background.
  EXPECT_EQ(std::tuple(panel[0][2], panel[0][11], panel[1][2], panel[1][0], panel[1][1]),
            std::tuple(255, 250, 254, 255, 255));
  // A backup that does not reach line 1 loses the gain of 254.
  panel = start.Clone();
  const DilationContourResult part = ExtractDilationContour(panel, oneLine);
  EXPECT_EQ(std::tuple(part.TotalPixels.back(), part.BorderPixels.back(), panel[1][2]),
            std::tuple(13, 11, 255));
  BytePlane zeros(4, 3);
  EXPECT_TRUE(ExtractDilationContour(zeros, BytePlane(4, 3)).Codes.empty() &&
              std::all_of(zeros.Data(), zeros.Data() + zeros.Size(), [](int v) { return v == 255; }));
}

TEST(DilationContour, ThreadsGiveTheSameResult) {
  const BytePlane source = MakeRandomGray(600, 500, 4), before = MakeRandomGray(600, 500, 5);
  BytePlane panels[2] = {source.Clone(), source.Clone()};
  DilationContourResult results[2];
  for (const int k : {0, 1}) {
    parallel::SetThreadLimit(1 + 3 * k);
    results[k] = ExtractDilationContour(panels[k], before);
  }
  parallel::SetThreadLimit(0);
  EXPECT_EQ(std::tie(results[0].TotalPixels, results[0].BorderPixels),
            std::tie(results[1].TotalPixels, results[1].BorderPixels));
  EXPECT_TRUE(std::equal(panels[0].Data(), panels[0].Data() + panels[0].Size(), panels[1].Data()));
}

}  // namespace
