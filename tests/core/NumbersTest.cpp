#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "imaging/LeastSquares.h"
#include "imaging/TextNumbers.h"

namespace {

TEST(LeastSquaresSlope, HandWorkedSlopesAndNoneWithoutSpreadInX) {
  struct Case {
    std::vector<double> x, y;
    double slope;  // NaN: undefined
  };
  const double none = std::nan("");
  // Sxy 35.35 over Sxx 17.5 for the noisy points. Equal abscissae whose rounded sums leave a tiny
  // positive denominator are still no spread.
  const Case cases[] = {{{0, 1, 2}, {0, 2, 4}, 2.0},
                        {{0, 1, 2}, {5, 3.5, 2}, -1.5},
                        {{1, 2, 3, 4, 5, 6}, {2.1, 3.9, 6.2, 7.8, 10.1, 12.2}, 2.02},
                        {{1, 1, 1}, {1, 2, 3}, none},
                        {{1}, {1}, none},
                        {{}, {}, none},
                        {{0.3, 0.3, 0.3}, {1, 2, 3}, none}};
  for (const Case& c : cases) {
    const double slope = LeastSquaresSlope(c.x.data(), c.y.data(), static_cast<int>(c.x.size()));
    EXPECT_TRUE(std::isnan(c.slope) ? std::isnan(slope) : std::abs(slope - c.slope) < 1e-12)
        << slope << " from " << c.x.size() << " points";
  }
}

TEST(TextNumbers, EditTextsConvertLikeTheRuntimeAndIntegersSaturate) {
  struct Case {
    const char* text;
    long asLong;
    double asDouble;
  };
  const Case cases[] = {
      {"12a", 12, 12}, {"", 0, 0},          {"abc", 0, 0},       {"  42", 42, 42}, {"-7", -7, -7},
      {"+5", 5, 5},    {"12.5x", 12, 12.5}, {"-0.25", 0, -0.25}, {"1e2", 1, 100},  {"3 4", 3, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToLong(c.text), c.asLong) << c.text;
    EXPECT_DOUBLE_EQ(TextToDouble(c.text), c.asDouble) << c.text;
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
  struct Case {
    const char *in, *out;
    double value;
  };
  const Case cases[] = {{"12.5abc", "12.5", 12.5},
                        {"12,5", "12.5", 12.5},
                        {"-3,5", "-3.5", -3.5},
                        {"abc", "", 0},
                        {"7", "7", 7},
                        {"2.54 cm", "2.54", 2.54}};
  for (const Case& c : cases) {
    std::string text = c.in;
    FixDecimalSeparator(text);
    EXPECT_EQ(text, c.out) << c.in;
    EXPECT_DOUBLE_EQ(TextToDouble(text), c.value) << c.in;
  }
}

}  // namespace
