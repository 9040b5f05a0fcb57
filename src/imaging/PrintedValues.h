#pragma once
// Real values as the reports and messages print them: never a negative zero ("-0.000000" for a
// slope of -3.7e-16 reads as 0), "undefined" for a value that is not a number, and the refusal of a
// parameter that would make a result that is not a printable number.
#include <cmath>
#include <cstdio>
#include <string>

// 0 when `value` printed with `decimals` decimals would read as a negative zero; else `value`.
inline double WithoutNegativeZero(double value, int decimals) {
  if (!std::signbit(value) || std::isnan(value)) return value;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, -value);
  for (const char* c = text; *c; ++c)
    if (*c >= '1' && *c <= '9') return value;
  return 0.0;
}

// printf of `format` (one real conversion with `decimals` decimals) with the value, or "undefined".
inline std::string PrintedValue(const char* format, double value, int decimals) {
  if (std::isnan(value)) return "undefined";
  char text[128];
  std::snprintf(text, sizeof text, format, WithoutNegativeZero(value, decimals));
  return text;
}

// The refusal of a real parameter with which a result would not be a number that can be printed
// (infinite, not a number, or beyond the integers of a file).
inline std::string OutOfRangeRefusal(const std::string& parameter) {
  return parameter + " out of range:\nthe results cannot be computed";
}
