#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures/Fractals.h"
#include "fixtures/Patterns.h"
#include "imaging/Parallel.h"
#include "imaging/SeedFill.h"
#include "urban/kernels/Outline.h"

namespace {

// The extraction written out plainly on a mask of the image size: 1 on the value, the two-pixel
// frame 255, the outside filled with 2 from the corner by the seed fill, then pixel by pixel.
BytePlane LiteralMask(const BytePlane& image, int value) {
  const int lines = image.Lines(), columns = image.Columns();
  BytePlane mask(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) {
      const bool frame = i < 2 || j < 2 || i >= lines - 2 || j >= columns - 2;
      mask[i][j] = !frame && image[i][j] == value ? 1 : 255;
    }
  SeedFill(mask, 0, 0, 2);
  return mask;
}

int Weight(const BytePlane& p, int i, int j, int weight) {
  return p[i][j] == 1 ? weight : 0;
}

void LiteralPrune(BytePlane& p) {
  for (int i = 1; i < p.Lines() - 1; ++i)
    for (int j = 1; j < p.Columns() - 1; ++j) {
      if (p[i][j] != 1) continue;
      const int sum = Weight(p, i - 1, j - 1, 1) + Weight(p, i - 1, j, 2) + Weight(p, i - 1, j + 1, 4) +
                      Weight(p, i, j + 1, 8) + Weight(p, i + 1, j + 1, 16) + Weight(p, i + 1, j, 32) +
                      Weight(p, i + 1, j - 1, 64) + Weight(p, i, j - 1, 128);
      for (int corner : {10, 40, 160, 130, 104, 44, 161, 176})
        if (sum == corner) p[i][j] = 255;
    }
}

BytePlane LiteralPerimeter(const BytePlane& image, int value) {
  const BytePlane mask = LiteralMask(image, value);
  BytePlane out(image.Columns(), image.Lines());
  out.Fill(255);
  for (int i = 1; i < image.Lines() - 1; ++i)
    for (int j = 1; j < image.Columns() - 1; ++j)
      if (mask[i][j] == 1 &&
          (mask[i - 1][j] == 2 || mask[i + 1][j] == 2 || mask[i][j - 1] == 2 || mask[i][j + 1] == 2))
        out[i][j] = 1;
  LiteralPrune(out);
  return out;
}

BytePlane LiteralHoles(const BytePlane& image, int value) {
  const BytePlane mask = LiteralMask(image, value);
  BytePlane out(image.Columns(), image.Lines());
  for (std::size_t k = 0; k < mask.Size(); ++k) out.Data()[k] = mask.Data()[k] == 255 ? 1 : 255;
  return out;
}

std::string Picture(const BytePlane& p) {
  std::string text;
  for (int i = 0; i < p.Lines(); ++i) {
    for (int j = 0; j < p.Columns(); ++j) text += p[i][j] == 1 ? '#' : '.';
    text += '\n';
  }
  return text;
}

BytePlane FromPicture(const std::vector<std::string>& rows, int item = 1) {
  BytePlane p(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int i = 0; i < p.Lines(); ++i)
    for (int j = 0; j < p.Columns(); ++j) p[i][j] = rows[i][j] == '#' ? item : 255;
  return p;
}

std::int64_t Count(const BytePlane& p, std::uint8_t value) {
  std::int64_t n = 0;
  for (std::size_t k = 0; k < p.Size(); ++k) n += p.Data()[k] == value;
  return n;
}

// Gray values 0 .. 3 at random: the value 1 makes items, holes and outside of every shape.
BytePlane FourValues(int columns, int lines, std::uint32_t seed, int blob) {
  const BytePlane noise = MakeRandomGray(columns / blob + 1, lines / blob + 1, seed);
  BytePlane p(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) p[i][j] = noise[i / blob][j / blob] % 4;
  return p;
}

}  // namespace

