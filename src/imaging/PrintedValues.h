#pragma once
// Real values as the reports and messages print them: never a negative zero ("-0.000000" for a
// slope of -3.7e-16 reads as 0), and "undefined" for a value that is not a number.
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
