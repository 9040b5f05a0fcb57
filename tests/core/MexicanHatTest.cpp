#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "sequence/kernels/HurstExponent.h"
#include "sequence/kernels/MexicanHat.h"
#include "sequence/kernels/WaveletHurst.h"

namespace {

// By definition: the (2R + 1)^2 kernel summed at each inner pixel, rescaled between the extremes; border 0.
BytePlane LiteralHatImage(const BytePlane& source, int range, const std::vector<double>& kernel) {
  const int width = 2 * range + 1, lines = source.Lines(), columns = source.Columns();
  std::vector<double> f(static_cast<std::size_t>(lines) * columns, 0.0);
  double low = HUGE_VAL, high = -HUGE_VAL;
  for (int p = range; p <= lines - range - 1; ++p) {
    for (int q = range; q <= columns - range - 1; ++q) {
      double sum = 0;
      for (int a = 0; a < width; ++a)
        for (int b = 0; b < width; ++b) sum += source[p - range + a][q - range + b] * kernel[a * width + b];
      f[static_cast<std::size_t>(p) * columns + q] = sum;
      low = std::min(low, sum), high = std::max(high, sum);
    }
  }
  BytePlane image(columns, lines);
  for (int p = range; p <= lines - range - 1; ++p)
    for (int q = range; q <= columns - range - 1; ++q)
      image[p][q] = static_cast<std::uint8_t>((f[static_cast<std::size_t>(p) * columns + q] - low) /
                                              (high - low) * 255.0);
  return image;
}

TEST(MexicanHat, KernelValues) {
  const double side = std::exp(-0.5);  // d = 1 for the direct neighbours, 2 for the corners
  const std::vector<double> k = MexicanHatKernel(1, 1.0), expected = {0, side, 0, side, 2, side, 0, side, 0};
  ASSERT_EQ(k.size(), 9u);
  for (std::size_t i = 0; i < 9; ++i) EXPECT_NEAR(k[i], expected[i], 1e-15) << i;
  EXPECT_EQ(std::tuple(MexicanHatKernel(5, 1.0).size(), MexicanHatKernel(-1, 1.0).size()),
            std::tuple(121u, 0u));
}

// The same grays, border 0 in a reused plane; only a ramp's affine values hit truncation ties (1 off).
class MexicanHatAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(MexicanHatAtThreads);

TEST_P(MexicanHatAtThreads, AgreesWithTheLiteralFilter) {
  const std::tuple<BytePlane, int, double, bool> cases[] = {{MakeRandomGray(40, 31, 1), 5, 1.0, false},
                                                            {MakeRandomGray(300, 17, 3), 1, 0.7, false},
                                                            {MakeRandomGray(9, 9, 4), 0, 1.0, false},
                                                            {MakeGrayRamp(64, 64), 4, 3.0, true}};
  for (const auto& [source, range, sigma, ties] : cases) {
    SCOPED_TRACE(range);
    BytePlane image(source.Columns(), source.Lines());
    image.Fill(77);  // a plane reused from an earlier run
    ASSERT_TRUE(MakeMexicanHatImage(source, range, sigma, image));
    const BytePlane expected = LiteralHatImage(source, range, MexicanHatKernel(range, sigma));
    std::size_t differ = 0;
    for (std::size_t k = 0; k < image.Size(); ++k) {
      EXPECT_LE(std::abs(image.Data()[k] - expected.Data()[k]), 1) << k;
      differ += image.Data()[k] != expected.Data()[k];
    }
    EXPECT_TRUE(ties || differ == 0);
  }
}

// Nothing to rescale or no inner pixel: refused, all 0. A vanishing Gaussian: twice the image, no inf * 0.
TEST(MexicanHat, FlatOrEmptyIsRefusedAndTinySigmaKeepsTheCentre) {
  BytePlane flat(30, 30), image(30, 30);
  flat.Fill(120);
  image.Fill(9);
  EXPECT_FALSE(MakeMexicanHatImage(flat, 5, 1.0, image));
  EXPECT_TRUE(std::all_of(image.Data(), image.Data() + image.Size(), [](std::uint8_t v) { return v == 0; }));
  const BytePlane noise = MakeRandomGray(10, 10, 1);
  EXPECT_FALSE(MakeMexicanHatImage(noise, -1, 1.0, image));
  EXPECT_FALSE(MakeMexicanHatImage(BytePlane(), 1, 1.0, image));
  const BytePlane source = MakeRandomGray(20, 20, 6);
  std::vector<double> centre(25, 0.0);
  centre[12] = 2;
  ASSERT_TRUE(MakeMexicanHatImage(source, 2, 1e-300, image));
  const BytePlane expected = LiteralHatImage(source, 2, centre);
  EXPECT_TRUE(std::equal(image.Data(), image.Data() + image.Size(), expected.Data(),
                         expected.Data() + expected.Size()));
}

// The three scales by hand: the same exponents and the slope of log10(H + 1).
TEST(WaveletHurst, ThreeScalesByHand) {
  const BytePlane source = MakeRandomGray(80, 70, 12);
  const WaveletParams params{};  // the whole scene, R = 5, sigma 1, 2, 3, sizes 10, 12, .. 28
  BytePlane image, scaled;
  std::vector<int> sequence, values;
  const WaveletResult result = RunWavelet(source, source, params, image, sequence);
  ASSERT_FALSE(result.Flat);
  double sx = 0, sy = 0, sxy = 0, sxx = 0;
  for (int k = 0; k < 3; ++k) {
    const double sigma = 1.0 + k;
    ASSERT_TRUE(MakeMexicanHatImage(source, 5, sigma, scaled));
    ExtractWaveletGTS(scaled, source, params.Zone, 5, values);
    ASSERT_EQ(values.size(), 60u * 70u);
    const double h =
        FitHurst(SlidingDeviations(values.data(), std::int64_t{60 * 70 - 1}, SlidingSizes(10, 2, 10))).Slope;
    EXPECT_EQ(std::tuple(result.Sigmas[k], result.Hurst[k]), std::tuple(sigma, h));
    const double x = std::log10(sigma), y = std::log10(h + 1);
    sx += x, sy += y, sxy += x * y, sxx += x * x;
  }
  EXPECT_NEAR(result.Slope, (3 * sxy - sx * sy) / (3 * sxx - sx * sx), 1e-12);
  EXPECT_EQ(sequence, values);  // the third scale's
  EXPECT_TRUE(std::equal(image.Data(), image.Data() + image.Size(), scaled.Data()));
  EXPECT_TRUE(std::isnan(ComputeWaveletHurst(nullptr, -1, 10, 2, 10)));
}

}  // namespace
