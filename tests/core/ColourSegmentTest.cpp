#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "fixtures/Patterns.h"
#include "graytone/kernels/ColourSegment.h"

namespace {

// 16 x 16, pixel (i, j) = 16 i + j: every gray once.
BytePlane Ramp16() {
  BytePlane plane(16, 16);
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) plane[i][j] = static_cast<std::uint8_t>(16 * i + j);
  return plane;
}

// The colour-image bytes (blue, green, red) of the pixel holding gray g in the ramp.
Rgb At(const BytePlane& bgr, int g) {
  const std::uint8_t* p = bgr[g / 16] + 3 * (g % 16);
  return {p[0], p[1], p[2]};
}

constexpr Rgb kRed{0, 0, 255};
constexpr Rgb kGreen{0, 200, 0};

Rgb Gray(int g) {
  const auto v = static_cast<std::uint8_t>(g);
  return {v, v, v};
}

}  // namespace

TEST(ColourSegment, SegmentsPaintOverTheGrayAndThePlanesKeepWhatWasPainted) {
  const BytePlane ramp = Ramp16();
  ColourPlanes planes;
  BytePlane bgr;
  ASSERT_TRUE(ColourPlanesFromGray(ramp, planes));
  ASSERT_TRUE(PaintGraySegment(ramp, 0, 100, kRed, planes, bgr));
  EXPECT_EQ(std::tuple(bgr.Lines(), bgr.Columns()), std::tuple(16, 48));
  EXPECT_EQ(std::tuple(At(bgr, 0), At(bgr, 100), At(bgr, 101), At(bgr, 255)),
            std::tuple(kRed, kRed, Gray(101), Gray(255)));
  EXPECT_EQ(std::tuple(planes.Red[6][4], planes.Green[6][4], planes.Blue[6][4]), std::tuple(255, 0, 0));

  // The next segment starts above; a lower upper bound afterwards takes no colour back.
  ASSERT_TRUE(PaintGraySegment(ramp, 101, 180, kGreen, planes, bgr));
  ASSERT_TRUE(PaintGraySegment(ramp, 101, 150, kGreen, planes, bgr));
  EXPECT_EQ(std::tuple(At(bgr, 100), At(bgr, 101), At(bgr, 180), At(bgr, 181)),
            std::tuple(kRed, kGreen, kGreen, Gray(181)));

  // Empty segments paint nothing and still write the image of the planes.
  BytePlane again;
  for (const auto& [low, high] : {std::pair{200, 190}, {256, 300}, {-20, -1}}) {
    ASSERT_TRUE(PaintGraySegment(ramp, low, high, kRed, planes, again));
    EXPECT_EQ(std::tuple(At(again, 150), At(again, 200), At(again, 0)), std::tuple(kGreen, Gray(200), kRed));
  }
  // Bounds beyond the grays are cut to them.
  ASSERT_TRUE(PaintGraySegment(ramp, 240, 900, kRed, planes, bgr));
  EXPECT_EQ(std::tuple(At(bgr, 239), At(bgr, 240), At(bgr, 255)), std::tuple(Gray(239), kRed, kRed));
}

TEST(ColourSegment, InterleavingWritesBlueGreenRedAndPlanesMustFit) {
  ColourPlanes planes;
  planes.Red = MakeRandomGray(5, 3, 1);
  planes.Green = MakeRandomGray(5, 3, 2);
  planes.Blue = MakeRandomGray(5, 3, 3);
  BytePlane bgr(4, 4);
  ASSERT_TRUE(InterleavePlanes(planes, bgr));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 5; ++j)
      ASSERT_EQ(std::tuple(bgr[i][3 * j], bgr[i][3 * j + 1], bgr[i][3 * j + 2]),
                std::tuple(planes.Blue[i][j], planes.Green[i][j], planes.Red[i][j]));

  planes.Green = BytePlane(5, 4);
  EXPECT_FALSE(InterleavePlanes(planes, bgr));
  EXPECT_FALSE(PaintGraySegment(MakeRandomGray(5, 3, 1), 0, 255, kRed, planes, bgr));
  EXPECT_FALSE(ColourPlanesFromGray(BytePlane(), planes));
}

TEST(ColourImage, DialogValuesAndSizes) {
  EXPECT_EQ(RgbFromColourValue(0x00C08040u), (Rgb{0xC0, 0x80, 0x40}));
  BytePlane bgr;
  EXPECT_TRUE(FitColourImage(bgr, 5, 2));
  EXPECT_EQ(std::tuple(bgr.Lines(), bgr.Columns()), std::tuple(2, 15));
  bgr[1][14] = 9;
  EXPECT_TRUE(FitColourImage(bgr, 5, 2));  // kept as it is
  EXPECT_EQ(bgr[1][14], 9);
  EXPECT_FALSE(FitColourImage(bgr, 0, 2));
  EXPECT_FALSE(FitColourImage(bgr, 1 << 30, 1));
}

TEST(ColourImage, PackedRowsHoldBlueGreenRedAndNothingBeyond) {
  for (int count = 0; count <= 9; ++count) {
    std::vector<std::uint32_t> words;
    for (int j = 0; j < count; ++j)
      words.push_back(BgrWord(static_cast<std::uint8_t>(3 * j), static_cast<std::uint8_t>(3 * j + 1),
                              static_cast<std::uint8_t>(3 * j + 2)) |
                      0xAB000000u);  // a stray top byte must not reach the row
    std::vector<std::uint8_t> row(3 * count + 8, 0xEE);
    PackBgrRow(words.data(), count, row.data());
    for (int k = 0; k < 3 * count; ++k) ASSERT_EQ(row[k], k) << count;
    for (int k = 3 * count; k < 3 * count + 8; ++k) ASSERT_EQ(row[k], 0xEE) << count;
  }
  EXPECT_EQ(GrayWord(7), BgrWord(7, 7, 7));
}
