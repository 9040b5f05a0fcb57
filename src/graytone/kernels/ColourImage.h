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

// A pixel as one word: blue | green << 8 | red << 16 (the top byte stays 0).
inline std::uint32_t BgrWord(std::uint32_t blue, std::uint32_t green, std::uint32_t red) {
  return blue | green << 8 | red << 16;
}
inline std::uint32_t GrayWord(std::uint32_t gray) {
  return gray | gray << 8 | gray << 16;
}

// Writes `count` pixels given as words into count x 3 bytes blue, green, red. The kernels make their
// words in loops the compiler can vectorize and leave the 3-byte layout to this one place.
void PackBgrRow(const std::uint32_t* words, int count, std::uint8_t* out);

// Makes `bgr` a colour image of lines x columns pixels unless it is one already (its old bytes then
// stay). False when a size is not positive or memory lacks.
bool FitColourImage(BytePlane& bgr, int columns, int lines);
