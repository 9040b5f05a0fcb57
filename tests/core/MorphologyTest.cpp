#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "imaging/Parallel.h"
#include "urban/kernels/Morphology.h"

namespace {

constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBack = 255;

// Majority smoothing as written: full rounds over a work plane until one changes nothing.
BytePlane ReferenceSmoothing(const BytePlane& plane, int value) {
  const int lines = plane.Lines(), columns = plane.Columns();
  BytePlane item(columns, lines), work(columns, lines);
  for (std::size_t n = 0; n < plane.Size(); ++n) item.Data()[n] = plane.Data()[n] == value ? kItem : kBack;
  for (bool changed = true; changed;) {
    changed = false;
    work.Fill(kBack);
    for (int i = 1; i <= lines - 2; ++i)
      for (int j = 1; j <= columns - 2; ++j) {
        int count = 0;
        for (int a = -1; a <= 1; ++a)
          for (int b = -1; b <= 1; ++b) count += item[i + a][j + b] == kItem;
        if (count >= 5) work[i][j] = kItem;
      }
    for (int i = 1; i <= lines - 2; ++i)
      for (int j = 1; j <= columns - 2; ++j)
        if (work[i][j] == kItem && item[i][j] != kItem) {
          item[i][j] = kItem;
          changed = true;
        }
  }
  return item;
}

// The morphology as written: a work plane per pass, the examined band fixed by the iteration count.
BytePlane ReferenceMorpho(const BytePlane& plane, int value, int kind, int n) {
  const int lines = plane.Lines(), columns = plane.Columns();
  BytePlane item(columns, lines), work(columns, lines);
  for (std::size_t p = 0; p < plane.Size(); ++p) item.Data()[p] = plane.Data()[p] == value ? kItem : kBack;
  const int four[4][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
  const int eight[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}};
  auto pass = [&](bool dilate, bool all8) {
    work.Fill(kBack);
    const int count = all8 ? 8 : 4;
    for (int i = 2 * n; i <= lines - 2 * n - 1; ++i)
      for (int j = 2 * n; j <= columns - 2 * n - 1; ++j) {
        if (item[i][j] == kItem) continue;
        for (int k = 0; k < count; ++k) {
          const int a = i + (all8 ? eight[k][0] : four[k][0]);
          const int b = j + (all8 ? eight[k][1] : four[k][1]);
          if (item[a][b] != kItem) continue;
          if (dilate)
            work[i][j] = kItem;
          else
            work[a][b] = kItem;
        }
      }
    for (int i = 0; i < lines; ++i)
      for (int j = 0; j < columns; ++j)
        if (work[i][j] == kItem) item[i][j] = dilate ? kItem : (item[i][j] == kItem ? kBack : item[i][j]);
  };
  auto steps = [&](bool dilate) {
    for (int s = 0; s < n; ++s) {
      pass(dilate, false);
      pass(dilate, true);
    }
  };
  if (kind == 0) steps(true);
  if (kind == 1) steps(false);
  if (kind == 2) {
    steps(true);
    steps(false);
  }
  if (kind == 3) {
    steps(false);
    steps(true);
  }
  return item;
}

BytePlane Random(int columns, int lines, unsigned seed, int percentOfValue, int value) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> percent(0, 99), other(0, 254);
  BytePlane plane(columns, lines);
  for (std::size_t n = 0; n < plane.Size(); ++n) {
    const int v = other(random);
    plane.Data()[n] =
        static_cast<std::uint8_t>(percent(random) < percentOfValue ? value : (v == value ? 0 : v));
  }
  return plane;
}

bool Equal(const BytePlane& a, const BytePlane& b) {
  return a.Lines() == b.Lines() && a.Columns() == b.Columns() &&
         std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

std::int64_t Count(const BytePlane& plane, std::uint8_t v) {
  return std::count(plane.Data(), plane.Data() + plane.Size(), v);
}

BytePlane Smoothed(BytePlane plane, int value) {
  MajoritySmoothing(plane, value);
  return plane;
}

BytePlane Morphed(BytePlane plane, int value, int kind, int n) {
  MorphoMath(plane, value, kind, n);
  return plane;
}

// Items placed at least `margin` from every edge: random blobs and holes.
BytePlane InnerItems(int size, int margin, unsigned seed) {
  BytePlane plane = Random(size, size, seed, 55, 1);
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j)
      if (i < margin || j < margin || i >= size - margin || j >= size - margin) plane[i][j] = kBack;
  return plane;
}

BytePlane Complement(const BytePlane& binary) {
  BytePlane out(binary.Columns(), binary.Lines());
  for (std::size_t n = 0; n < binary.Size(); ++n) out.Data()[n] = binary.Data()[n] == kItem ? kBack : kItem;
  return out;
}

bool Contains(const BytePlane& outer, const BytePlane& inner) {
  for (std::size_t n = 0; n < inner.Size(); ++n)
    if (inner.Data()[n] == kItem && outer.Data()[n] != kItem) return false;
  return true;
}

}  // namespace

