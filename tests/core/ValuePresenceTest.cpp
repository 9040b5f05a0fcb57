#include <cmath>
#include <numeric>
#include <set>
#include <tuple>
#include <vector>

#include "ThreadCounts.h"
#include "diagrams/kernels/GrayHistogram.h"
#include "fixtures/Blocks.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/GrayScaling.h"
#include "graytone/kernels/ValuePresence.h"

namespace {

std::set<int> Present(const ValueSet& present) {
  std::set<int> values;
  for (int v = 0; v < 256; ++v)
    if (present[v]) values.insert(v);
  return values;
}

class ValuePresenceAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ValuePresenceAtThreads);

TEST_P(ValuePresenceAtThreads, FramesBordersRangesAndRandomImages) {
  const BytePlane plane = PlaneFromText("77777777\n77777777\n77111277\n77131177\n77777777\n77777777\n");
  // Border 3: lines 3 .. 2, no pixel.
  for (const auto& [border, values] : std::vector<std::pair<int, std::set<int>>>{
           {0, {1, 2, 3, 7}}, {-4, {1, 2, 3, 7}}, {2, {1, 2, 3}}, {3, {}}})
    EXPECT_EQ(Present(PresentValues(plane, border)), values) << border;
  EXPECT_EQ(Present(PresentValues(BytePlane(), 0)), (std::set<int>{}));
  const ValueSet present = PresentValues(plane, 0);
  EXPECT_EQ(
      std::tuple(CountPresent(present, 0, 255), CountPresent(present, 2, 7), CountPresent(present, 2, 6),
                 CountPresent(present, -10, 1000), CountPresent(present, 9, 3)),
      std::tuple(4, 3, 2, 4, 0));
  for (const auto& [columns, lines, border] : {std::tuple{1, 1, 0}, {9, 7, 2}, {200, 90, 5}}) {
    BytePlane image = MakeRandomGray(columns, lines, 3);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] &= 0xF6;  // some values missing
    std::set<int> expected;
    for (int i = border; i < lines - border; ++i)
      for (int j = border; j < columns - border; ++j) expected.insert(image[i][j]);
    EXPECT_EQ(Present(PresentValues(image, border)), expected) << columns;
  }
}

TEST(GrayHistogram, BordersCommonPartsAndGrayScalingWithinFloorAnd255) {
  BytePlane image(4, 4), small(3, 2), mask(2, 3);
  small.Fill(9);
  mask.Fill(1);
  const GrayCounts none = GrayHistogram(image, 2);  // wider than half the image
  EXPECT_EQ(std::tuple(GrayHistogram(image, 0)[0], GrayHistogram(image, 1)[0],
                       std::accumulate(none.begin(), none.end(), 0), GrayHistogram(BytePlane(), 0)[0]),
            std::tuple(16, 4, 0, 0));
  // The common part is 2 lines of 2 columns.
  EXPECT_EQ(std::tuple(LocalGrayHistogram(small, mask, 1)[9], LocalGrayHistogram(small, mask, 2)[9]),
            std::tuple(4, 0));
  // trunc((v - Min) / (Max - Min) x 254) + Offset within Floor .. 255; the Offset alone without range.
  const double nan = std::nan("");
  const std::tuple<GrayScaling, double, int> cases[] = {
      {{2, 3, 0}, 2.0, 0},    {{2, 3, 0}, 3.0, 254},  {{2, 3, 0}, 2.5, 127},   {{2, 3, 0}, 2.0039, 0},
      {{2, 3, 1}, 2.0, 1},    {{2, 3, 1}, 3.0, 255},  {{2, 3, 1}, 1.0, 0},     {{2, 3, 1}, 4.0, 255},
      {{2, 3, 1, 1}, 1.0, 1}, {{2, 2, 1, 1}, 7.0, 1}, {{2.5, 2.5, 1}, 2.5, 1}, {{2, 3, 0}, nan, 0},
      {{nan, 3, 1}, 2.0, 1}};
  for (auto [scaling, value, gray] : cases)
    EXPECT_EQ(scaling.Gray(value), gray) << scaling.Min << " " << value;
  // An empty rectangle leaves all white, and a plane of another size is made anew.
  BytePlane other(2, 2);
  ScaleToGray(DoublePlane(5, 4), {1.0, 5.0, 0}, {3, 1, 0, 4}, other);
  EXPECT_EQ(std::tuple(other.Columns(), std::vector<int>(other.Data(), other.Data() + other.Size())),
            std::tuple(5, std::vector<int>(20, 255)));
}

}  // namespace
