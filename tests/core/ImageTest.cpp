#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "fixtures/Patterns.h"
#include "imaging/Allocators.h"
#include "imaging/Image.h"
namespace {
using Bytes = std::vector<std::uint8_t>;
using Size = std::pair<int, int>;
Bytes PixelBytes(const IMAGE& image) {
  Bytes bytes;
  const std::size_t rowBytes = static_cast<std::size_t>(image.Columns()) * image.BytesPerPixel();
  for (int y = 0; y < image.Lines(); ++y) bytes.insert(bytes.end(), image.Row(y), image.Row(y) + rowBytes);
  return bytes;
}
std::vector<Size> hookCalls;
// Black and a gray ramp palette at first; what falls outside or on no pixels at all changes nothing.
TEST(Image, EveryTypeStartsBlackAndIgnoresWhatFallsOutside) {
  for (const int type : {IMAGE::kGray, IMAGE::kPalette, IMAGE::kRgb}) {
    SCOPED_TRACE(type);
    IMAGE image(4, 3, type);
    EXPECT_EQ(std::tuple(image.Columns(), image.Lines(), image.Type()), std::tuple(4, 3, type));
    EXPECT_EQ(PixelBytes(image), Bytes(4 * 3 * image.BytesPerPixel(), 0));
    for (int v = 0; v < 256; ++v)
      ASSERT_EQ(Bytes(&image.Palette()[4 * v], &image.Palette()[4 * v + 4]),
                Bytes({Bytes::value_type(v), Bytes::value_type(v), Bytes::value_type(v), 0}));
    FillGray(image, 77);
    const Bytes before = PixelBytes(image);
    for (auto [x, y] : std::vector<Size>{{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-5, 100}}) {
      image.SetPixel(x, y, 200);
      image.SetPixelRGB(x, y, {1, 2, 3});
      EXPECT_EQ(image.GetPixelRGB(x, y), (Rgb{0, 0, 0})) << x << "," << y;
    }
    image.SetRow(3, before.data(), 4);
    image.SetRowRGB(-1, before.data(), 1);
    EXPECT_EQ(PixelBytes(image), before);
    for (auto [columns, lines] : std::vector<Size>{{0, 3}, {2, -4}}) {
      IMAGE none(columns, lines, type);
      none.SetPixel(0, 0, 1);
      none.Fill({1, 2, 3});
      EXPECT_TRUE(none.Empty() && none.Columns() == 0 && none.Lines() == 0 && none.Row(0) == nullptr &&
                  none.GetPixelRGB(0, 0) == Rgb());
    }
  }
}
// One-byte images keep the truncated mean; colour ones blue, green, red; palettes are read through.
TEST(Image, ColoursOnEveryType) {
  const std::pair<Rgb, int> means[] = {{{10, 20, 31}, 20}, {{255, 255, 254}, 254}, {{0, 0, 2}, 0}};
  for (const auto& [colour, stored] : means) {
    IMAGE gray(2, 2, IMAGE::kGray), palette(2, 2, IMAGE::kPalette);
    gray.SetPixelRGB(1, 0, colour);
    palette.SetPixelRGB(0, 1, colour);
    EXPECT_EQ(std::tuple(gray.Row(0)[1], palette.Row(1)[0]), std::tuple(stored, stored)) << stored;
  }
  IMAGE colour(3, 2, IMAGE::kRgb), palette(2, 1, IMAGE::kPalette), gray(1, 1, IMAGE::kGray);
  colour.SetPixelRGB(1, 0, {10, 20, 30});
  colour.SetPixel(2, 1, 9);
  EXPECT_EQ(PixelBytes(colour), (Bytes{0, 0, 0, 10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9}));
  std::copy_n("\x01\x02\x03", 3, palette.Palette().begin() + 4 * 7);
  palette.SetPixel(0, 0, 7);
  palette.SetPixel(1, 0, 8);
  gray.SetPixel(0, 0, 7);
  EXPECT_EQ(std::tuple(colour.GetPixelRGB(1, 0), colour.GetPixelRGB(2, 1), palette.GetPixelRGB(0, 0),
                       palette.GetPixelRGB(1, 0), gray.GetPixelRGB(0, 0)),
            std::tuple(Rgb{10, 20, 30}, Rgb{9, 9, 9}, Rgb{1, 2, 3}, Rgb{8, 8, 8}, Rgb{7, 7, 7}));
}
// Every construction and Init tells the size, even one giving no pixels; a move does not.
TEST(Image, FillInitAndMove) {
  SetImageSizeHook([](int columns, int lines) { hookCalls.emplace_back(columns, lines); });
  IMAGE colour(3, 2, IMAGE::kRgb), gray(3, 2, IMAGE::kGray), none(0, -2, IMAGE::kPalette);
  colour.Fill({1, 2, 3});
  EXPECT_EQ(PixelBytes(colour), (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
  gray.Fill({1, 2, 3});  // one byte: the red
  const Bytes red = PixelBytes(gray);
  FillGray(gray, 255);
  EXPECT_EQ(std::tuple(red, PixelBytes(gray)), std::tuple(Bytes(6, 3), Bytes(6, 255)));
  gray.Palette()[0] = 99;
  gray.Init(3, 1, IMAGE::kRgb);  // starts afresh
  EXPECT_EQ(std::tuple(gray.Type(), PixelBytes(gray), gray.Palette()[0]),
            std::tuple(IMAGE::kRgb, Bytes(9, 0), 0));
  IMAGE target(std::move(colour));
  EXPECT_EQ(std::tuple(target.GetPixelRGB(2, 1), colour.Columns(), colour.GetPixelRGB(0, 0)),  // NOLINT
            std::tuple(Rgb{1, 2, 3}, 0, Rgb{0, 0, 0}));
  SetImageSizeHook(nullptr);
  EXPECT_EQ(hookCalls, (std::vector<Size>{{3, 2}, {3, 2}, {0, -2}, {3, 1}}));
}
// Also where the plane and the image differ in size.
TEST(Image, BulkSettersMatchPerPixelCalls) {
  for (const int type : {IMAGE::kGray, IMAGE::kPalette, IMAGE::kRgb}) {
    for (auto [columns, lines] : std::vector<Size>{{13, 7}, {9, 11}, {13, 11}}) {
      SCOPED_TRACE(std::to_string(type) + ": " + std::to_string(columns) + " x " + std::to_string(lines));
      const BytePlane gray = MakeRandomGray(columns, lines, 17), bgr = MakeRandomBgr(columns, lines, 23);
      IMAGE bulk(11, 9, type), single(11, 9, type);
      bulk.SetFromPlane(gray);
      for (int y = 0; y < lines; ++y)
        for (int x = 0; x < columns; ++x) single.SetPixel(x, y, gray[y][x]);
      EXPECT_EQ(PixelBytes(bulk), PixelBytes(single));
      bulk.SetFromPlaneRGB(bgr);
      for (int y = 0; y < lines; ++y)
        for (int x = 0; x < columns; ++x)
          single.SetPixelRGB(x, y, {bgr[y][3 * x], bgr[y][3 * x + 1], bgr[y][3 * x + 2]});
      EXPECT_EQ(PixelBytes(bulk), PixelBytes(single));
    }
  }
}
// Columns first, zero cells; refused sizes (the last two far beyond any machine) give an empty plane.
template <class PlaneT>
void CheckPlanes(PlaneT (*alloc)(int, int), void (*release)(PlaneT&)) {
  const PlaneT plane = alloc(7, 3);
  ASSERT_EQ(std::tuple(plane.Columns(), plane.Lines()), std::tuple(7, 3));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 7; ++j) ASSERT_EQ(plane[i][j], 0) << "line " << i << " column " << j;
  const std::pair<int, int> refused[] = {
      {0, 5}, {5, -1}, {INT_MIN, 3}, {INT_MAX, INT_MAX}, {1 << 20, 1 << 20}};
  for (const auto& [columns, lines] : refused)
    EXPECT_TRUE(alloc(columns, lines).Empty()) << columns << " x " << lines;
  PlaneT released = alloc(4, 4);
  if (release != nullptr) release(released);
  EXPECT_EQ(std::tuple(released.Empty(), released.Lines()), std::tuple(release != nullptr, release ? 0 : 4));
}
TEST(Allocators, PlanesOfEveryKindAndVectors) {
  CheckPlanes(AllocByteMatrix, FreeByteMatrix);
  CheckPlanes<WordPlane>(AllocWordMatrix, nullptr);
  CheckPlanes(AllocIntMatrix, FreeIntMatrix);
  CheckPlanes(AllocDoubleMatrix, FreeDoubleMatrix);
  EXPECT_EQ(std::tuple(AllocByteVector(5), AllocIntVector(4), AllocDoubleVector(3)),
            std::tuple(std::vector<std::uint8_t>(5, 0), std::vector<std::int32_t>(4, 0),
                       std::vector<double>(3, 0)));
  for (std::int64_t n : {std::int64_t{0}, INT64_MIN, INT64_MAX})
    EXPECT_TRUE(AllocByteVector(n).empty() && AllocIntVector(n).empty() && AllocDoubleVector(n).empty()) << n;
  std::vector<std::int32_t> released = AllocIntVector(9);
  FreeIntVector(released);
  EXPECT_EQ(released.capacity(), 0u);
}
}  // namespace
