#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "fixtures/Patterns.h"
#include "graytone/kernels/MorletWavelet.h"
#include "imaging/Parallel.h"

namespace {

// The treatment as first written, kept as the reference: the kernel, then for each pixel the sum
// over the window line by line, then the rescaling between the extreme responses.
struct Literal {
  DoublePlane v;
  double min = 0, max = 0;
  BytePlane gray;
};

Literal LiteralMorlet(const BytePlane& src, int h, double sigma) {
  const int lines = src.Lines(), columns = src.Columns(), W = 2 * h + 1, c0 = W / 2;
  std::vector<std::vector<double>> K(W, std::vector<double>(W));
  for (int r = 0; r < W; ++r)
    for (int c = 0; c < W; ++c) {
      const double u = ((c0 - r) * (c0 - r) + (c0 - c) * (c0 - c)) / (sigma * sigma);
      K[r][c] = (2 - u) * std::exp(-0.5 * u);
    }
  Literal out;
  out.v = DoublePlane(columns, lines);
  bool first = true;
  for (int i = h; i <= lines - h - 1; ++i)
    for (int j = h; j <= columns - h - 1; ++j) {
      double v = 0;
      for (int r = 0; r < W; ++r)
        for (int c = 0; c < W; ++c) v += src[i - h + r][j - h + c] * K[r][c];
      out.v[i][j] = v;
      if (first || v < out.min) out.min = v;
      if (first || v > out.max) out.max = v;
      first = false;
    }
  out.gray = BytePlane(columns, lines);
  for (int i = h; i <= lines - h - 1; ++i)
    for (int j = h; j <= columns - h - 1; ++j)
      out.gray[i][j] =
          out.max == out.min
              ? 0
              : static_cast<std::uint8_t>(std::trunc((out.v[i][j] - out.min) / (out.max - out.min) * 255));
  return out;
}

std::string Bytes(const BytePlane& p) {
  return std::string(p.Data(), p.Data() + p.Size());
}

}  // namespace

TEST(MorletWavelet, EqualsTheLiteralTreatmentBitForBit) {
  struct Case {
    int columns, lines, h;
    double sigma;
  };
  std::uint32_t seed = 70;
  for (const Case& c : {Case{3, 3, 1, 1.0}, Case{40, 30, 2, 1.3}, Case{300, 40, 5, 2.5},
                        Case{31, 29, 7, -0.4}, Case{533, 20, 3, 30.0}, Case{21, 21, 10, 4.0}}) {
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines << " h " << c.h << " sigma " << c.sigma);
    const BytePlane image = MakeRandomGray(c.columns, c.lines, seed++);
    const Literal literal = LiteralMorlet(image, c.h, c.sigma);
    DoublePlane v(c.columns, c.lines);
    const MorletResult result = MorletResponse(image, c.h, c.sigma, v);
    ASSERT_TRUE(result.Computed);
    EXPECT_EQ(std::memcmp(v.Data(), literal.v.Data(), v.Size() * sizeof(double)), 0);
    EXPECT_EQ(result.Min, literal.min);
    EXPECT_EQ(result.Max, literal.max);
    BytePlane gray;
    MorletToGray(v, c.h, result.Min, result.Max, gray);
    EXPECT_EQ(Bytes(gray), Bytes(literal.gray));
  }
}

TEST(MorletWavelet, OneThreadAndAllThreadsGiveTheSamePlane) {
  const BytePlane image = MakeRandomGray(600, 300, 2);
  DoublePlane all(600, 300), one(600, 300);
  const MorletResult a = MorletResponse(image, 4, 2.0, all);
  parallel::SetThreadLimit(1);
  const MorletResult b = MorletResponse(image, 4, 2.0, one);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(std::memcmp(all.Data(), one.Data(), all.Size() * sizeof(double)), 0);
  EXPECT_EQ(a.Min, b.Min);
  EXPECT_EQ(a.Max, b.Max);
}

// R = 1, sigma = 1: 2 at the centre (u = 0), exp(-0.5) = 0.6065 at distance 1 (u = 1), 0 on the
// diagonal (u = 2: 2 - u = 0). Positive inside the circle of radius sigma sqrt 2, negative beyond.
TEST(MorletWavelet, KernelValues) {
  const std::vector<double> k = MorletKernel(1, 1.0);
  ASSERT_EQ(k.size(), 9u);
  EXPECT_EQ(k[4], 2.0);
  for (int side : {1, 3, 5, 7}) EXPECT_NEAR(k[side], 0.6065, 5e-5);
  for (int corner : {0, 2, 6, 8}) EXPECT_EQ(k[corner], 0.0);
  const std::vector<double> wide = MorletKernel(3, 1.0);  // 7 x 7, centre 3
  EXPECT_GT(wide[3 * 7 + 4], 0.0);                        // r = 1
  EXPECT_LT(wide[3 * 7 + 5], 0.0);                        // r = 2 > sqrt 2
  EXPECT_LT(wide[0], 0.0);
}

// A constant source answers the constant times the kernel sum everywhere: one tone, 0.
TEST(MorletWavelet, ConstantSourceGivesOneResponse) {
  BytePlane flat(15, 12);
  flat.Fill(100);
  DoublePlane v(15, 12);
  const MorletResult result = MorletResponse(flat, 2, 1.5, v);
  double kernelSum = 0;
  for (double k : MorletKernel(2, 1.5)) kernelSum += 100 * k;
  EXPECT_EQ(result.Min, result.Max);
  EXPECT_EQ(result.Min, kernelSum);
  BytePlane gray;
  MorletToGray(v, 2, result.Min, result.Max, gray);
  for (std::size_t k = 0; k < gray.Size(); ++k) ASSERT_EQ(gray.Data()[k], 0);
}

// Beyond extremes that are not the responses' own the scale stops at 0 and 255.
TEST(MorletWavelet, GrayStopsAtTheEndsOfTheScale) {
  DoublePlane v(5, 5);
  v[2][1] = -10;
  v[2][2] = 5;
  v[2][3] = 50;
  BytePlane gray;
  MorletToGray(v, 1, 0, 10, gray);
  EXPECT_EQ(gray[2][1], 0);
  EXPECT_EQ(gray[2][2], 127);
  EXPECT_EQ(gray[2][3], 255);
  EXPECT_EQ(gray[0][0], 0);
}

TEST(MorletWavelet, UnusableWindowsAndSigmasAreRefused) {
  EXPECT_TRUE(MorletWindowFits(7, 7, 3));
  EXPECT_FALSE(MorletWindowFits(7, 6, 3));
  EXPECT_FALSE(MorletWindowFits(7, 7, 0));
  EXPECT_FALSE(MorletWindowFits(7, 7, -1));
  EXPECT_TRUE(MorletSigmaUsable(3, -2.0));
  EXPECT_FALSE(MorletSigmaUsable(3, 0.0));
  EXPECT_FALSE(MorletSigmaUsable(3, 1e-200));  // its square underflows to 0
  EXPECT_FALSE(MorletSigmaUsable(3, 1e-160));  // u of the corners overflows
  EXPECT_FALSE(MorletSigmaUsable(3, 1e200));
  EXPECT_FALSE(MorletSigmaUsable(3, std::nan("")));
  EXPECT_FALSE(MorletSigmaUsable(3, INFINITY));
  DoublePlane v(10, 10);
  EXPECT_FALSE(MorletResponse(BytePlane(10, 10), 5, 1.0, v).Computed);
  DoublePlane wrongSize(3, 3);
  EXPECT_FALSE(MorletResponse(BytePlane(10, 10), 2, 1.0, wrongSize).Computed);
}
