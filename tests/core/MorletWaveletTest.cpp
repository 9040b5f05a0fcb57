#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/MorletWavelet.h"

namespace {

// The first treatment, the reference: the kernel, each pixel's window summed, rescaled between extremes.
struct Literal {
  DoublePlane v;
  BytePlane gray;
  double min = HUGE_VAL, max = -HUGE_VAL;
};

Literal LiteralMorlet(const BytePlane& src, int h, double sigma) {
  const int lines = src.Lines(), columns = src.Columns(), W = 2 * h + 1;
  Literal out{DoublePlane(columns, lines), BytePlane(columns, lines)};
  for (int i = h; i <= lines - h - 1; ++i)
    for (int j = h; j <= columns - h - 1; ++j) {
      double v = 0;
      for (int r = 0; r < W; ++r)
        for (int c = 0; c < W; ++c) {
          const double u = ((h - r) * (h - r) + (h - c) * (h - c)) / (sigma * sigma);
          v += src[i - h + r][j - h + c] * ((2 - u) * std::exp(-0.5 * u));
        }
      out.v[i][j] = v;
      out.min = std::min(out.min, v), out.max = std::max(out.max, v);
    }
  for (int i = h; i <= lines - h - 1; ++i)
    for (int j = h; j <= columns - h - 1; ++j) {
      const double t = out.max == out.min ? 0 : (out.v[i][j] - out.min) / (out.max - out.min) * 255;
      out.gray[i][j] = static_cast<std::uint8_t>(std::trunc(t));
    }
  return out;
}

class MorletWaveletThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(MorletWaveletThreads);

}  // namespace

TEST_P(MorletWaveletThreads, LiteralReferenceHandWorkedCasesAndRefusals) {
  const std::tuple<int, int, int, double> cases[] = {{3, 3, 1, 1.0},     {40, 30, 2, 1.3},
                                                     {300, 40, 5, 2.5},  {31, 29, 7, -0.4},
                                                     {533, 20, 3, 30.0}, {21, 21, 10, 4.0}};
  std::uint32_t seed = 70;
  for (auto [columns, lines, h, sigma] : cases) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines << " h " << h << " sigma " << sigma);
    const BytePlane image = MakeRandomGray(columns, lines, seed++);
    const Literal literal = LiteralMorlet(image, h, sigma);
    DoublePlane v(columns, lines);
    BytePlane gray;
    const MorletResult r = MorletResponse(image, h, sigma, v);
    MorletToGray(v, h, r.Min, r.Max, gray);
    EXPECT_EQ(std::tuple(r.Computed, std::memcmp(v.Data(), literal.v.Data(), v.Size() * sizeof(double)),
                         r.Min, r.Max, std::memcmp(gray.Data(), literal.gray.Data(), gray.Size())),
              std::tuple(true, 0, literal.min, literal.max, 0));
  }
  // R = 1, sigma = 1: 2 at the centre (u = 0), exp(-0.5) at distance 1, 0 on the diagonal (u = 2).
  const std::vector<double> k = MorletKernel(1, 1.0);
  ASSERT_EQ(k.size(), 9u);
  EXPECT_EQ(std::tuple(k[4], k[0], k[2], k[6], k[8]), std::tuple(2.0, 0.0, 0.0, 0.0, 0.0));
  for (int side : {1, 3, 5, 7}) EXPECT_NEAR(k[side], 0.6065, 5e-5);
  // Beyond extremes not the responses' own the scale stops at 0 and 255; the border is 0.
  DoublePlane v(5, 5);
  v[2][1] = -10, v[2][2] = 5, v[2][3] = 50;
  BytePlane gray;
  MorletToGray(v, 1, 0, 10, gray);
  EXPECT_EQ(std::tuple(gray[2][1], gray[2][2], gray[2][3], gray[0][0]), std::tuple(0, 127, 255, 0));
  // 1e-200: its square underflows to 0; 1e-160: u of the corners overflows.
  EXPECT_EQ(std::tuple(MorletWindowFits(7, 7, 3), MorletWindowFits(7, 6, 3), MorletWindowFits(7, 7, 0),
                       MorletSigmaUsable(3, -2.0)),
            std::tuple(true, false, false, true));
  for (double sigma : {0.0, 1e-200, 1e-160, 1e200, std::nan(""), HUGE_VAL})
    EXPECT_FALSE(MorletSigmaUsable(3, sigma)) << sigma;
  DoublePlane fits(10, 10), wrongSize(3, 3);
  EXPECT_FALSE(MorletResponse(BytePlane(10, 10), 5, 1.0, fits).Computed ||
               MorletResponse(BytePlane(10, 10), 2, 1.0, wrongSize).Computed);
}
