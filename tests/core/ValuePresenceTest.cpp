#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/ValuePresence.h"

namespace {

std::set<int> Present(const ValueSet& present) {
  std::set<int> values;
  for (int v = 0; v < 256; ++v)
    if (present[v]) values.insert(v);
  return values;
}

}  // namespace

TEST(ValuePresence, FramesBordersAndRanges) {
  // A frame of 7 two pixels wide around 1, 2, 3.
  BytePlane plane(8, 6);
  plane.Fill(7);
  for (int i = 2; i < 4; ++i)
    for (int j = 2; j < 6; ++j) plane[i][j] = 1;
  plane[2][5] = 2;
  plane[3][3] = 3;
  EXPECT_EQ(Present(PresentValues(plane, 0)), (std::set<int>{1, 2, 3, 7}));
  EXPECT_EQ(Present(PresentValues(plane, -4)), (std::set<int>{1, 2, 3, 7}));
  EXPECT_EQ(Present(PresentValues(plane, 2)), (std::set<int>{1, 2, 3}));
  EXPECT_EQ(Present(PresentValues(plane, 3)), (std::set<int>{}));  // lines 3 .. 2: no pixel
  EXPECT_EQ(Present(PresentValues(BytePlane(), 0)), (std::set<int>{}));

  const ValueSet present = PresentValues(plane, 0);
  EXPECT_EQ(
      std::tuple(CountPresent(present, 0, 255), CountPresent(present, 2, 7), CountPresent(present, 2, 6),
                 CountPresent(present, -10, 1000), CountPresent(present, 9, 3)),
      std::tuple(4, 3, 2, 4, 0));
}

class ValuePresenceAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(ValuePresenceAtThreads);

TEST_P(ValuePresenceAtThreads, MatchesASetOnRandomImages) {
  for (const auto& [columns, lines, border] : {std::tuple{1, 1, 0}, {9, 7, 2}, {200, 90, 5}}) {
    BytePlane image = MakeRandomGray(columns, lines, 3);
    // Thin the values out so that some are missing.
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] &= 0xF6;
    std::set<int> expected;
    for (int i = border; i < lines - border; ++i)
      for (int j = border; j < columns - border; ++j) expected.insert(image[i][j]);
    EXPECT_EQ(Present(PresentValues(image, border)), expected) << columns;
  }
}
