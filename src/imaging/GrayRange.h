#pragma once
// The grays of a threshold range min .. max given as ints (clipped to the bytes), tested as one
// unsigned comparison: low <= v <= low + span.
#include <algorithm>
#include <cstdint>

struct GrayRange {
  std::uint8_t low = 0, span = 0;
  bool empty = true;  // min > max once clipped: no gray lies in it
  bool Contains(std::uint8_t v) const { return !empty && static_cast<std::uint8_t>(v - low) <= span; }
};

inline GrayRange MakeGrayRange(int minValue, int maxValue) {
  const int low = std::max(minValue, 0), high = std::min(maxValue, 255);
  if (low > high) return {};
  return {static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(high - low), false};
}
