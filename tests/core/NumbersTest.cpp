#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "imaging/LeastSquares.h"
#include "imaging/TextNumbers.h"

TEST(LeastSquaresSlope, ExactLines) {
  const double x[] = {0, 1, 2};
  const double y[] = {0, 2, 4};
  EXPECT_DOUBLE_EQ(LeastSquaresSlope(x, y, 3), 2.0);
  const double down[] = {5, 3.5, 2};
  EXPECT_DOUBLE_EQ(LeastSquaresSlope(x, down, 3), -1.5);
}

TEST(LeastSquaresSlope, NoisyPointsMatchTheNormalEquations) {
  // Independent answer: slope = cov(x, y) / var(x), computed around the means.
  const std::vector<double> x = {1, 2, 3, 4, 5, 6};
  const std::vector<double> y = {2.1, 3.9, 6.2, 7.8, 10.1, 12.2};
  double mx = 0, my = 0;
  for (std::size_t k = 0; k < x.size(); ++k) mx += x[k] / x.size(), my += y[k] / y.size();
  double cov = 0, var = 0;
  for (std::size_t k = 0; k < x.size(); ++k)
    cov += (x[k] - mx) * (y[k] - my), var += (x[k] - mx) * (x[k] - mx);
  EXPECT_NEAR(LeastSquaresSlope(x.data(), y.data(), 6), cov / var, 1e-12);
}

TEST(LeastSquaresSlope, UndefinedWithoutTwoDistinctAbscissae) {
  const double x[] = {1, 1, 1};
  const double y[] = {1, 2, 3};
  EXPECT_TRUE(std::isnan(LeastSquaresSlope(x, y, 3)));  // no spread in x
  EXPECT_TRUE(std::isnan(LeastSquaresSlope(x, y, 1)));
  EXPECT_TRUE(std::isnan(LeastSquaresSlope(x, y, 0)));
  // Equal abscissae whose rounded sums leave a tiny positive denominator are still no spread.
  const double same[] = {0.3, 0.3, 0.3};
  EXPECT_TRUE(std::isnan(LeastSquaresSlope(same, y, 3)));
}

TEST(TextNumbers, EditTextsConvertLikeTheRuntime) {
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
}

TEST(TextNumbers, IntegersSaturateInsteadOfWrapping) {
  const std::pair<const char*, int> cases[] = {
      {"4294967297", INT_MAX},
      {"2147483648", INT_MAX},
      {"2147483647", INT_MAX},
      {"-2147483649", INT_MIN},
      {"-99999999999999999999", INT_MIN},
      {"-12x", -12},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToInt(text), value) << text;
}

TEST(FixDecimalSeparator, NormalisesAndCuts) {
  struct Case {
    const char* in;
    const char* out;
    double value;
  };
  const Case cases[] = {
      {"12.5abc", "12.5", 12.5},
      {"12,5", "12.5", 12.5},
      {"-3,5", "-3.5", -3.5},
      {"abc", "", 0},
      {"7", "7", 7},
      {"2.54 cm", "2.54", 2.54},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    FixDecimalSeparator(text);
    EXPECT_EQ(text, c.out) << c.in;
    EXPECT_DOUBLE_EQ(TextToDouble(text), c.value) << c.in;
  }
}
