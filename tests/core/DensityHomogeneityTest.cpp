#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "urban/kernels/Density.h"
#include "urban/kernels/Homogeneity.h"

namespace {

// The homogeneity as written: a mask, then every window counted pixel by pixel.
BytePlane ReferenceHomogeneity(const BytePlane& plane, const HomogeneityParams& p) {
  const int lines = plane.Lines(), columns = plane.Columns(), r = p.Range;
  BytePlane mask(columns, lines), result = UniformPlane(columns, lines);
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

class HomogeneityAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(HomogeneityAtThreads);

}  // namespace

TEST_P(HomogeneityAtThreads, EqualsTheWindowByWindowCountOnRandomImages) {
  for (const unsigned seed : {1u, 2u}) {
    const BytePlane plane = MakeRandomGray(60, 60, seed);
    for (const int range : {0, 1, 2, 5, 13, 29})
      for (const auto& [min, max] :
           {std::pair(0, 127), std::pair(100, 140), std::pair(-5, 300), std::pair(9, 3)})
        for (const bool centered : {false, true}) {
          SCOPED_TRACE(testing::Message()
                       << seed << " range " << range << " " << min << ".." << max << " " << centered);
          const HomogeneityParams params{min, max, range, centered};
          EXPECT_EQ(PlaneText(Homogeneization(plane, params)),
                    PlaneText(ReferenceHomogeneity(plane, params)));
        }
  }
  // A window of more than 2^16 pixels (side 261): its percentages are not read from a table.
  const BytePlane large = MakeRandomGray(270, 265, 5);
  for (const bool centered : {false, true}) {
    const HomogeneityParams params{0, 100, 130, centered};
    EXPECT_EQ(PlaneText(Homogeneization(large, params)), PlaneText(ReferenceHomogeneity(large, params)));
  }
}

TEST(HomogeneityTest, HandWorkedValuesAndWindowsThatDoNotFit) {
  BytePlane plane = UniformPlane(7, 7, 20);
  const BytePlane uniform = Homogeneization(plane, {10, 30, 1, false});
  EXPECT_EQ(std::tuple(uniform[3][3], uniform[0][3], uniform[3][6]),
            std::tuple(100, 255, 255));  // R from the border
  // Four of the nine pixels around (3, 3) within the thresholds: trunc(44.4) = 44. A pixel out of the
  // thresholds is treated all the same, or left untreated when centred.
  plane.Fill(200);
  plane[2][2] = plane[2][3] = plane[3][3] = plane[4][4] = 20;
  const BytePlane mixed = Homogeneization(plane, {10, 30, 1, false});
  const BytePlane centered = Homogeneization(plane, {10, 30, 1, true});
  EXPECT_EQ(std::tuple(mixed[3][3], mixed[5][1], centered[3][3], centered[5][1]), std::tuple(44, 0, 44, 255));

  EXPECT_TRUE(HomogeneityRangeFits(0, 1, 1));
  EXPECT_TRUE(HomogeneityRangeFits(3, 7, 20));
  for (int range : {4, -1, 1 << 30}) {
    EXPECT_FALSE(HomogeneityRangeFits(range, 7, 20)) << range;
    const BytePlane map = Homogeneization(MakeRandomGray(10, 7, 4), {0, 255, range, false});
    EXPECT_EQ(std::count(map.Data(), map.Data() + map.Size(), 255), 70) << range;
  }
}

TEST(DensityTest, SurfacesAsHandWorkedAndCountsAsAPixelByPixelCountOnRandomImages) {
  // An item of 1,000 pixels of which 250 lie within the thresholds, at 10 m a pixel.
  BytePlane items = UniformPlane(50, 40), gray = UniformPlane(50, 40, 90);
  for (int k = 0; k < 1000; ++k) {
    items[k / 50][k % 50] = 7;
    if (k % 4 == 0) gray[k / 50][k % 50] = 120;
  }
  gray[39][49] = 120;  // within the thresholds but outside the item
  const DensityCounts counts = CountDensity(gray, items, 7, 100, 150);
  EXPECT_EQ(std::tuple(counts.ItemPixels, counts.ElementPixels), std::tuple(1000, 250));
  const DensitySurfaces s = DensitySurfacesOf(counts, 10.0);
  EXPECT_DOUBLE_EQ(s.ItemSurface, 0.1);
  EXPECT_DOUBLE_EQ(s.ElementSurface, 0.025);
  EXPECT_DOUBLE_EQ(s.Percentage, 25.0);
  // Thresholds are inclusive at both ends.
  EXPECT_EQ(CountDensity(gray, items, 7, 120, 120).ElementPixels, 250);
  EXPECT_EQ(CountDensity(gray, items, 7, 0, 90).ElementPixels, 750);
  // An absent item has no surface and no percentage; planes of two sizes count nothing.
  const DensityCounts none = CountDensity(gray, items, 3, 0, 255);
  EXPECT_EQ(std::tuple(none.ItemPixels, none.ElementPixels), std::tuple(0, 0));
  EXPECT_TRUE(std::isnan(DensitySurfacesOf(none, 10).Percentage));
  EXPECT_EQ(CountDensity(BytePlane(50, 39), items, 255, 0, 255).ItemPixels, 0);
  EXPECT_EQ(CountDensity(gray, items, 255, 0, 255).ItemPixels, 1000);
  EXPECT_EQ(CountDensity(gray, items, -1, 0, 255).ItemPixels, 0);
  for (const unsigned seed : {1u, 2u, 3u}) {
    const BytePlane gray = MakeRandomGray(60, 60, seed);
    BytePlane items = MakeRandomGray(60, 60, seed + 10);
    for (std::size_t n = 0; n < items.Size(); ++n) items.Data()[n] = items.Data()[n] % 4;
    for (const auto& [min, max] :
         {std::pair(0, 255), std::pair(40, 90), std::pair(90, 40), std::pair(-9, 0)}) {
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
