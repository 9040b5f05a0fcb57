#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "fixtures/Patterns.h"
#include "graytone/kernels/Superposition.h"
#include "imaging/Parallel.h"

namespace {

constexpr Rgb kRed{0, 0, 255};

Rgb At(const BytePlane& bgr, int i, int j) {
  return {bgr[i][3 * j], bgr[i][3 * j + 1], bgr[i][3 * j + 2]};
}

Rgb Gray(int g) {
  const auto v = static_cast<std::uint8_t>(g);
  return {v, v, v};
}

// Base grays 0, 100, 200 on line 0 and 50, 150, 250 on line 1; the mask has the item 3 on the first
// column, another item 1 on the second, background 255 on the third.
struct Scene {
  BytePlane base{3, 2}, mask{3, 2}, original{3, 2};
  Scene() {
    const int grays[2][3] = {{0, 100, 200}, {50, 150, 250}};
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 3; ++j) {
        base[i][j] = static_cast<std::uint8_t>(grays[i][j]);
        mask[i][j] = static_cast<std::uint8_t>(j == 0 ? 3 : j == 1 ? 1 : 255);
        original[i][j] = static_cast<std::uint8_t>(10 + j);
      }
  }
};

TransparentParams Transparent(double alpha, bool local = false) {
  TransparentParams params;
  params.Value = 3;
  params.Alpha = alpha;
  params.Colour = kRed;
  params.Local = local;
  return params;
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
  if (p.Local && mask > 254) out = Gray(original);
  return out;
}

}  // namespace

TEST(Superposition, SingleShowsTheItemInColourOverGraysThatAreNeverBlack) {
  const Scene s;
  BytePlane bgr;
  ASSERT_TRUE(SuperposeSingle(s.base, s.mask, 3, kRed, bgr));
  EXPECT_EQ(std::tuple(At(bgr, 0, 0), At(bgr, 1, 0), At(bgr, 0, 1), At(bgr, 1, 2)),
            std::tuple(kRed, kRed, Gray(100), Gray(250)));
  // The 0 of the base shows as 1 where no item covers it.
  ASSERT_TRUE(SuperposeSingle(s.base, s.mask, 1, kRed, bgr));
  EXPECT_EQ(std::tuple(At(bgr, 0, 0), At(bgr, 0, 1)), std::tuple(Gray(1), kRed));
  // A value no pixel holds leaves the base alone.
  ASSERT_TRUE(SuperposeSingle(s.base, s.mask, 300, kRed, bgr));
  EXPECT_EQ(At(bgr, 0, 0), Gray(1));
}

TEST(Superposition, TransparentByHand) {
  const Scene s;
  BytePlane bgr;
  // Opacity 0: the base itself, 0 kept as 0, background included.
  ASSERT_TRUE(SuperposeTransparent(s.base, s.mask, s.original, Transparent(0), bgr));
  EXPECT_EQ(std::tuple(At(bgr, 0, 0), At(bgr, 0, 1), At(bgr, 1, 2)),
            std::tuple(Gray(0), Gray(100), Gray(250)));
  // Opacity 100, global: the colour on the item, white everywhere else.
  ASSERT_TRUE(SuperposeTransparent(s.base, s.mask, s.original, Transparent(1), bgr));
  EXPECT_EQ(std::tuple(At(bgr, 1, 0), At(bgr, 0, 1), At(bgr, 1, 2)), std::tuple(kRed, Gray(255), Gray(255)));
  // Half: item 50 -> (25, 25, 152.5), elsewhere 100 -> 177.5; truncated.
  ASSERT_TRUE(SuperposeTransparent(s.base, s.mask, s.original, Transparent(0.5), bgr));
  EXPECT_EQ(std::tuple(At(bgr, 1, 0), At(bgr, 0, 1)), std::tuple(Rgb{25, 25, 152}, Gray(177)));
  // Local: the background shows the original's grays, the other item keeps the blend.
  ASSERT_TRUE(SuperposeTransparent(s.base, s.mask, s.original, Transparent(0.5, true), bgr));
  EXPECT_EQ(std::tuple(At(bgr, 1, 0), At(bgr, 0, 1), At(bgr, 0, 2), At(bgr, 1, 2)),
            std::tuple(Rgb{25, 25, 152}, Gray(177), Gray(12), Gray(12)));
  // Opacities beyond 0 .. 1 are limited.
  ASSERT_TRUE(SuperposeTransparent(s.base, s.mask, s.original, Transparent(2.5), bgr));
  EXPECT_EQ(At(bgr, 1, 0), kRed);
  ASSERT_TRUE(SuperposeTransparent(s.base, s.mask, s.original, Transparent(-1), bgr));
  EXPECT_EQ(At(bgr, 1, 0), Gray(50));
}

TEST(Superposition, TransparentMatchesThePixelByPixelReference) {
  for (const int threads : {1, 4}) {
    parallel::SetThreadLimit(threads);
    const int columns = 2048, lines = 150;
    const BytePlane base = MakeRandomGray(columns, lines, 4);
    const BytePlane original = MakeRandomGray(columns, lines, 6);
    BytePlane mask = MakeRandomGray(columns, lines, 5);
    for (std::size_t k = 0; k < mask.Size(); ++k)
      mask.Data()[k] = mask.Data()[k] < 128 ? 255 : mask.Data()[k] & 3;
    for (const double alpha : {0.0, 0.07, 0.33, 0.5, 0.99, 1.0})
      for (const bool local : {false, true}) {
        TransparentParams params = Transparent(alpha, local);
        params.Value = 2;
        params.Colour = {40, 200, 255};
        BytePlane bgr;
        ASSERT_TRUE(SuperposeTransparent(base, mask, original, params, bgr));
        for (int i = 0; i < lines; i += 7)
          for (int j = 0; j < columns; ++j)
            ASSERT_EQ(At(bgr, i, j), LiteralTransparent(base[i][j], mask[i][j], original[i][j], params))
                << alpha << " " << local << " at " << i << "," << j;
      }
  }
  parallel::SetThreadLimit(0);
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
