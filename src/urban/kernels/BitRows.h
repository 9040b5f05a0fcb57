#pragma once
// A binary plane packed 64 pixels a word, row after row: bit k of word w of a row is column 64w + k.
// The bits past the last column are 0 and stay 0.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

class BitRows {
 public:
  BitRows() = default;
  BitRows(int columns, int lines);

  int Lines() const { return lines_; }
  int Columns() const { return columns_; }
  int Words() const { return words_; }
  std::uint64_t* Row(int line) { return bits_.data() + static_cast<std::size_t>(line) * words_; }
  const std::uint64_t* Row(int line) const { return bits_.data() + static_cast<std::size_t>(line) * words_; }

 private:
  int columns_ = 0, lines_ = 0, words_ = 0;
  std::vector<std::uint64_t> bits_;
};

// Bits of the pixels of `plane` equal to `value` (none for a value outside 0 .. 255).
BitRows PackValue(const BytePlane& plane, int value);
// `plane` (of the same size) := 1 on the set bits, 255 elsewhere.
void UnpackItems(const BitRows& bits, BytePlane& plane);
// Bits of columns first .. last of a row (none when first > last).
std::vector<std::uint64_t> ColumnSpan(int columns, int first, int last);

// One pass of dilation or erosion with the 4 or the 8 neighbours, over an examined region: a dilation
// pass adds every examined pixel that touches a set pixel; an erosion pass clears every set pixel that
// touches an examined pixel that is not set. Both judge on the plane as it stood before the pass.
enum class BitPass { Dilate4, Dilate8, Erode4, Erode8 };

struct ExaminedRegion {
  int first = 0, last = -1;            // examined lines
  std::vector<std::uint64_t> columns;  // examined columns, as a row of bits
  const std::uint64_t* Mask(int line) const {
    return line >= first && line <= last ? columns.data() : nullptr;
  }
};

// Writes lines first .. last of `to` from `from`, on every core, then swaps the two: `bits` holds the
// result and `other` the plane before the pass. Lines first - 1 .. last + 1 must exist; the pass must
// change no line outside first .. last, where the two buffers must be equal.
void RunBitPass(BitPass pass, const ExaminedRegion& region, BitRows& bits, BitRows& other, int first,
                int last);

// Word w of a row seen one column over: bit j of FromLeft is bit j - 1 of the row, bit j of FromRight
// is bit j + 1 (0 past either end).
inline std::uint64_t FromLeft(const std::uint64_t* row, int w) {
  return (row[w] << 1) | (w > 0 ? row[w - 1] >> 63 : 0);
}
inline std::uint64_t FromRight(const std::uint64_t* row, int w, int words) {
  return (row[w] >> 1) | (w + 1 < words ? row[w + 1] << 63 : 0);
}
