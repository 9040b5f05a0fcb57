#include "urban/kernels/BitRows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "binary/kernels/ValueBits.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kWordBits = 64;
constexpr std::uint8_t kItem = 1;
constexpr std::uint8_t kBackground = 255;

// The eight pixels of each byte of bits: 1 where the bit is set, 255 elsewhere.
std::array<std::uint64_t, 256> MakeByteSpread() {
  std::array<std::uint64_t, 256> spread{};
  for (int b = 0; b < 256; ++b) {
    std::uint8_t pixels[8];
    for (int k = 0; k < 8; ++k) pixels[k] = (b >> k) & 1 ? kItem : kBackground;
    std::memcpy(&spread[static_cast<std::size_t>(b)], pixels, sizeof pixels);
  }
  return spread;
}

// Examined pixels of a row outside the value: the only ones an erosion pass starts from.
inline std::uint64_t OpenExamined(const std::uint64_t* row, const std::uint64_t* mask, int w) {
  return mask ? mask[w] & ~row[w] : 0;
}

// Writes lines first .. last of `to` from `from` (lines first - 1 .. last + 1 are read).
void PassLines(BitPass pass, const ExaminedRegion& region, const BitRows& from, BitRows& to, int first,
               int last) {
  const int words = from.Words();
  std::vector<std::uint64_t> open[3];  // the erosion's open pixels of the three rows, shifted in place
  for (auto& row : open) row.resize(static_cast<std::size_t>(words));
  for (int i = first; i <= last; ++i) {
    const std::uint64_t* up = from.Row(i - 1);
    const std::uint64_t* mid = from.Row(i);
    const std::uint64_t* down = from.Row(i + 1);
    std::uint64_t* out = to.Row(i);
    const std::uint64_t* mask = region.Mask(i);
    switch (pass) {
      case BitPass::Dilate4:
        for (int w = 0; w < words; ++w) {
          const std::uint64_t touch = up[w] | down[w] | FromLeft(mid, w) | FromRight(mid, w, words);
          out[w] = mid[w] | (mask ? mask[w] & touch : 0);
        }
        break;
      case BitPass::Dilate8: {
        for (int w = 0; w < words; ++w) open[0][static_cast<std::size_t>(w)] = up[w] | mid[w] | down[w];
        const std::uint64_t* column = open[0].data();
        for (int w = 0; w < words; ++w) {
          const std::uint64_t touch = column[w] | FromLeft(column, w) | FromRight(column, w, words);
          out[w] = mid[w] | (mask ? mask[w] & touch : 0);
        }
        break;
      }
      case BitPass::Erode4:
      case BitPass::Erode8: {
        const std::uint64_t* masks[3] = {region.Mask(i - 1), mask, region.Mask(i + 1)};
        const std::uint64_t* rows[3] = {up, mid, down};
        for (int r = 0; r < 3; ++r)
          for (int w = 0; w < words; ++w)
            open[r][static_cast<std::size_t>(w)] = OpenExamined(rows[r], masks[r], w);
        const std::uint64_t* a = open[0].data();
        const std::uint64_t* b = open[1].data();
        const std::uint64_t* c = open[2].data();
        if (pass == BitPass::Erode4) {
          for (int w = 0; w < words; ++w)
            out[w] = mid[w] & ~(a[w] | c[w] | FromLeft(b, w) | FromRight(b, w, words));
        } else {
          for (int w = 0; w < words; ++w) open[0][static_cast<std::size_t>(w)] = a[w] | b[w] | c[w];
          const std::uint64_t* column = open[0].data();
          for (int w = 0; w < words; ++w)
            out[w] = mid[w] & ~(column[w] | FromLeft(column, w) | FromRight(column, w, words));
        }
        break;
      }
    }
  }
}

}  // namespace

BitRows::BitRows(int columns, int lines) {
  if (columns <= 0 || lines <= 0) return;
  columns_ = columns;
  lines_ = lines;
  words_ = (columns + kWordBits - 1) / kWordBits;
  bits_.assign(static_cast<std::size_t>(words_) * lines, 0);
}

BitRows PackValue(const BytePlane& plane, int value) {
  BitRows bits(plane.Columns(), plane.Lines());
  if (value < 0 || value > 255 || plane.Empty()) return bits;
  const int columns = plane.Columns();
  parallel::For(plane.Lines(), parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i)
      value_bits::PackEqualBits(plane[i], columns, static_cast<std::uint8_t>(value), bits.Row(i));
  });
  return bits;
}

void UnpackItems(const BitRows& bits, BytePlane& plane) {
  static const std::array<std::uint64_t, 256> spread = MakeByteSpread();
  const int columns = plane.Columns();
  if (plane.Empty() || bits.Columns() != columns || bits.Lines() != plane.Lines()) return;
  parallel::For(plane.Lines(), parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint64_t* row = bits.Row(i);
      std::uint8_t* out = plane[i];
      int j = 0;
      for (; j + 8 <= columns; j += 8) {
        const auto byte = static_cast<std::uint8_t>(row[j / kWordBits] >> (j % kWordBits));
        std::memcpy(out + j, &spread[byte], 8);
      }
      for (; j < columns; ++j) out[j] = (row[j / kWordBits] >> (j % kWordBits)) & 1 ? kItem : kBackground;
    }
  });
}

std::vector<std::uint64_t> ColumnSpan(int columns, int first, int last) {
  std::vector<std::uint64_t> span(static_cast<std::size_t>((columns + kWordBits - 1) / kWordBits), 0);
  for (int j = std::max(first, 0); j <= last && j < columns; ++j)
    span[static_cast<std::size_t>(j / kWordBits)] |= std::uint64_t{1} << (j % kWordBits);
  return span;
}

void RunBitPass(BitPass pass, const ExaminedRegion& region, BitRows& bits, BitRows& other, int first,
                int last) {
  if (last < first) return;
  parallel::For(last - first + 1, parallel::RowGrain(bits.Columns()), [&](std::int64_t a, std::int64_t b) {
    PassLines(pass, region, bits, other, first + static_cast<int>(a), first + static_cast<int>(b) - 1);
  });
  std::swap(bits, other);
}