TEST(MajoritySmoothingTest, EqualsTheRoundByRoundSmoothingOnRandomImages) {
  for (const unsigned seed : {1u, 2u, 3u, 4u}) {
    for (const int percent : {10, 40, 50, 60}) {
      const BytePlane plane = Random(60, 60, seed * 7 + static_cast<unsigned>(percent), percent, 9);
      EXPECT_TRUE(Equal(Smoothed(plane.Clone(), 9), ReferenceSmoothing(plane, 9))) << seed << " " << percent;
    }
  }
  for (const int threads : {1, 3}) {
    parallel::SetThreadLimit(threads);
    const BytePlane plane = Random(257, 131, 77, 45, 3);
    EXPECT_TRUE(Equal(Smoothed(plane.Clone(), 3), ReferenceSmoothing(plane, 3))) << threads;
  }
  parallel::SetThreadLimit(0);
}

TEST(MajoritySmoothingTest, NotchesFillUntilStableAndLonePixelsStay) {
  BytePlane plane(12, 12);
  plane.Fill(kBack);
  // A 5 x 5 block with a one-pixel notch, and a lone pixel elsewhere.
  for (int i = 2; i <= 6; ++i)
    for (int j = 2; j <= 6; ++j) plane[i][j] = 4;
  plane[2][4] = 7;  // the notch: 5 of its 8 neighbours hold 4
  plane[9][9] = 4;
  plane[0][0] = 4;  // the frame keeps the value
  plane[0][5] = 8;  // and loses the others
  const int rounds = MajoritySmoothing(plane, 4);
  EXPECT_EQ(rounds, 1);
  EXPECT_EQ(plane[2][4], kItem);
  EXPECT_EQ(plane[9][9], kItem);
  EXPECT_EQ(plane[0][0], kItem);
  EXPECT_EQ(plane[0][5], kBack);
  EXPECT_EQ(Count(plane, kItem), 25 + 1 + 1);

  // A notch two pixels deep: its bottom (7 neighbours) joins first, then its top (4, then 5).
  BytePlane deep(10, 10);
  deep.Fill(kBack);
  for (int i = 2; i <= 6; ++i)
    for (int j = 2; j <= 6; ++j) deep[i][j] = 5;
  deep[2][4] = deep[3][4] = kBack;
  EXPECT_EQ(MajoritySmoothing(deep, 5), 2);
  EXPECT_EQ(Count(deep, kItem), 25);
}

TEST(MajoritySmoothingTest, TinyAndEmptyPlanesOnlyBecomeBinary) {
  BytePlane plane(2, 5);
  plane.Fill(6);
  plane[1][1] = 3;
  EXPECT_EQ(MajoritySmoothing(plane, 6), 0);
  EXPECT_EQ(Count(plane, kItem), 9);
  BytePlane empty;
  EXPECT_EQ(MajoritySmoothing(empty, 1), 0);
}

TEST(MorphoMathTest, EqualsThePassByPassMorphologyOnRandomImages) {
  for (const int kind : {0, 1, 2, 3}) {
    for (const int n : {1, 2, 3}) {
      for (const unsigned seed : {5u, 6u}) {
        for (const int percent : {5, 30, 70}) {
          const BytePlane plane =
              Random(60, 60, seed * 13 + static_cast<unsigned>(percent + n), percent, 200);
          EXPECT_TRUE(Equal(Morphed(plane.Clone(), 200, kind, n), ReferenceMorpho(plane, 200, kind, n)))
              << "kind " << kind << " n " << n << " seed " << seed << " percent " << percent;
        }
      }
    }
  }
  // Widths across word boundaries, and one thread against several.
  for (const int threads : {1, 0}) {
    parallel::SetThreadLimit(threads);
    const BytePlane plane = Random(131, 67, 3, 50, 1);
    EXPECT_TRUE(Equal(Morphed(plane.Clone(), 1, 2, 4), ReferenceMorpho(plane, 1, 2, 4))) << threads;
    EXPECT_TRUE(Equal(Morphed(plane.Clone(), 1, 3, 2), ReferenceMorpho(plane, 1, 3, 2))) << threads;
  }
  parallel::SetThreadLimit(0);
}

TEST(MorphoMathTest, ASinglePixelDilatesIntoTheGrowingStructuringElement) {
  // n steps of a cross then a square: 21, 69, 145, 249 pixels.
  const std::int64_t expected[] = {21, 69, 145, 249};
  for (int n = 1; n <= 4; ++n) {
    BytePlane plane(41, 41);
    plane.Fill(kBack);
    plane[20][20] = 1;
    MorphoMath(plane, 1, kMorphoDilation, n);
    EXPECT_EQ(Count(plane, kItem), expected[n - 1]) << n;
    // The reach is 2n along the axes, and the corners of the square are cut.
    EXPECT_EQ(plane[20][20 + 2 * n], kItem);
    EXPECT_EQ(plane[20][21 + 2 * n], kBack);
    EXPECT_EQ(plane[20 - 2 * n][20 - 2 * n], kBack);
  }
  BytePlane one(11, 11);
  one.Fill(kBack);
  one[5][5] = 1;
  MorphoMath(one, 1, kMorphoDilation, 1);
  for (int i = 3; i <= 7; ++i)
    for (int j = 3; j <= 7; ++j) {
      const bool corner = (i == 3 || i == 7) && (j == 3 || j == 7);
      EXPECT_EQ(one[i][j], corner ? kBack : kItem) << i << " " << j;
    }
}

