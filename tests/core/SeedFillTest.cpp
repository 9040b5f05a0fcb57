#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "fixtures/Blocks.h"
#include "imaging/SeedFill.h"

namespace {

constexpr std::uint8_t kBack = 255;

bool Same(const BytePlane& a, const BytePlane& b) {
  return a.Size() == b.Size() && std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

// The fill step by step as stated (every seed taken, even one filled since); marks 1 on writes.
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
    int left = std::max(x, 1), right = x;
    while (left > 1 && plane[y][left - 1] == kBack) --left;
    while (right + 1 < columns && plane[y][right + 1] == kBack) ++right;
    if (left == 1) write(y, 0);
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
  // Last, a large ragged region whose seed stack far exceeds a fixed table of 100,000 entries.
  std::mt19937 random(23);
  for (int trial = 0; trial <= 3000; ++trial) {
    const bool large = trial == 3000;
    const int scale = trial % 10 == 0 ? 12 : 1;  // some large enough for many stale seeds
    const int columns = large ? 1100 : 1 + static_cast<int>(random() % (12 * scale));
    const int lines = large ? 900 : 1 + static_cast<int>(random() % (9 * scale));
    const int itemPercent = large ? 30 : static_cast<int>(random() % 60);
    BytePlane plane(columns, lines);
    for (std::size_t k = 0; k < plane.Size(); ++k)
      plane.Data()[k] = static_cast<int>(random() % 100) < itemPercent ? 1 + random() % 3 : kBack;
    const int line = static_cast<int>(random() % lines), column = static_cast<int>(random() % columns);
    if (large) plane[line][column] = kBack;
    BytePlane expected = plane.Clone(), expectedMarks(columns, lines), marks(columns, lines);
    LiteralSeedFill(expected, line, column, 9, expectedMarks);
    ASSERT_TRUE(SeedFill(plane, line, column, 9, &marks));
    ASSERT_TRUE(Same(plane, expected) && Same(marks, expectedMarks))
        << columns << "x" << lines << " " << line << "," << column;
  }
}

TEST(SeedFill, HandWorkedFramesAndSeedsAndRefusalsThatChangeNothing) {
  // By hand (the marks are the step-by-step fill's test). Runs reaching column 1 and the column before
  // the last write the frame pixels whatever they hold; a seed on column 0 seeds the rows around there.
  const std::tuple<std::string, int, int, int, std::string> cases[] = {
      {"7...9\n7.3.9\n77777\n", 0, 2, 5, "55555\n55355\n77777\n"},
      {"....\n.1..\n....\n", 1, 0, 6, "6666\n6166\n6666\n"}};
  for (const auto& [text, line, column, value, filled] : cases) {
    BytePlane plane = PlaneFromText(text);
    EXPECT_TRUE(SeedFill(plane, line, column, value) && PlaneText(plane) == filled) << filled;
  }
  // The row step alone stays on the seed's row.
  BytePlane row = PlaneFromText(".......\n..4..9.\n.......\n");
  EXPECT_TRUE(SeedFillRow(row, 1, 2, 8) && PlaneText(row) == ".......\n888889.\n.......\n");
  for (const auto& [line, column, value] :
       {std::tuple{0, 0, 255}, {1, 1, 256}, {1, 1, -1}, {-1, 0, 3}, {0, 4, 3}, {3, 0, 3}}) {
    BytePlane plane = PlaneFromText("....\n....\n....\n");
    EXPECT_FALSE(SeedFill(plane, line, column, value) || SeedFillRow(plane, line, column, value))
        << line << column;
    EXPECT_EQ(PlaneText(plane), "....\n....\n....\n");
  }
  BytePlane plane(4, 3), wrongMarks(3, 3), empty;
  EXPECT_FALSE(SeedFill(plane, 1, 1, 3, &wrongMarks) || SeedFill(empty, 0, 0, 3));
}

}  // namespace
