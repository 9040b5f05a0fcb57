#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "fixtures/Patterns.h"
#include "imaging/Image.h"

namespace {

std::vector<std::uint8_t> PixelBytes(const IMAGE& image) {
  std::vector<std::uint8_t> bytes;
  const std::size_t rowBytes = static_cast<std::size_t>(image.Columns()) * image.BytesPerPixel();
  for (int y = 0; y < image.Lines(); ++y) bytes.insert(bytes.end(), image.Row(y), image.Row(y) + rowBytes);
  return bytes;
}

std::vector<std::pair<int, int>> hookCalls;
void RecordSize(int columns, int lines) {
  hookCalls.emplace_back(columns, lines);
}

class ImageSizeHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hookCalls.clear();
    SetImageSizeHook(&RecordSize);
  }
  void TearDown() override { SetImageSizeHook(nullptr); }
};

TEST_F(ImageSizeHookTest, EveryConstructionAndInitTellsTheSize) {
  IMAGE gray(7, 3, IMAGE::kGray);
  IMAGE colour(2, 9, IMAGE::kRgb);
  gray.Init(4, 5, IMAGE::kPalette);
  IMAGE empty(0, -2, IMAGE::kGray);
  const std::vector<std::pair<int, int>> expected{{7, 3}, {2, 9}, {4, 5}, {0, -2}};
  EXPECT_EQ(hookCalls, expected);
}

class EachType : public ::testing::TestWithParam<int> {};

TEST_P(EachType, StartsBlackWithAGrayRampPalette) {
  IMAGE image(5, 4, GetParam());
  EXPECT_EQ(image.Columns(), 5);
  EXPECT_EQ(image.Lines(), 4);
  EXPECT_EQ(image.Type(), GetParam());
  EXPECT_EQ(PixelBytes(image), std::vector<std::uint8_t>(5 * 4 * image.BytesPerPixel(), 0));
  for (int v = 0; v < 256; ++v) {
    const std::uint8_t* entry = &image.Palette()[4 * v];
    ASSERT_EQ(entry[0], v);
    ASSERT_EQ(entry[1], v);
    ASSERT_EQ(entry[2], v);
    ASSERT_EQ(entry[3], 0);
  }
}

TEST_P(EachType, WritesOutsideChangeNothingAndReadsOutsideAreBlack) {
  IMAGE image(4, 3, GetParam());
  FillGray(image, 77);
  const std::vector<std::uint8_t> before = PixelBytes(image);
  for (auto [x, y] : std::vector<std::pair<int, int>>{{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-5, 100}}) {
    image.SetPixel(x, y, 200);
    image.SetPixelRGB(x, y, {1, 2, 3});
    EXPECT_EQ(image.GetPixelRGB(x, y), (Rgb{0, 0, 0})) << x << "," << y;
  }
  image.SetRow(3, before.data(), 4);
  image.SetRowRGB(-1, before.data(), 1);
  EXPECT_EQ(PixelBytes(image), before);
}

TEST_P(EachType, NoPixelsForSizesNotPositive) {
  for (auto [columns, lines] : std::vector<std::pair<int, int>>{{0, 3}, {3, 0}, {-4, 2}, {2, -4}}) {
    IMAGE image(columns, lines, GetParam());
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.Columns(), 0);
    EXPECT_EQ(image.Lines(), 0);
    EXPECT_EQ(image.Row(0), nullptr);
    image.SetPixel(0, 0, 1);
    image.Fill({1, 2, 3});
    EXPECT_EQ(image.GetPixelRGB(0, 0), (Rgb{0, 0, 0}));
  }
}

INSTANTIATE_TEST_SUITE_P(Image, EachType, ::testing::Values(IMAGE::kGray, IMAGE::kPalette, IMAGE::kRgb));

TEST(Image, ColourOnOneByteImagesIsTheTruncatedMean) {
  struct Case {
    Rgb colour;
    std::uint8_t stored;
  };
  for (const Case& c : {Case{{10, 20, 31}, 20}, Case{{255, 255, 254}, 254}, Case{{0, 0, 2}, 0},
                        Case{{1, 1, 1}, 1}, Case{{255, 255, 255}, 255}}) {
    IMAGE gray(2, 2, IMAGE::kGray);
    gray.SetPixelRGB(1, 0, c.colour);
    EXPECT_EQ(gray.Row(0)[1], c.stored);
    IMAGE palette(2, 2, IMAGE::kPalette);
    palette.SetPixelRGB(0, 1, c.colour);
    EXPECT_EQ(palette.Row(1)[0], c.stored);
  }
}

