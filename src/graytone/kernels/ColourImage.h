#pragma once
// The interleaved colour image of the colour results (blue, green, red a pixel, 3 x columns bytes a
// row), and the colour value of the colour dialogs.
#include <cstdint>

#include "imaging/Image.h"
#include "imaging/Plane.h"

// A colour dialog's value: red in bits 0-7, green in bits 8-15, blue in bits 16-23.
inline Rgb RgbFromColourValue(std::uint32_t value) {
  return {static_cast<std::uint8_t>((value >> 16) & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
          static_cast<std::uint8_t>(value & 0xFF)};
}

// Makes `bgr` a colour image of lines x columns pixels unless it is one already (its old bytes then
// stay). False when a size is not positive or memory lacks.
bool FitColourImage(BytePlane& bgr, int columns, int lines);
