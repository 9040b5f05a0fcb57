#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "graytone/kernels/Superposition.h"

namespace {

constexpr Rgb kRed{0, 0, 255};

// Base grays 0, 100, 200 on line 0 and 50, 150, 250 on line 1; the mask has the item 3 on the first
// column, another item 1 on the second, background 255 on the third; the original 10, 11, 12.
struct Scene {
  BytePlane base{3, 2}, mask{3, 2}, original{3, 2};
  Scene() {
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 3; ++j) {
        base[i][j] = static_cast<std::uint8_t>(100 * j + 50 * i);
        mask[i][j] = static_cast<std::uint8_t>(j == 0 ? 3 : j == 1 ? 1 : 255);
        original[i][j] = static_cast<std::uint8_t>(10 + j);
      }
  }
};

TransparentParams Transparent(double alpha, bool local = false) {
  return {3, alpha, kRed, local};
}

// One pixel as the treatment describes it: three images, then the blend, then the local override.
Rgb LiteralTransparent(int base, int mask, int original, const TransparentParams& p) {
  const double alpha = std::clamp(p.Alpha, 0.0, 1.0);
  const Rgb overlay = mask == p.Value ? p.Colour : Rgb{255, 255, 255};
  auto blend = [&](int o) {
    double v = base * (1 - alpha) + o * alpha;
    if (v > 255) v = 255;
    return static_cast<std::uint8_t>(static_cast<int>(v));
  };
  Rgb out{blend(overlay.blue), blend(overlay.green), blend(overlay.red)};
  if (p.Local && mask > 254) out = GrayRgb(original);
  return out;
}

}  // namespace

TEST(Superposition, SingleShowsTheItemInColourOverGraysThatAreNeverBlack) {
  const Scene s;
  BytePlane bgr;
  ASSERT_TRUE(SuperposeSingle(s.base, s.mask, 3, kRed, bgr));
  EXPECT_EQ(std::tuple(BgrAt(bgr, 0, 0), BgrAt(bgr, 1, 0), BgrAt(bgr, 0, 1), BgrAt(bgr, 1, 2)),
            std::tuple(kRed, kRed, GrayRgb(100), GrayRgb(250)));
  // The 0 of the base shows as 1 where no item covers it.
  ASSERT_TRUE(SuperposeSingle(s.base, s.mask, 1, kRed, bgr));
  EXPECT_EQ(std::tuple(BgrAt(bgr, 0, 0), BgrAt(bgr, 0, 1)), std::tuple(GrayRgb(1), kRed));
  // A value no pixel holds leaves the base alone.
  ASSERT_TRUE(SuperposeSingle(s.base, s.mask, 300, kRed, bgr));
  EXPECT_EQ(BgrAt(bgr, 0, 0), GrayRgb(1));
}

TEST(Superposition, TransparentByHand) {
  const Scene s;
  BytePlane bgr;
  auto at = [&](double alpha, bool local = false) {
    EXPECT_TRUE(SuperposeTransparent(s.base, s.mask, s.original, Transparent(alpha, local), bgr));
    return std::tuple(BgrAt(bgr, 0, 0), BgrAt(bgr, 1, 0), BgrAt(bgr, 0, 1), BgrAt(bgr, 1, 2));
  };
  // Two item pixels (base 0 and 50), the other item (100), the background (250). Opacity 0: the base
  // itself, 0 kept as 0; 100, global: the colour on the item, white everywhere else; opacities beyond
  // 0 .. 1 are limited.
  const auto base = std::tuple(GrayRgb(0), GrayRgb(50), GrayRgb(100), GrayRgb(250));
  const auto full = std::tuple(kRed, kRed, GrayRgb(255), GrayRgb(255));
  EXPECT_EQ(at(0), base);
  EXPECT_EQ(at(-1), base);
  EXPECT_EQ(at(1), full);
  EXPECT_EQ(at(2.5), full);
  // Half: 50 -> (25, 25, 152.5), 100 -> 177.5, 250 -> 252.5, truncated; local: the background shows
  // the original's grays, the other item keeps the blend.
  EXPECT_EQ(at(0.5), std::tuple(Rgb{0, 0, 127}, Rgb{25, 25, 152}, GrayRgb(177), GrayRgb(252)));
  EXPECT_EQ(at(0.5, true), std::tuple(Rgb{0, 0, 127}, Rgb{25, 25, 152}, GrayRgb(177), GrayRgb(12)));
}

class SuperpositionAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(SuperpositionAtThreads);

TEST_P(SuperpositionAtThreads, TransparentMatchesThePixelByPixelReference) {
  const int columns = 97, lines = 40;
  const BytePlane base = MakeRandomGray(columns, lines, 4), original = MakeRandomGray(columns, lines, 6);
  BytePlane mask = MakeRandomGray(columns, lines, 5);
  for (std::size_t k = 0; k < mask.Size(); ++k)
    mask.Data()[k] = mask.Data()[k] < 128 ? 255 : mask.Data()[k] & 3;
  for (const double alpha : {0.0, 0.07, 0.33, 0.5, 0.99, 1.0})
    for (const bool local : {false, true}) {
      const TransparentParams params{2, alpha, {40, 200, 255}, local};
      BytePlane bgr;
      ASSERT_TRUE(SuperposeTransparent(base, mask, original, params, bgr));
      for (int i = 0; i < lines; ++i)
        for (int j = 0; j < columns; ++j)
          ASSERT_EQ(BgrAt(bgr, i, j), LiteralTransparent(base[i][j], mask[i][j], original[i][j], params))
              << alpha << " " << local << " at " << i << "," << j;
    }
}

TEST(Superposition, PlanesOfAnotherSizeAreRefused) {
  const Scene s;
  BytePlane bgr;
  EXPECT_FALSE(SuperposeSingle(s.base, BytePlane(2, 2), 3, kRed, bgr));
  EXPECT_FALSE(SuperposeTransparent(s.base, BytePlane(3, 3), s.original, Transparent(0.5), bgr));
  EXPECT_FALSE(SuperposeTransparent(s.base, s.mask, BytePlane(1, 1), Transparent(0.5, true), bgr));
  EXPECT_TRUE(SuperposeTransparent(s.base, s.mask, BytePlane(1, 1), Transparent(0.5, false), bgr));
  EXPECT_FALSE(SuperposeSingle(BytePlane(), BytePlane(), 3, kRed, bgr));
}
