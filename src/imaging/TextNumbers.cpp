#include "imaging/TextNumbers.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>

namespace {

std::size_t SkipBlanks(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

}  // namespace

long TextToLong(const std::string& text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    const int digit = text[i] - '0';
    if (value > (LONG_MAX - digit) / 10) return negative ? LONG_MIN : LONG_MAX;  // saturate like strtol
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

int TextToInt(const std::string& text) {
  const long value = TextToLong(text);
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

double TextToDouble(const std::string& text) {
  std::size_t i = SkipBlanks(text);
  if (i < text.size() && text[i] == '+') ++i;
  double value = 0;
  const char* first = text.data() + i;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end == first) return 0.0;
  return value;
}

void FixDecimalSeparator(std::string& text) {
  std::size_t kept = 0;
  for (char& c : text) {
    if (c == ',') c = '.';
    if (c != '.' && c != '-' && !std::isdigit(static_cast<unsigned char>(c))) break;
    ++kept;
  }
  text.resize(kept);
}
