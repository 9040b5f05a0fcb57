#include <gtest/gtest.h>

#include "ThreadCounts.h"
#include "fixtures/Blocks.h"
#include "fixtures/Fractals.h"
#include "fixtures/Patterns.h"
#include "imaging/SeedFill.h"
#include "urban/kernels/Outline.h"

namespace {

// The extraction plainly: a mask 1 on the value, a two-pixel frame 255, the outside seed-filled with 2.
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

BytePlane LiteralPerimeter(const BytePlane& image, int value) {
  const BytePlane mask = LiteralMask(image, value);
  BytePlane p = UniformPlane(image.Columns(), image.Lines());
  for (int i = 1; i < image.Lines() - 1; ++i)
    for (int j = 1; j < image.Columns() - 1; ++j)
      if (mask[i][j] == 1 &&
          (mask[i - 1][j] == 2 || mask[i + 1][j] == 2 || mask[i][j - 1] == 2 || mask[i][j + 1] == 2))
        p[i][j] = 1;
  // The corners pruned in row order, with weights NW 1, N 2, NE 4, E 8, SE 16, S 32, SW 64, W 128.
  auto weight = [&](int i, int j, int w) { return p[i][j] == 1 ? w : 0; };
  for (int i = 1; i < p.Lines() - 1; ++i)
    for (int j = 1; j < p.Columns() - 1; ++j) {
      if (p[i][j] != 1) continue;
      const int sum = weight(i - 1, j - 1, 1) + weight(i - 1, j, 2) + weight(i - 1, j + 1, 4) +
                      weight(i, j + 1, 8) + weight(i + 1, j + 1, 16) + weight(i + 1, j, 32) +
                      weight(i + 1, j - 1, 64) + weight(i, j - 1, 128);
      for (int corner : {10, 40, 160, 130, 104, 44, 161, 176})
        if (sum == corner) p[i][j] = 255;
    }
  return p;
}

BytePlane LiteralHoles(const BytePlane& image, int value) {
  const BytePlane mask = LiteralMask(image, value);
  BytePlane out(image.Columns(), image.Lines());
  for (std::size_t k = 0; k < mask.Size(); ++k) out.Data()[k] = mask.Data()[k] == 255 ? 1 : 255;
  return out;
}

// Gray values 0 .. 3 at random: the value 1 makes items, holes and outside of every shape.
BytePlane FourValues(int columns, int lines, std::uint32_t seed, int blob) {
  const BytePlane noise = MakeRandomGray(columns / blob + 1, lines / blob + 1, seed);
  BytePlane p(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) p[i][j] = noise[i / blob][j / blob] % 4;
  return p;
}

void ExpectLiteral(const BytePlane& image, int value) {
  SCOPED_TRACE(testing::Message() << image.Columns() << "x" << image.Lines() << " value " << value);
  EXPECT_EQ(PlaneText(ExtractPerimeter(image, value)), PlaneText(LiteralPerimeter(image, value)));
  EXPECT_EQ(PlaneText(ExtractHoles(image, value)), PlaneText(LiteralHoles(image, value)));
}

class OutlineAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(OutlineAtThreads);

}  // namespace

TEST_P(OutlineAtThreads, PerimeterAndHolesEqualThePlainExtraction) {
  for (auto [columns, lines] : {std::pair{1, 1}, {2, 5}, {3, 3}, {5, 4}, {7, 9}, {64, 48}, {300, 257}})
    for (int blob : {1, 2, 5})
      for (int value : {1, 3}) ExpectLiteral(FourValues(columns, lines, columns * 7 + blob, blob), value);
  // Values found nowhere or not a byte give background only.
  for (int value : {9, 256, -7}) ExpectLiteral(FourValues(50, 40, 3, 2), value);
  // Winding background: a spiral's channel and a comb's gaps reach the outside the long way round.
  for (const BytePlane& winding :
       {fixtures::Spiral(61), fixtures::Comb(40, 70), fixtures::SierpinskiCarpet(4)})
    for (int value : {1, 255}) ExpectLiteral(winding, value);
  // Many small chunks of lines: every chunk's edge lines are read before they are overwritten.
  ExpectLiteral(FourValues(40, 3000, 9, 3), 2);
}

// A square's 72 pixels are checked through the treatment, in tests/gui/ExtractionTreatmentTest.cpp.
TEST(OutlineTest, ARingGivesItsOuterOutlineAndItsHoleTheInside) {
  const BytePlane ring = PlaneFromText(
      "............\n............\n...111111...\n...111111...\n...11..11...\n"
      "...11..11...\n...111111...\n...111111...\n............\n............\n");
  EXPECT_EQ(PlaneText(ExtractPerimeter(ring, 1)),
            "............\n............\n....1111....\n...1....1...\n...1....1...\n"
            "...1....1...\n...1....1...\n....1111....\n............\n............\n");
  EXPECT_EQ(PlaneText(ExtractHoles(ring, 1)),
            "............\n............\n............\n............\n.....11.....\n"
            ".....11.....\n............\n............\n............\n............\n");
}
