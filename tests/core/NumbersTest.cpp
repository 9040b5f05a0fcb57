#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "imaging/LeastSquares.h"
#include "imaging/TextNumbers.h"

namespace {

// Sxy 35.35 over Sxx 17.5 for the noisy points; NaN: no slope. Equal abscissae whose rounded sums
// leave a tiny positive denominator are still no spread.
TEST(LeastSquaresSlope, HandWorkedSlopesAndNoneWithoutSpreadInX) {
  const double none = std::nan("");
  const std::tuple<std::vector<double>, std::vector<double>, double> cases[] = {
      {{0, 1, 2}, {0, 2, 4}, 2.0},
      {{0, 1, 2}, {5, 3.5, 2}, -1.5},
      {{1, 2, 3, 4, 5, 6}, {2.1, 3.9, 6.2, 7.8, 10.1, 12.2}, 2.02},
      {{1, 1, 1}, {1, 2, 3}, none},
      {{1}, {1}, none},
      {{}, {}, none},
      {{0.3, 0.3, 0.3}, {1, 2, 3}, none},
  };
  for (const auto& [x, y, expected] : cases) {
    const double slope = LeastSquaresSlope(x.data(), y.data(), static_cast<int>(x.size()));
    EXPECT_TRUE(std::isnan(expected) ? std::isnan(slope) : std::abs(slope - expected) < 1e-12)
        << slope << " from " << x.size() << " points";
  }
}

TEST(TextNumbers, EditTextsConvertLikeTheRuntimeAndIntegersSaturate) {
  const std::tuple<const char*, long, double> cases[] = {
      {"12a", 12, 12}, {"", 0, 0},          {"abc", 0, 0},       {"  42", 42, 42}, {"-7", -7, -7},
      {"+5", 5, 5},    {"12.5x", 12, 12.5}, {"-0.25", 0, -0.25}, {"1e2", 1, 100},  {"3 4", 3, 3},
  };
  for (const auto& [text, asLong, asDouble] : cases) {
    EXPECT_EQ(TextToLong(text), asLong) << text;
    EXPECT_DOUBLE_EQ(TextToDouble(text), asDouble) << text;
  }
  const std::pair<const char*, int> saturated[] = {{"4294967297", INT_MAX},
                                                   {"2147483648", INT_MAX},
                                                   {"2147483647", INT_MAX},
                                                   {"-2147483649", INT_MIN},
                                                   {"-99999999999999999999", INT_MIN},
                                                   {"-12x", -12}};
  for (const auto& [text, value] : saturated) EXPECT_EQ(TextToInt(text), value) << text;
}

TEST(FixDecimalSeparator, NormalisesAndCuts) {
  const std::tuple<const char*, const char*, double> cases[] = {{"12.5abc", "12.5", 12.5},
                                                                {"12,5", "12.5", 12.5},
                                                                {"-3,5", "-3.5", -3.5},
                                                                {"abc", "", 0},
                                                                {"7", "7", 7},
                                                                {"2.54 cm", "2.54", 2.54}};
  for (const auto& [in, out, value] : cases) {
    std::string text = in;
    FixDecimalSeparator(text);
    EXPECT_EQ(text, out) << in;
    EXPECT_DOUBLE_EQ(TextToDouble(text), value) << in;
  }
}

}  // namespace
