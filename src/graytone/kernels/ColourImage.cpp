#include "graytone/kernels/ColourImage.h"

#include <bit>
#include <climits>
#include <cstring>

#include "imaging/Allocators.h"

bool FitColourImage(BytePlane& bgr, int columns, int lines) {
  if (columns <= 0 || lines <= 0 || columns > INT_MAX / 3) return false;
  if (bgr.Lines() == lines && bgr.Columns() == 3 * columns) return true;
  bgr = AllocByteMatrix(3 * columns, lines);
  return !bgr.Empty();
}

void PackBgrRow(const std::uint32_t* words, int count, std::uint8_t* out) {
  int j = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // Two pixels an 8-byte store: their 6 bytes, then 2 zero bytes the next store writes over. The
    // loop stops while a whole store still fits in the row.
    for (; j + 3 <= count; j += 2) {
      constexpr std::uint32_t kPixel = 0xFFFFFF;
      const std::uint64_t pair = std::uint64_t{words[j] & kPixel} | std::uint64_t{words[j + 1] & kPixel}
                                                                        << 24;
      std::memcpy(out + 3 * static_cast<std::size_t>(j), &pair, sizeof pair);
    }
  }
  for (; j < count; ++j) {
    std::uint8_t* p = out + 3 * static_cast<std::size_t>(j);
    p[0] = static_cast<std::uint8_t>(words[j]);
    p[1] = static_cast<std::uint8_t>(words[j] >> 8);
    p[2] = static_cast<std::uint8_t>(words[j] >> 16);
  }
}
