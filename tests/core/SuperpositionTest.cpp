#include <gtest/gtest.h>

#include <algorithm>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "graytone/kernels/Superposition.h"

namespace {

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

// The handler's own cases give the hand-worked values; here every opacity the kernel may be given,
// those beyond 0 .. 1 included, against the reference, at several thread counts.
class SuperpositionAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(SuperpositionAtThreads);

TEST_P(SuperpositionAtThreads, TransparentMatchesThePixelByPixelReference) {
  const int columns = 97, lines = 40;
  const BytePlane base = MakeRandomGray(columns, lines, 4), original = MakeRandomGray(columns, lines, 6);
  BytePlane mask = MakeRandomGray(columns, lines, 5);
  for (std::size_t k = 0; k < mask.Size(); ++k)
    mask.Data()[k] = mask.Data()[k] < 128 ? 255 : mask.Data()[k] & 3;
  for (const double alpha : {-1.0, 0.0, 0.07, 0.33, 0.5, 0.99, 1.0, 2.5})
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
  const BytePlane plane(3, 2);
  const TransparentParams global{3, 0.5, {0, 0, 255}, false}, local{3, 0.5, {0, 0, 255}, true};
  BytePlane bgr;
  EXPECT_FALSE(SuperposeSingle(plane, BytePlane(2, 2), 3, {}, bgr));
  EXPECT_FALSE(SuperposeTransparent(plane, BytePlane(3, 3), plane, global, bgr));
  EXPECT_FALSE(SuperposeTransparent(plane, plane, BytePlane(1, 1), local, bgr));
  EXPECT_TRUE(SuperposeTransparent(plane, plane, BytePlane(1, 1), global, bgr));  // the original is not read
  EXPECT_FALSE(SuperposeSingle(BytePlane(), BytePlane(), 3, {}, bgr));
}
