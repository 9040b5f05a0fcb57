#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "ThreadCounts.h"
#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
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

// The density count as first written: pixel by pixel, a branch for each.
DensityCounts LiteralDensity(const BytePlane& gray, const BytePlane& items, int itemValue, int min, int max) {
  DensityCounts counts;
  for (std::size_t n = 0; n < items.Size(); ++n) {
    if (items.Data()[n] != itemValue) continue;
    ++counts.ItemPixels;
    counts.ElementPixels += min <= gray.Data()[n] && gray.Data()[n] <= max;
  }
  return counts;
}

class HomogeneityAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(HomogeneityAtThreads);
class DensityAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(DensityAtThreads);

}  // namespace

TEST_P(HomogeneityAtThreads, EqualsTheWindowByWindowCountOnRandomImages) {
  for (const unsigned seed : {1u, 2u}) {
    const BytePlane plane = MakeRandomGray(60, 60, seed);
    for (const int range : {0, 1, 2, 5, 13, 29})
      for (const auto& [min, max] : {std::pair{0, 127}, {100, 140}, {-5, 300}, {9, 3}})
        for (const bool centered : {false, true}) {
          SCOPED_TRACE(testing::Message()
                       << seed << " " << range << " " << min << " " << max << " " << centered);
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
  // 4 of the 9 pixels around (3, 3) within: trunc(44.4) = 44; a pixel outside is left when centred.
  BytePlane plane = UniformPlane(7, 7, 200);
  plane[2][2] = plane[2][3] = plane[3][3] = plane[4][4] = 20;
  const BytePlane mixed = Homogeneization(plane, {10, 30, 1, false});
  const BytePlane centered = Homogeneization(plane, {10, 30, 1, true});
  EXPECT_EQ(std::tuple(mixed[3][3], mixed[5][1], centered[3][3], centered[5][1]), std::tuple(44, 0, 44, 255));
  EXPECT_TRUE(HomogeneityRangeFits(0, 1, 1) && HomogeneityRangeFits(3, 7, 20));
  for (int range : {4, -1, 1 << 30}) {
    EXPECT_FALSE(HomogeneityRangeFits(range, 7, 20)) << range;
    const BytePlane map = Homogeneization(MakeRandomGray(10, 7, 4), {0, 255, range, false});
    EXPECT_EQ(CountOf(map, 255), 70) << range;
  }
}

// A full window of 401 x 401 (above the table's reach) is 100 percent, not 99.
TEST(HomogeneityTest, AFullWindowAtRange200Is100) {
  const BytePlane map = Homogeneization(UniformPlane(401, 401, 7), {0, 10, 200, true});
  EXPECT_EQ(std::tuple(map[200][200], CountOf(map, 255)), std::tuple(100, 401 * 401 - 1));
}

// Surfaces at 10 m a pixel are checked through the treatment, in tests/gui/UrbanMapsTest.cpp.
TEST(DensityTest, CountsEqualAPixelByPixelCountAndAnAbsentItemHasNoPercentage) {
  const BytePlane uniform = UniformPlane(4, 4, 90), background = UniformPlane(4, 4);
  const DensityCounts none = CountDensity(uniform, background, 3, 0, 255);
  EXPECT_EQ(std::tuple(none.ItemPixels, none.ElementPixels), std::tuple(0, 0));
  EXPECT_TRUE(std::isnan(DensitySurfacesOf(none, 10).Percentage));
  EXPECT_EQ(CountDensity(BytePlane(4, 3), background, 255, 0, 255).ItemPixels, 0);  // sizes differ
  EXPECT_EQ(CountDensity(uniform, background, -1, 0, 255).ItemPixels, 0);
  for (const unsigned seed : {1u, 2u, 3u}) {
    const BytePlane gray = MakeRandomGray(60, 60, seed);
    BytePlane items = MakeRandomGray(60, 60, seed + 10);
    for (std::size_t n = 0; n < items.Size(); ++n) items.Data()[n] = items.Data()[n] % 4;
    for (const auto& [min, max] : {std::pair{0, 255}, {40, 90}, {90, 40}, {-9, 0}}) {
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

// Odd sizes leave bytes past whole vectors; a line of 4099 runs a lane past 255 rounds, and a plane
// that is all item fills every lane.
TEST_P(DensityAtThreads, CountsEqualThePixelByPixelCountOnRandomImagesOfOddSizes) {
  for (const auto& [columns, lines] : {std::pair{1, 1}, {15, 1}, {17, 3}, {61, 37}, {4099, 3}})
    for (const int codes : {4, 1}) {
      const BytePlane gray = MakeRandomGray(columns, lines, columns + lines);
      BytePlane items = MakeRandomGray(columns, lines, columns * lines);
      for (std::size_t n = 0; n < items.Size(); ++n) {
        const int code = items.Data()[n] % codes;
        items.Data()[n] = static_cast<std::uint8_t>(code == 3 ? 255 : code);
      }
      for (const int value : {0, 2, 255, -1, 256})
        for (const auto& [min, max] :
             {std::pair{0, 255}, {40, 90}, {90, 40}, {-9, 0}, {255, 300}, {7, 7}, {INT_MAX, INT_MIN}}) {
          const DensityCounts fast = CountDensity(gray, items, value, min, max);
          const DensityCounts literal = LiteralDensity(gray, items, value, min, max);
          EXPECT_EQ(std::tuple(fast.ItemPixels, fast.ElementPixels),
                    std::tuple(literal.ItemPixels, literal.ElementPixels))
              << columns << "x" << lines << " codes " << codes << " item " << value << " in " << min << ".."
              << max;
        }
    }
}
