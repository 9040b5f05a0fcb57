#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

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
  std::vector<double> K(static_cast<std::size_t>(W) * W);
  for (int r = 0; r < W; ++r)
    for (int c = 0; c < W; ++c) {
      const double u = ((h - r) * (h - r) + (h - c) * (h - c)) / (sigma * sigma);
      K[r * W + c] = (2 - u) * std::exp(-0.5 * u);
    }
  Literal out{DoublePlane(columns, lines), BytePlane(columns, lines)};
  for (int i = h; i <= lines - h - 1; ++i)
    for (int j = h; j <= columns - h - 1; ++j) {
      double v = 0;
      for (int r = 0; r < W; ++r)
        for (int c = 0; c < W; ++c) v += src[i - h + r][j - h + c] * K[r * W + c];
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

// The separable passes against the literal sum: responses and extremes equal to 6 decimals, the
// border cells untouched, the gray equal but where the literal's scaled value lies on a whole number
// (1 off at most there). Counts those ties.
void ExpectLikeLiteral(const BytePlane& image, int h, double sigma, int& ties) {
  const Literal literal = LiteralMorlet(image, h, sigma);
  const int lines = image.Lines(), columns = image.Columns();
  DoublePlane v(columns, lines);
  v.Fill(-7.5);
  BytePlane gray(columns, lines);
  gray.Fill(9);  // a plane reused from an earlier run
  const MorletResult r = MorletResponse(image, h, sigma, v);
  MorletToGray(v, h, r.Min, r.Max, gray);
  ASSERT_TRUE(r.Computed);
  EXPECT_NEAR(r.Min, literal.min, 1e-7);
  EXPECT_NEAR(r.Max, literal.max, 1e-7);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) {
      if (i < h || i >= lines - h || j < h || j >= columns - h) {
        ASSERT_EQ(std::tuple(v[i][j], gray[i][j]), std::tuple(-7.5, 0)) << i << ", " << j;
        continue;
      }
      ASSERT_NEAR(v[i][j], literal.v[i][j], 1e-7) << i << ", " << j;
      if (gray[i][j] == literal.gray[i][j]) continue;
      const double t = (literal.v[i][j] - literal.min) / (literal.max - literal.min) * 255;
      ASSERT_LE(std::abs(gray[i][j] - literal.gray[i][j]), 1) << i << ", " << j;
      ASSERT_LT(std::abs(t - std::round(t)), 1e-6) << i << ", " << j;
      ++ties;
    }
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
    int ties = 0;
    ExpectLikeLiteral(MakeRandomGray(columns, lines, seed++), h, sigma, ties);
    EXPECT_EQ(ties, 0);
  }
  // R = 1, sigma = 1, the response to one lit pixel: 2 at the centre (u = 0), exp(-0.5) at distance
  // 1, 0 on the diagonal (u = 2).
  BytePlane dot(5, 5);
  dot[2][2] = 1;
  DoublePlane k(5, 5);
  ASSERT_TRUE(MorletResponse(dot, 1, 1.0, k).Computed);
  EXPECT_EQ(std::tuple(k[2][2], k[1][1], k[1][3], k[3][1], k[3][3]), std::tuple(2.0, 0.0, 0.0, 0.0, 0.0));
  for (auto [i, j] : {std::pair(1, 2), {2, 1}, {2, 3}, {3, 2}}) EXPECT_NEAR(k[i][j], 0.6065, 5e-5);
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

// Pieces of columns and bands of lines cut at every thread count, tails of blocks, h from 1 to 50, an
// image the window just fits, a Gaussian that vanishes beyond the centre (no inf x 0) and a ramp
// whose affine responses fall on whole grays.
TEST_P(MorletWaveletThreads, SeparablePassesAgreeWithTheLiteralSum) {
  const std::tuple<BytePlane, int, double, bool> cases[] = {
      {MakeRandomGray(3, 5, 1), 1, 0.8, false},       {MakeRandomGray(11, 11, 2), 5, 3.0, false},
      {MakeRandomGray(600, 23, 3), 3, 1.7, false},    {MakeRandomGray(41, 230, 4), 2, 0.9, false},
      {MakeRandomGray(130, 111, 5), 50, 25.0, false}, {MakeRandomGray(300, 70, 6), 5, 2.5, false},
      {MakeRandomGray(60, 50, 7), 4, 0.3, false},     {MakeRandomGray(30, 20, 10), 3, 0.02, false},
      {MakeRandomGray(70, 64, 8), 9, -1e3, false},    {MakeGrayRamp(90, 80), 6, 3.0, true}};
  for (const auto& [image, h, sigma, mayTie] : cases) {
    SCOPED_TRACE(testing::Message() << image.Columns() << "x" << image.Lines() << " h " << h);
    int ties = 0;
    ExpectLikeLiteral(image, h, sigma, ties);
    EXPECT_TRUE(mayTie || ties == 0) << ties;
  }
  // h beyond what the image allows, in either direction.
  for (auto [columns, lines, h] : {std::tuple(4, 9, 2), {9, 4, 2}, {2, 2, 1}, {101, 100, 50}}) {
    DoublePlane v(columns, lines);
    EXPECT_FALSE(MorletResponse(MakeRandomGray(columns, lines, 9), h, 2.0, v).Computed)
        << columns << "x" << lines;
  }
}

// A constant source gives one response everywhere, the constant times the kernel's sum: max = min,
// and the gray is 0.
TEST_P(MorletWaveletThreads, ConstantSourceGivesOneResponse) {
  for (auto [columns, lines, h, sigma] :
       {std::tuple(53, 47, 3, 1.3), {300, 20, 1, 0.7}, {140, 110, 50, 7.3}, {37, 290, 7, 4.0}}) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines << " h " << h);
    BytePlane flat(columns, lines);
    flat.Fill(201);
    DoublePlane v(columns, lines);
    const MorletResult r = MorletResponse(flat, h, sigma, v);
    BytePlane gray;
    MorletToGray(v, h, r.Min, r.Max, gray);
    const Literal literal = LiteralMorlet(flat, h, sigma);
    EXPECT_EQ(std::tuple(r.Computed, r.Min == r.Max, std::count(gray.Data(), gray.Data() + gray.Size(), 0)),
              std::tuple(true, true, static_cast<std::ptrdiff_t>(gray.Size())));
    EXPECT_NEAR(r.Min, literal.min, 1e-7);
  }
}
