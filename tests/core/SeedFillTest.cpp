#include <gtest/gtest.h>

#include <queue>
#include <random>
#include <string>
#include <vector>

#include "imaging/SeedFill.h"

namespace {

constexpr std::uint8_t kBack = 255;

BytePlane FromRows(const std::vector<std::vector<int>>& rows) {
  BytePlane plane(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int i = 0; i < plane.Lines(); ++i)
    for (int j = 0; j < plane.Columns(); ++j) plane[i][j] = static_cast<std::uint8_t>(rows[i][j]);
  return plane;
}

std::string Text(const BytePlane& plane) {
  std::string text;
  for (int i = 0; i < plane.Lines(); ++i) {
    for (int j = 0; j < plane.Columns(); ++j)
      text += std::to_string(plane[i][j]) + (j + 1 < plane.Columns() ? " " : "");
    text += "\n";
  }
  return text;
}

// What the fill must write, defined without scan lines (seed on column 1 or beyond): the seed's row run
// (the seed and the background beside it, down to column 1), grown through 4-connected background
// pixels of columns 1 and beyond; then column 0 of each row whose region holds column 1, and the last
// column of each row whose region holds the column before it. Returns the written marks.
BytePlane ExpectedWrites(const BytePlane& plane, int line, int column) {
  const int lines = plane.Lines(), columns = plane.Columns();
  BytePlane region(columns, lines);
  std::queue<std::pair<int, int>> queue;
  auto add = [&](int i, int j) {
    region[i][j] = 1;
    queue.push({i, j});
  };
  add(line, column);
  for (int j = column - 1; j >= 1 && plane[line][j] == kBack; --j) add(line, j);
  for (int j = column + 1; j < columns && plane[line][j] == kBack; ++j) add(line, j);
  while (!queue.empty()) {
    const auto [i, j] = queue.front();
    queue.pop();
    const int next[4][2] = {{i - 1, j}, {i + 1, j}, {i, j - 1}, {i, j + 1}};
    for (const auto& n : next)
      if (n[0] >= 0 && n[0] < lines && n[1] >= 1 && n[1] < columns && !region[n[0]][n[1]] &&
          plane[n[0]][n[1]] == kBack)
        add(n[0], n[1]);
  }
  BytePlane writes = region.Clone();
  for (int i = 0; i < lines; ++i) {
    if (columns > 1 && region[i][1]) writes[i][0] = 1;
    if (columns > 2 && region[i][columns - 2]) writes[i][columns - 1] = 1;
  }
  return writes;
}

// The fill step by step as it is stated: take the top seed, scan left to column 1 and right to the
// last column, write the frame pixels and the run, remove the seed, then seed the run ends of the
// rows above and below. Every seed is taken, even one filled since it was pushed; marks 1 on writes.
void LiteralSeedFill(BytePlane& plane, int line, int column, std::uint8_t value, BytePlane& marks) {
  const int lines = plane.Lines(), columns = plane.Columns();
  auto write = [&](int y, int x) {
    plane[y][x] = value;
    marks[y][x] = 1;
  };
  auto background = [&](int y, int x) { return x < columns && plane[y][x] == kBack; };
  std::vector<std::pair<int, int>> stack = {{line, column}};
  while (!stack.empty()) {
    const auto [y, x] = stack.back();
    int left = 1;
    for (int c = x - 1; c >= 1; --c)
      if (plane[y][c] != kBack) {
        left = c + 1;
        break;
      }
    if (left == 1) write(y, 0);
    int right = columns - 1;
    for (int c = x + 1; c < columns; ++c)
      if (plane[y][c] != kBack) {
        right = c - 1;
        break;
      }
    if (right == columns - 2) write(y, columns - 1);
    stack.pop_back();
    for (int c = left; c <= right; ++c) write(y, c);
    for (const int n : {y - 1, y + 1}) {
      if (n < 0 || n >= lines) continue;
      for (int c = left; c <= right; ++c)
        if (background(n, c) && !background(n, c + 1)) stack.push_back({n, c});
      if (background(n, right) && background(n, right + 1)) stack.push_back({n, right});
    }
  }
}

TEST(SeedFill, AgreesWithTheStepByStepFillFromAnySeed) {
  // Seeds anywhere, on column 0 and on items too, narrow planes included.
  std::mt19937 random(23);
  for (int trial = 0; trial < 3000; ++trial) {
    const int scale = trial % 10 == 0 ? 12 : 1;  // some large enough for many stale seeds
    const int columns = 1 + static_cast<int>(random() % (12 * scale));
    const int lines = 1 + static_cast<int>(random() % (9 * scale));
    const int itemPercent = static_cast<int>(random() % 60);
    BytePlane plane(columns, lines);
    for (std::size_t k = 0; k < plane.Size(); ++k)
      plane.Data()[k] = static_cast<int>(random() % 100) < itemPercent ? 1 : kBack;
    const int line = static_cast<int>(random() % lines), column = static_cast<int>(random() % columns);
    BytePlane expected = plane.Clone(), expectedMarks(columns, lines), marks(columns, lines);
    LiteralSeedFill(expected, line, column, 9, expectedMarks);
    ASSERT_TRUE(SeedFill(plane, line, column, 9, &marks));
    ASSERT_EQ(Text(plane), Text(expected)) << "seed " << line << "," << column << "\n" << Text(expected);
    ASSERT_EQ(Text(marks), Text(expectedMarks));
  }
}

TEST(SeedFill, HandWorkedRegionWritesTheFrameColumnsOfItsRows) {
  // The run of row 0 reaches column 1 and the column before the last: both frame pixels take the
  // value whatever they held; row 1's two pockets do the same; the item 3 and row 2 stay.
  BytePlane plane = FromRows({{7, 255, 255, 255, 9}, {7, 255, 3, 255, 9}, {7, 7, 7, 7, 7}});
  BytePlane marks(5, 3);
  marks.Fill(255);
  EXPECT_TRUE(SeedFill(plane, 0, 2, 5, &marks));
  EXPECT_EQ(Text(plane), "5 5 5 5 5\n5 5 3 5 5\n7 7 7 7 7\n");
  EXPECT_EQ(Text(marks), "1 1 1 1 1\n1 1 255 1 1\n255 255 255 255 255\n");
}

TEST(SeedFill, ColumnZeroIsNeitherTestedNorPassedThrough) {
  // Two pockets joined only through column 0 stay apart; column 0 of the filled row is written, and
  // so is its last column (an item), the run reaching the column before it.
  BytePlane plane = FromRows({{255, 255, 255, 1}, {255, 1, 1, 1}, {255, 255, 255, 1}});
  SeedFill(plane, 0, 2, 4);
  EXPECT_EQ(Text(plane), "4 4 4 4\n255 1 1 1\n255 255 255 1\n");
}

TEST(SeedFill, ASeedOnColumnZeroStartsFromColumnOneAndSeedsTheRowsBesideIt) {
  // Its own row's run is empty (column 1 is an item), yet the rows above and below are seeded at
  // column 0, from where the whole background is reached.
  BytePlane plane = FromRows({{255, 255, 255, 255}, {255, 1, 255, 255}, {255, 255, 255, 255}});
  EXPECT_TRUE(SeedFill(plane, 1, 0, 6));
  EXPECT_EQ(Text(plane), "6 6 6 6\n6 1 6 6\n6 6 6 6\n");
}

TEST(SeedFill, ASeedOnAnItemIsWrittenAndTheRowStepStaysOnItsRow) {
  const BytePlane start = FromRows({{255, 255, 255, 255, 255, 255, 255},
                                    {255, 255, 4, 255, 255, 9, 255},
                                    {255, 255, 255, 255, 255, 255, 255}});
  BytePlane row = start.Clone();
  EXPECT_TRUE(SeedFillRow(row, 1, 2, 8));
  EXPECT_EQ(Text(row), "255 255 255 255 255 255 255\n8 8 8 8 8 9 255\n255 255 255 255 255 255 255\n");
  // The full fill goes on into the rows around.
  BytePlane full = start.Clone();
  SeedFill(full, 1, 2, 8);
  EXPECT_EQ(Text(full), "8 8 8 8 8 8 8\n8 8 8 8 8 9 8\n8 8 8 8 8 8 8\n");
}

TEST(SeedFill, RefusedSeedsAndValuesChangeNothing) {
  struct Case {
    int line, column, value;
  };
  for (const Case c :
       {Case{0, 0, 255}, Case{1, 1, 256}, Case{1, 1, -1}, Case{-1, 0, 3}, Case{0, 4, 3}, Case{3, 0, 3}}) {
    BytePlane plane(4, 3);
    plane.Fill(kBack);
    EXPECT_FALSE(SeedFill(plane, c.line, c.column, c.value)) << c.line << " " << c.column << " " << c.value;
    EXPECT_FALSE(SeedFillRow(plane, c.line, c.column, c.value));
    EXPECT_EQ(Text(plane), "255 255 255 255\n255 255 255 255\n255 255 255 255\n");
  }
  BytePlane plane(4, 3), wrongMarks(3, 3);
  EXPECT_FALSE(SeedFill(plane, 1, 1, 3, &wrongMarks));
  BytePlane empty;
  EXPECT_FALSE(SeedFill(empty, 0, 0, 3));
}

TEST(SeedFill, NoisyPlanesMatchTheRegionDefinitionAtEverySize) {
  // Sizes down to two columns (one column is hand-worked below), noise from sparse to dense, and a large
  // ragged region whose scan-line stack far exceeds a fixed table of 100,000 entries.
  struct Case {
    int columns, lines, itemPercent;
  };
  std::mt19937 random(19);
  for (const Case c : {Case{2, 1, 0}, Case{7, 1, 30}, Case{2, 2, 0}, Case{3, 6, 20}, Case{13, 9, 10},
                       Case{40, 31, 35}, Case{64, 64, 45}, Case{1100, 900, 30}}) {
    for (int trial = 0; trial < (c.columns * c.lines > 100000 ? 1 : 20); ++trial) {
      BytePlane plane(c.columns, c.lines);
      for (std::size_t k = 0; k < plane.Size(); ++k)
        plane.Data()[k] = static_cast<int>(random() % 100) < c.itemPercent ? 1 + random() % 3 : kBack;
      const int line = static_cast<int>(random() % c.lines);
      const int column = 1 + static_cast<int>(random() % (c.columns - 1));
      const BytePlane writes = ExpectedWrites(plane, line, column);
      BytePlane expected = plane.Clone();
      for (std::size_t k = 0; k < plane.Size(); ++k)
        if (writes.Data()[k]) expected.Data()[k] = 200;
      BytePlane marks(c.columns, c.lines);
      marks.Fill(kBack);
      ASSERT_TRUE(SeedFill(plane, line, column, 200, &marks));
      ASSERT_EQ(plane.Size(), expected.Size());
      ASSERT_TRUE(std::equal(plane.Data(), plane.Data() + plane.Size(), expected.Data()))
          << c.columns << "x" << c.lines << " seed " << line << "," << column;
      for (std::size_t k = 0; k < plane.Size(); ++k)
        ASSERT_EQ(marks.Data()[k], writes.Data()[k] ? 1 : kBack) << k;
    }
  }
}

TEST(SeedFill, OneColumnPlanesWriteOnlyTheSeedColumn) {
  BytePlane plane = FromRows({{255}, {255}, {255}});
  EXPECT_TRUE(SeedFill(plane, 1, 0, 2));
  EXPECT_EQ(Text(plane), "255\n2\n255\n");
}

}  // namespace