TEST(OutlineTest, PerimeterAndHolesEqualThePlainExtraction) {
  for (auto [columns, lines] : {std::pair{1, 1}, {2, 5}, {3, 3}, {5, 4}, {7, 9}, {64, 48}, {300, 257}}) {
    for (int blob : {1, 2, 5}) {
      const BytePlane image = FourValues(columns, lines, columns * 7 + blob, blob);
      for (int value : {1, 3}) {
        SCOPED_TRACE(std::to_string(columns) + "x" + std::to_string(lines) + " blob " + std::to_string(blob));
        EXPECT_EQ(Picture(ExtractPerimeter(image, value)), Picture(LiteralPerimeter(image, value)));
        EXPECT_EQ(Picture(ExtractHoles(image, value)), Picture(LiteralHoles(image, value)));
      }
    }
  }
  // Winding background: a spiral's channel and a comb's gaps reach the outside the long way round.
  for (const BytePlane& winding :
       {fixtures::Spiral(61), fixtures::Comb(40, 70), fixtures::SierpinskiCarpet(4)}) {
    EXPECT_EQ(Picture(ExtractPerimeter(winding, 1)), Picture(LiteralPerimeter(winding, 1)));
    EXPECT_EQ(Picture(ExtractHoles(winding, 1)), Picture(LiteralHoles(winding, 1)));
    EXPECT_EQ(Picture(ExtractHoles(winding, 255)), Picture(LiteralHoles(winding, 255)));
  }
  // Many small chunks of lines: every chunk's edge lines are read before they are overwritten.
  const BytePlane large = FourValues(40, 3000, 9, 3);
  EXPECT_EQ(Picture(ExtractPerimeter(large, 2)), Picture(LiteralPerimeter(large, 2)));
  parallel::SetThreadLimit(1);
  EXPECT_EQ(Picture(ExtractPerimeter(large, 2)), Picture(LiteralPerimeter(large, 2)));
  parallel::SetThreadLimit(0);
}

TEST(OutlineTest, ASquareKeepsItsOutlineWithoutItsFourCorners) {
  const BytePlane square = fixtures::FilledSquare(40, 40, 10, 10, 20);
  const BytePlane perimeter = ExtractPerimeter(square, 1);
  EXPECT_EQ(Count(perimeter, 1), 72);  // 4 x 20 - 4 outline pixels, less the 4 corners
  EXPECT_EQ(perimeter[10][10], 255);
  EXPECT_EQ(perimeter[10][11], 1);
  EXPECT_EQ(perimeter[29][28], 1);
  EXPECT_EQ(perimeter[20][20], 255);
  EXPECT_EQ(Count(ExtractHoles(square, 1), 1), 0);
}

TEST(OutlineTest, ARingGivesItsOuterOutlineAndItsHoleTheInside) {
  const BytePlane ring = FromPicture({
      "............",
      "............",
      "...######...",
      "...######...",
      "...##..##...",
      "...##..##...",
      "...######...",
      "...######...",
      "............",
      "............",
  });
  EXPECT_EQ(Picture(ExtractPerimeter(ring, 1)),
            "............\n"
            "............\n"
            "....####....\n"
            "...#....#...\n"
            "...#....#...\n"
            "...#....#...\n"
            "...#....#...\n"
            "....####....\n"
            "............\n"
            "............\n");
  EXPECT_EQ(Picture(ExtractHoles(ring, 1)),
            "............\n"
            "............\n"
            "............\n"
            "............\n"
            ".....##.....\n"
            ".....##.....\n"
            "............\n"
            "............\n"
            "............\n"
            "............\n");
}

TEST(OutlineTest, AnItemOnTheBorderIsCutTwoPixelsInside) {
  BytePlane image(10, 8);
  image.Fill(255);
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 5; ++j) image[i][j] = 7;
  EXPECT_EQ(Picture(ExtractPerimeter(image, 7)),
            "..........\n"
            "..........\n"
            "...#......\n"
            "..#.#.....\n"
            "..#.#.....\n"
            "...#......\n"
            "..........\n"
            "..........\n");
}

TEST(OutlineTest, AValueFoundNowhereOrWithoutHolesGivesBackgroundOnly) {
  const BytePlane image = FourValues(50, 40, 3, 2);
  for (int value : {9, 256, -7}) {
    EXPECT_EQ(Count(ExtractPerimeter(image, value), 255), 2000) << value;
    EXPECT_EQ(Count(ExtractHoles(image, value), 255), 2000) << value;
  }
  EXPECT_EQ(Count(ExtractHoles(fixtures::FilledSquare(30, 30, 5, 5, 10), 1), 255), 900);
}

TEST(OutlineTest, LShapedCornersArePrunedInRowOrder) {
  // The corner of an L (neighbours N and E only, 2 + 8 = 10) goes; a diagonal step stays.
  BytePlane l = FromPicture({
      ".....",
      ".#...",
      ".##..",
      ".....",
  });
  PruneCorners(l);
  EXPECT_EQ(Picture(l),
            ".....\n"
            ".#...\n"
            "..#..\n"
            ".....\n");
  // Row order: a staircase loses its upper step, and then, seeing it gone, the next one.
  BytePlane stairs = FromPicture({
      ".......",
      "....##.",
      "...##..",
      "..##...",
      ".......",
  });
  PruneCorners(stairs);
  EXPECT_EQ(Picture(stairs),
            ".......\n"
            ".....#.\n"
            "....#..\n"
            "..##...\n"
            ".......\n");
}
