#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

#include "imaging/Parallel.h"
#include "urban/kernels/Density.h"
#include "urban/kernels/Homogeneity.h"

namespace {

// The homogeneity as written: a mask, then every window counted pixel by pixel.
BytePlane ReferenceHomogeneity(const BytePlane& plane, const HomogeneityParams& p) {
  const int lines = plane.Lines(), columns = plane.Columns(), r = p.Range;
  BytePlane mask(columns, lines), result(columns, lines);
  result.Fill(255);
  for (std::size_t n = 0; n < plane.Size(); ++n)
    mask.Data()[n] = p.MinValue <= plane.Data()[n] && plane.Data()[n] <= p.MaxValue ? 1 : 255;
  for (int i = r; i <= lines - r - 1; ++i)
    for (int j = r; j <= columns - r - 1; ++j) {
      if (p.Centered && mask[i][j] != 1) continue;
      int c = 0;
      for (int a = i - r; a <= i + r; ++a)
        for (int b = j - r; b <= j + r; ++b) c += mask[a][b] == 1;
      result[i][j] = static_cast<std::uint8_t>(std::trunc(100.0 * c / ((2 * r + 1) * (2 * r + 1))));
    }
  return result;
}

BytePlane RandomGray(int columns, int lines, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> gray(0, 255);
  BytePlane plane(columns, lines);
  for (std::size_t n = 0; n < plane.Size(); ++n) plane.Data()[n] = static_cast<std::uint8_t>(gray(random));
  return plane;
}

bool Equal(const BytePlane& a, const BytePlane& b) {
  return a.Lines() == b.Lines() && a.Columns() == b.Columns() &&
         std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

}  // namespace

TEST(HomogeneityTest, EqualsTheWindowByWindowCountOnRandomImages) {
  for (const unsigned seed : {1u, 2u}) {
    const BytePlane plane = RandomGray(60, 60, seed);
    for (const int range : {0, 1, 2, 5, 13, 29}) {
      for (const auto& [min, max] :
           {std::tuple(0, 127), std::tuple(100, 140), std::tuple(-5, 300), std::tuple(9, 3)}) {
        for (const bool centered : {false, true}) {
          const HomogeneityParams params{min, max, range, centered};
          EXPECT_TRUE(Equal(Homogeneization(plane, params), ReferenceHomogeneity(plane, params)))
              << seed << " range " << range << " " << min << ".." << max << " centered " << centered;
        }
      }
    }
  }
  // A window of more than 2^16 pixels (side 261): its percentages are not read from a table.
  const BytePlane large = RandomGray(270, 265, 5);
  for (const bool centered : {false, true}) {
    const HomogeneityParams params{0, 100, 130, centered};
    EXPECT_TRUE(Equal(Homogeneization(large, params), ReferenceHomogeneity(large, params))) << centered;
  }
  const BytePlane wide = RandomGray(203, 97, 3);
  for (const int threads : {1, 2, 0}) {
    parallel::SetThreadLimit(threads);
    const HomogeneityParams params{50, 180, 7, true};
    EXPECT_TRUE(Equal(Homogeneization(wide, params), ReferenceHomogeneity(wide, params))) << threads;
  }
  parallel::SetThreadLimit(0);
}

TEST(HomogeneityTest, HandWorkedValues) {
  BytePlane plane(7, 7);
  plane.Fill(20);
  const BytePlane uniform = Homogeneization(plane, {10, 30, 1, false});
  EXPECT_EQ(uniform[3][3], 100);
  EXPECT_EQ(uniform[0][3], 255);  // nearer than R to the border
  EXPECT_EQ(uniform[3][6], 255);
  // Four of the nine pixels around (3, 3) within the thresholds: trunc(44.4) = 44.
  plane.Fill(200);
  plane[2][2] = plane[2][3] = plane[3][3] = plane[4][4] = 20;
  const BytePlane mixed = Homogeneization(plane, {10, 30, 1, false});
  EXPECT_EQ(mixed[3][3], 44);
  EXPECT_EQ(mixed[5][1], 0);  // out of the thresholds, treated all the same
  const BytePlane centered = Homogeneization(plane, {10, 30, 1, true});
  EXPECT_EQ(centered[3][3], 44);
  EXPECT_EQ(centered[5][1], 255);  // out of the thresholds: left untreated
}

TEST(HomogeneityTest, WindowsThatDoNotFitLeaveEverything255) {
  EXPECT_TRUE(HomogeneityRangeFits(0, 1, 1));
  EXPECT_TRUE(HomogeneityRangeFits(3, 7, 20));
  EXPECT_FALSE(HomogeneityRangeFits(4, 7, 20));
  EXPECT_FALSE(HomogeneityRangeFits(-1, 7, 20));
  EXPECT_FALSE(HomogeneityRangeFits(1 << 30, 7, 20));
  const BytePlane plane = RandomGray(10, 10, 4);
  for (const int range : {-1, 5, 1 << 30}) {
    const BytePlane map = Homogeneization(plane, {0, 255, range, false});
    EXPECT_EQ(std::count(map.Data(), map.Data() + map.Size(), 255), 100) << range;
  }
  // The largest window that fits: one pixel of the whole image's percentage.
  const BytePlane map = Homogeneization(plane, {0, 127, 4, false});
  EXPECT_TRUE(Equal(map, ReferenceHomogeneity(plane, {0, 127, 4, false})));
}

TEST(DensityTest, ItemAndElementSurfacesAsHandWorked) {
  // An item of 1,000 pixels of which 250 lie within the thresholds, at 10 m a pixel.
  BytePlane items(50, 40), gray(50, 40);
  items.Fill(255);
  gray.Fill(90);
  int placed = 0;
  for (int i = 0; i < 40 && placed < 1000; ++i)
    for (int j = 0; j < 50 && placed < 1000; ++j, ++placed) {
      items[i][j] = 7;
      if (placed % 4 == 0) gray[i][j] = 120;
    }
  gray[39][49] = 120;  // within the thresholds but outside the item
  const DensityCounts counts = CountDensity(gray, items, 7, 100, 150);
  EXPECT_EQ(counts.ItemPixels, 1000);
  EXPECT_EQ(counts.ElementPixels, 250);
  const DensitySurfaces s = DensitySurfacesOf(counts, 10.0);
  EXPECT_DOUBLE_EQ(s.ItemSurface, 0.1);
  EXPECT_DOUBLE_EQ(s.ElementSurface, 0.025);
  EXPECT_DOUBLE_EQ(s.Percentage, 25.0);
  // Thresholds are inclusive at both ends.
  EXPECT_EQ(CountDensity(gray, items, 7, 120, 120).ElementPixels, 250);
  EXPECT_EQ(CountDensity(gray, items, 7, 0, 90).ElementPixels, 750);
}

TEST(DensityTest, CountsEqualAPixelByPixelCountOnRandomImages) {
  for (const unsigned seed : {1u, 2u, 3u}) {
    const BytePlane gray = RandomGray(60, 60, seed);
    BytePlane items = RandomGray(60, 60, seed + 10);
    for (std::size_t n = 0; n < items.Size(); ++n) items.Data()[n] = items.Data()[n] % 4;
    for (const auto& [min, max] :
         {std::tuple(0, 255), std::tuple(40, 90), std::tuple(90, 40), std::tuple(-9, 0)}) {
      std::int64_t inItem = 0, elements = 0;
      for (std::size_t n = 0; n < items.Size(); ++n) {
        if (items.Data()[n] != 2) continue;
        ++inItem;
        elements += min <= gray.Data()[n] && gray.Data()[n] <= max;
      }
      const DensityCounts counts = CountDensity(gray, items, 2, min, max);
      EXPECT_EQ(std::tuple(counts.ItemPixels, counts.ElementPixels), std::tuple(inItem, elements)) << seed;
    }
  }
}

TEST(DensityTest, AnAbsentItemHasNoSurfaceAndAnUndefinedPercentage) {
  BytePlane items(4, 4), gray(4, 4);
  items.Fill(255);
  const DensityCounts counts = CountDensity(gray, items, 3, 0, 255);
  EXPECT_EQ(std::tuple(counts.ItemPixels, counts.ElementPixels), std::tuple(0, 0));
  EXPECT_TRUE(std::isnan(DensitySurfacesOf(counts, 10).Percentage));
  EXPECT_EQ(CountDensity(BytePlane(3, 4), items, 255, 0, 255).ItemPixels, 0);  // sizes differ
  EXPECT_EQ(CountDensity(gray, items, 255, 0, 255).ItemPixels, 16);
  EXPECT_EQ(CountDensity(gray, items, -1, 0, 255).ItemPixels, 0);
}