TEST(MorphoMathTest, TheBorderBandIsNeverExamined) {
  BytePlane plane(20, 20);
  plane.Fill(kBack);
  plane[3][10] = 1;  // inside the band of 2n = 4 lines: grows only downwards into the examined lines
  MorphoMath(plane, 1, kMorphoDilation, 2);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 20; ++j) EXPECT_EQ(plane[i][j], i == 3 && j == 10 ? kItem : kBack) << i << " " << j;
  EXPECT_EQ(plane[4][10], kItem);
}

TEST(MorphoMathTest, StripsNarrowerThanTheErosionVanish) {
  for (const int width : {1, 2, 3, 4, 5}) {
    BytePlane plane(30, 30);
    plane.Fill(kBack);
    for (int i = 6; i < 24; ++i)
      for (int j = 10; j < 10 + width; ++j) plane[i][j] = 1;
    BytePlane eroded = plane.Clone();
    MorphoMath(eroded, 1, kMorphoErosion, 1);
    EXPECT_EQ(Count(eroded, kItem) == 0, width <= 4) << width;
    BytePlane opened = plane.Clone();
    MorphoMath(opened, 1, kMorphoOpening, 2);
    if (width == 4) {
      EXPECT_EQ(Count(opened, kItem), 0);
    }
  }
}

TEST(MorphoMathTest, ClosingContainsTheItemsWhichContainTheOpeningAndBothAreIdempotent) {
  for (const int n : {1, 2, 3}) {
    for (const unsigned seed : {11u, 12u, 13u}) {
      const BytePlane items = Morphed(InnerItems(60, 4 * n, seed), 1, -1, 0);  // only made binary
      const BytePlane closed = Morphed(items.Clone(), 1, kMorphoClosing, n);
      const BytePlane opened = Morphed(items.Clone(), 1, kMorphoOpening, n);
      EXPECT_TRUE(Contains(closed, items)) << n << " " << seed;
      EXPECT_TRUE(Contains(items, opened)) << n << " " << seed;
      EXPECT_TRUE(Equal(Morphed(closed.Clone(), 1, kMorphoClosing, n), closed)) << n << " " << seed;
      EXPECT_TRUE(Equal(Morphed(opened.Clone(), 1, kMorphoOpening, n), opened)) << n << " " << seed;
      EXPECT_GT(Count(closed, kItem), Count(items, kItem));
      EXPECT_LT(Count(opened, kItem), Count(items, kItem));
    }
  }
}

TEST(MorphoMathTest, ErosionIsTheDilationOfTheComplement) {
  for (const int n : {1, 2}) {
    for (const unsigned seed : {21u, 22u}) {
      const BytePlane items = Morphed(InnerItems(60, 4 * n, seed), 1, -1, 0);
      const BytePlane eroded = Morphed(items.Clone(), 1, kMorphoErosion, n);
      const BytePlane dilatedComplement = Morphed(Complement(items), 1, kMorphoDilation, n);
      EXPECT_TRUE(Equal(eroded, Complement(dilatedComplement))) << n << " " << seed;
      const BytePlane dilated = Morphed(items.Clone(), 1, kMorphoDilation, n);
      const BytePlane erodedComplement = Morphed(Complement(items), 1, kMorphoErosion, n);
      EXPECT_TRUE(Equal(dilated, Complement(erodedComplement))) << n << " " << seed;
    }
  }
}

TEST(MorphoMathTest, NoExaminedPixelOrNoIterationOnlyMakesThePlaneBinary) {
  for (const auto& [size, n] :
       {std::tuple(8, 2), std::tuple(20, 0), std::tuple(20, -3), std::tuple(9, 1 << 30)}) {
    BytePlane plane = Random(size, size, 4, 50, 7);
    BytePlane expected(size, size);
    for (std::size_t p = 0; p < plane.Size(); ++p) expected.Data()[p] = plane.Data()[p] == 7 ? kItem : kBack;
    MorphoMath(plane, 7, kMorphoClosing, n);
    EXPECT_TRUE(Equal(plane, expected)) << size << " " << n;
  }
  BytePlane plane(20, 20);
  plane.Fill(3);
  MorphoMath(plane, 300, kMorphoDilation, 1);  // a value no byte holds
  EXPECT_EQ(Count(plane, kBack), 400);
}