TEST(Image, ColourBytesAreBlueGreenRedAndPalettesAreLookedUp) {
  IMAGE colour(3, 2, IMAGE::kRgb);
  colour.SetPixelRGB(1, 0, {10, 20, 30});
  colour.SetPixel(2, 1, 9);  // all three bytes
  const std::uint8_t expected[] = {0, 0, 0, 10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9};
  EXPECT_EQ(PixelBytes(colour), std::vector<std::uint8_t>(std::begin(expected), std::end(expected)));
  EXPECT_EQ(colour.GetPixelRGB(1, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(colour.GetPixelRGB(2, 1), (Rgb{9, 9, 9}));

  IMAGE palette(2, 1, IMAGE::kPalette);
  std::copy_n("\x01\x02\x03", 3, palette.Palette().begin() + 4 * 7);
  palette.SetPixel(0, 0, 7);
  palette.SetPixel(1, 0, 8);
  EXPECT_EQ(palette.GetPixelRGB(0, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(palette.GetPixelRGB(1, 0), (Rgb{8, 8, 8}));
  IMAGE gray(1, 1, IMAGE::kGray);
  gray.SetPixel(0, 0, 7);
  EXPECT_EQ(gray.GetPixelRGB(0, 0), (Rgb{7, 7, 7}));
}

TEST(Image, FillInitAndMove) {
  IMAGE colour(3, 2, IMAGE::kRgb);
  colour.Fill({1, 2, 3});
  EXPECT_EQ(PixelBytes(colour),
            (std::vector<std::uint8_t>{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
  IMAGE gray(3, 2, IMAGE::kGray);
  gray.Fill({1, 2, 3});  // one byte: the red
  EXPECT_EQ(PixelBytes(gray), std::vector<std::uint8_t>(6, 3));
  FillGray(gray, 255);
  EXPECT_EQ(PixelBytes(gray), std::vector<std::uint8_t>(6, 255));

  gray.Palette()[0] = 99;
  gray.Init(3, 1, IMAGE::kRgb);  // starts afresh
  EXPECT_EQ(gray.Type(), IMAGE::kRgb);
  EXPECT_EQ(PixelBytes(gray), std::vector<std::uint8_t>(9, 0));
  EXPECT_EQ(gray.Palette()[0], 0);

  IMAGE target(std::move(colour));
  EXPECT_EQ(target.GetPixelRGB(2, 1), (Rgb{1, 2, 3}));
  EXPECT_EQ(colour.Columns(), 0);  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(colour.GetPixelRGB(0, 0), (Rgb{0, 0, 0}));
}

// The bulk setters must give the very bytes the per-pixel calls give, also where the plane and the
// image differ in size.
class BulkSetters : public ::testing::TestWithParam<int> {};

TEST_P(BulkSetters, MatchPerPixelCalls) {
  const int type = GetParam();
  for (auto [columns, lines] : std::vector<std::pair<int, int>>{{13, 7}, {9, 11}, {13, 11}}) {
    const BytePlane gray = MakeRandomGray(columns, lines, 17);
    const BytePlane bgr = MakeRandomBgr(columns, lines, 23);
    IMAGE bulk(11, 9, type);
    IMAGE single(11, 9, type);
    bulk.SetFromPlane(gray);
    for (int y = 0; y < lines; ++y) {
      for (int x = 0; x < columns; ++x) single.SetPixel(x, y, gray[y][x]);
    }
    EXPECT_EQ(PixelBytes(bulk), PixelBytes(single)) << columns << " x " << lines;
    bulk.SetFromPlaneRGB(bgr);
    for (int y = 0; y < lines; ++y) {
      for (int x = 0; x < columns; ++x) {
        single.SetPixelRGB(x, y, {bgr[y][3 * x], bgr[y][3 * x + 1], bgr[y][3 * x + 2]});
      }
    }
    EXPECT_EQ(PixelBytes(bulk), PixelBytes(single)) << columns << " x " << lines;
  }
}

INSTANTIATE_TEST_SUITE_P(Image, BulkSetters, ::testing::Values(IMAGE::kGray, IMAGE::kPalette, IMAGE::kRgb));

}  // namespace
