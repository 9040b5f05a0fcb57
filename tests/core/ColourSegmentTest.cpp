#include <algorithm>
#include <tuple>
#include <vector>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "graytone/kernels/ColourImage.h"
#include "graytone/kernels/ColourSegment.h"
#include "graytone/kernels/Superposition.h"

namespace {

// The colour-image bytes (blue, green, red) of the pixel holding gray g in the 16 x 16 ramp.
Rgb At(const BytePlane& bgr, int g) {
  return BgrAt(bgr, g / 16, g % 16);
}

constexpr Rgb kRed{0, 0, 255};
constexpr Rgb kGreen{0, 200, 0};

// The thresholding window's own cases paint the usual segments; here those it cannot make.
TEST(ColourImage, SegmentsInterleavingDialogValuesPackedRowsAndPlanesThatMustFit) {
  const BytePlane ramp = MakeNumbered(16, 16, 16);  // every gray once
  ColourPlanes planes;
  BytePlane bgr;
  ASSERT_TRUE(ColourPlanesFromGray(ramp, planes));
  ASSERT_TRUE(PaintGraySegment(ramp, 0, 100, kRed, planes, bgr));
  // Empty segments paint nothing and still write the image of the planes.
  for (const auto& [low, high] : {std::pair{200, 190}, {-20, -1}}) {
    BytePlane again;
    ASSERT_TRUE(PaintGraySegment(ramp, low, high, kGreen, planes, again));
    EXPECT_EQ(std::tuple(At(again, 0), At(again, 100), At(again, 101), At(again, 200)),
              std::tuple(kRed, kRed, GrayRgb(101), GrayRgb(200)));
  }
  // Bounds beyond the grays are cut to them.
  ASSERT_TRUE(PaintGraySegment(ramp, 240, 900, kGreen, planes, bgr));
  EXPECT_EQ(std::tuple(At(bgr, 239), At(bgr, 240), At(bgr, 255)), std::tuple(GrayRgb(239), kGreen, kGreen));
  planes = {MakeRandomGray(5, 3, 1), MakeRandomGray(5, 3, 2), MakeRandomGray(5, 3, 3)};
  bgr = BytePlane(4, 4);
  ASSERT_TRUE(InterleavePlanes(planes, bgr));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 5; ++j)
      ASSERT_EQ(BgrAt(bgr, i, j), (Rgb{planes.Blue[i][j], planes.Green[i][j], planes.Red[i][j]}));
  planes.Green = BytePlane(5, 4);
  EXPECT_FALSE(InterleavePlanes(planes, bgr) ||
               PaintGraySegment(MakeRandomGray(5, 3, 1), 0, 255, kRed, planes, bgr) ||
               ColourPlanesFromGray(BytePlane(), planes));
  EXPECT_EQ(RgbFromColourValue(0x00C08040u), (Rgb{0xC0, 0x80, 0x40}));
  bgr = BytePlane();
  ASSERT_TRUE(FitColourImage(bgr, 5, 2) && bgr.Lines() == 2 && bgr.Columns() == 15);
  bgr[1][14] = 9;
  EXPECT_TRUE(FitColourImage(bgr, 5, 2) && bgr[1][14] == 9);  // kept as it is
  EXPECT_FALSE(FitColourImage(bgr, 0, 2) || FitColourImage(bgr, 1 << 30, 1));
  for (int count = 0; count <= 9; ++count) {
    std::vector<std::uint32_t> words;
    for (std::uint32_t j = 0; j < static_cast<std::uint32_t>(count); ++j)
      words.push_back(BgrWord(3 * j, 3 * j + 1, 3 * j + 2) | 0xAB000000u);  // a stray top byte stays out
    std::vector<std::uint8_t> row(3 * count + 8, 0xEE);
    PackBgrRow(words.data(), count, row.data());
    for (int k = 0; k < 3 * count + 8; ++k) ASSERT_EQ(row[k], k < 3 * count ? k : 0xEE) << count;
  }
  EXPECT_EQ(GrayWord(7), BgrWord(7, 7, 7));
}

// One pixel as the treatment describes it: three images, then the blend, then the local override.
Rgb LiteralTransparent(int base, int mask, int original, const TransparentParams& p) {
  const double alpha = std::clamp(p.Alpha, 0.0, 1.0);
  const Rgb overlay = mask == p.Value ? p.Colour : Rgb{255, 255, 255};
  auto blend = [&](int o) { return std::uint8_t(int(std::min(base * (1 - alpha) + o * alpha, 255.0))); };
  return p.Local && mask > 254 ? GrayRgb(original)
                               : Rgb{blend(overlay.blue), blend(overlay.green), blend(overlay.red)};
}

// Hand-worked values are the handler's; here every opacity, those beyond 0 .. 1 too, against the reference.
class SuperpositionAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(SuperpositionAtThreads);

TEST_P(SuperpositionAtThreads, TransparentMatchesThePixelByPixelReferenceAndOtherSizesAreRefused) {
  const int columns = 97, lines = 40;
  const BytePlane base = MakeRandomGray(columns, lines, 4), original = MakeRandomGray(columns, lines, 6);
  BytePlane mask = MakeRandomGray(columns, lines, 5), bgr;
  for (std::size_t k = 0; k < mask.Size(); ++k)
    mask.Data()[k] = mask.Data()[k] < 128 ? 255 : mask.Data()[k] & 3;
  for (const double alpha : {-1.0, 0.0, 0.07, 0.33, 0.5, 0.99, 1.0, 2.5})
    for (const bool local : {false, true}) {
      const TransparentParams params{2, alpha, {40, 200, 255}, local};
      ASSERT_TRUE(SuperposeTransparent(base, mask, original, params, bgr));
      for (int i = 0; i < lines; ++i)
        for (int j = 0; j < columns; ++j)
          ASSERT_EQ(BgrAt(bgr, i, j), LiteralTransparent(base[i][j], mask[i][j], original[i][j], params))
              << alpha << " " << local << " at " << i << "," << j;
    }
  const BytePlane plane(3, 2);
  const TransparentParams global{3, 0.5, {0, 0, 255}, false}, local{3, 0.5, {0, 0, 255}, true};
  EXPECT_FALSE(SuperposeSingle(plane, BytePlane(2, 2), 3, {}, bgr) ||
               SuperposeTransparent(plane, BytePlane(3, 3), plane, global, bgr) ||
               SuperposeTransparent(plane, plane, BytePlane(1, 1), local, bgr) ||
               SuperposeSingle(BytePlane(), BytePlane(), 3, {}, bgr));
  EXPECT_TRUE(SuperposeTransparent(plane, plane, BytePlane(1, 1), global, bgr));  // the original is not read
}

}  // namespace
