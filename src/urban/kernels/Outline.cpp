#include "urban/kernels/Outline.h"

#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "imaging/Parallel.h"

namespace {

constexpr std::uint8_t kOutside = 2;
// Lines and columns on each side that never hold a pixel of the value.
constexpr int kFrame = 2;

// The neighbour sums of the corner pixels pruned (NW 1, N 2, NE 4, E 8, SE 16, S 32, SW 64, W 128).
constexpr std::array<bool, 256> CornerSums() {
  std::array<bool, 256> corner{};
  for (int sum : {10, 40, 160, 130, 104, 44, 161, 176}) corner[sum] = true;
  return corner;
}
constexpr std::array<bool, 256> kCorner = CornerSums();

bool IsCorner(const BytePlane& plane, int i, int j) {
  const std::uint8_t* above = plane[i - 1];
  const std::uint8_t* row = plane[i];
  const std::uint8_t* below = plane[i + 1];
  const int sum = (above[j - 1] == kOutlinePixel) * 1 + (above[j] == kOutlinePixel) * 2 +
                  (above[j + 1] == kOutlinePixel) * 4 + (row[j + 1] == kOutlinePixel) * 8 +
                  (below[j + 1] == kOutlinePixel) * 16 + (below[j] == kOutlinePixel) * 32 +
                  (below[j - 1] == kOutlinePixel) * 64 + (row[j - 1] == kOutlinePixel) * 128;
  return kCorner[sum];
}

// Outline pixels (1) where `in` holds `value`, background (255) elsewhere. Branch-free on unaliased
// lines, so that a line is done many pixels at a time.
void MarkValue(const std::uint8_t* __restrict in, std::uint8_t value, std::uint8_t* __restrict out,
               int columns) {
  for (int j = 0; j < columns; ++j)
    out[j] = static_cast<std::uint8_t>(kOutlineBackground -
                                       (kOutlineBackground - kOutlinePixel) * (in[j] == value));
}

// Background bytes (255) found eight at a time: a word of eight bytes and the bytes of it that are
// background.
constexpr std::uint64_t kLowBits = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

std::uint64_t Word(const std::uint8_t* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// The high bit of each byte of `word` that is 0; exact for the lowest such byte, which is all the
// callers use.
std::uint64_t ZeroBytes(std::uint64_t word) {
  return (word - kLowBits) & ~word & kHighBits;
}

// The first column c in [from, to] whose byte is (or, with want false, is not) background; to + 1
// when there is none.
int NextColumn(const std::uint8_t* row, int from, int to, bool want) {
  auto hitsOf = [want](std::uint64_t word) {
    const std::uint64_t inverted = ~word;  // background bytes are 0 here
    return want ? ZeroBytes(inverted) : inverted;
  };
  int c = from;
  // Long runs are skipped 32 bytes at a time.
  for (; c + 32 <= to + 1; c += 32) {
    if ((hitsOf(Word(row + c)) | hitsOf(Word(row + c + 8)) | hitsOf(Word(row + c + 16)) |
         hitsOf(Word(row + c + 24))) != 0)
      break;
  }
  for (; c + 8 <= to + 1; c += 8)
    if (const std::uint64_t hits = hitsOf(Word(row + c)); hits != 0) return c + std::countr_zero(hits) / 8;
  for (; c <= to; ++c)
    if ((row[c] == kOutlineBackground) == want) return c;
  return to + 1;
}

// The last column c in [to, from] (going left) whose byte is not background; to - 1 when there is none.
int PreviousForeground(const std::uint8_t* row, int from, int to) {
  int c = from;
  for (; c - 7 >= to; c -= 8) {
    const std::uint64_t inverted = ~Word(row + c - 7);
    if (inverted != 0) return c - 7 + (63 - std::countl_zero(inverted)) / 8;
  }
  for (; c >= to; --c)
    if (row[c] != kOutlineBackground) return c;
  return to - 1;
}

// Fills with 2 the background (255) 4-connected to the corner pixel (0, 0), which is background:
// the outside. Runs are found and written many bytes at a time.
void FillOutside(BytePlane& mask) {
  const int lines = mask.Lines(), columns = mask.Columns();
  if (lines == 0 || mask[0][0] != kOutlineBackground) return;
  std::vector<std::array<int, 2>> seeds = {{0, 0}};
  while (!seeds.empty()) {
    const auto [y, x] = seeds.back();
    seeds.pop_back();
    std::uint8_t* row = mask[y];
    if (row[x] != kOutlineBackground) continue;  // filled since it was seeded
    const int left = PreviousForeground(row, x, 0) + 1;
    const int right = NextColumn(row, x, columns - 1, false) - 1;
    std::memset(row + left, kOutside, static_cast<std::size_t>(right - left + 1));
    // One seed for each background run of the lines above and below that touches the span.
    for (int next : {y - 1, y + 1}) {
      if (next < 0 || next >= lines) continue;
      const std::uint8_t* other = mask[next];
      for (int c = NextColumn(other, left, right, true); c <= right;
           c = NextColumn(other, NextColumn(other, c, right, false), right, true))
        seeds.push_back({next, c});
    }
  }
}

// 1 on the pixels of the value (none in the frame), 2 on the background reached from the corner,
// 255 on the rest (the holes).
BytePlane ExtractionMask(const BytePlane& image, int value) {
  const int lines = image.Lines(), columns = image.Columns();
  BytePlane mask(columns, lines);
  const bool isByte = value >= 0 && value <= 255;
  const auto target = static_cast<std::uint8_t>(isByte ? value : 0);
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* out = mask[i];
      if (!isByte || i < kFrame || i >= lines - kFrame) {
        std::memset(out, kOutlineBackground, static_cast<std::size_t>(columns));
        continue;
      }
      MarkValue(image[i], target, out, columns);
      for (int j = 0; j < kFrame && j < columns; ++j) out[j] = out[columns - 1 - j] = kOutlineBackground;
    }
  });
  FillOutside(mask);
  return mask;
}

}  // namespace

void PruneCorners(BytePlane& outline, const std::vector<std::array<int, 2>>& pixels) {
  for (const auto& [i, j] : pixels)
    if (outline[i][j] == kOutlinePixel && IsCorner(outline, i, j)) outline[i][j] = kOutlineBackground;
}

void OutlineRow(const std::uint8_t* __restrict above, const std::uint8_t* __restrict row,
                const std::uint8_t* __restrict below, std::uint8_t outside, std::uint8_t* __restrict out,
                int columns) {
  // Branch-free, so that a line is done many pixels at a time.
  for (int j = 1; j < columns - 1; ++j) {
    const int touches =
        (above[j] == outside) | (below[j] == outside) | (row[j - 1] == outside) | (row[j + 1] == outside);
    out[j] = static_cast<std::uint8_t>(kOutlineBackground - (kOutlineBackground - kOutlinePixel) *
                                                                ((row[j] == kOutlinePixel) & touches));
  }
}

void ListOutlinePixels(const std::uint8_t* row, int line, int columns,
                       std::vector<std::array<int, 2>>& pixels) {
  constexpr std::uint64_t kAllBackground = ~std::uint64_t{0};
  static_assert(kOutlineBackground == 0xFF);
  int j = 0;
  for (; j + 8 <= columns; j += 8) {
    if (Word(row + j) == kAllBackground) continue;
    for (int k = j; k < j + 8; ++k)
      if (row[k] == kOutlinePixel) pixels.push_back({line, k});
  }
  for (; j < columns; ++j)
    if (row[j] == kOutlinePixel) pixels.push_back({line, j});
}

void PruneCorners(BytePlane& outline) {
  const int columns = outline.Columns();
  std::vector<std::array<int, 2>> pixels;
  for (int i = 1; i < outline.Lines() - 1; ++i) {
    // The line's pixels listed before any of them goes: a removal only clears pixels.
    pixels.clear();
    ListOutlinePixels(outline[i], i, columns, pixels);
    for (const auto& [line, j] : pixels)
      if (j >= 1 && j <= columns - 2 && outline[i][j] == kOutlinePixel && IsCorner(outline, i, j))
        outline[i][j] = kOutlineBackground;
  }
}

BytePlane ExtractPerimeter(const BytePlane& image, int value) {
  const int lines = image.Lines(), columns = image.Columns();
  BytePlane plane = ExtractionMask(image, value);
  if (plane.Empty()) return plane;
  // Made in place, line after line: each chunk of lines keeps the mask lines it still reads (its
  // current line, and the lines just outside it, which the neighbouring chunks overwrite).
  const std::int64_t grain = parallel::RowGrain(columns);
  const std::int64_t chunks = parallel::ChunkCount(lines, grain);
  const auto width = static_cast<std::size_t>(columns);
  std::vector<std::uint8_t> edges(static_cast<std::size_t>(chunks) * 2 * width, kOutlineBackground);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    std::uint8_t* kept =
        edges.data() + static_cast<std::size_t>(parallel::ChunkIndex(first, grain)) * 2 * width;
    if (first > 0) std::memcpy(kept, plane[static_cast<int>(first) - 1], width);
    if (last < lines) std::memcpy(kept + width, plane[static_cast<int>(last)], width);
  });
  std::vector<std::vector<std::array<int, 2>>> found(static_cast<std::size_t>(chunks));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    const std::size_t chunk = static_cast<std::size_t>(parallel::ChunkIndex(first, grain));
    const std::uint8_t* kept = edges.data() + chunk * 2 * width;
    std::vector<std::uint8_t> above(kept, kept + width), current(width);
    for (int i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* out = plane[i];
      std::memcpy(current.data(), out, width);
      if (i < 1 || i > lines - 2) {
        std::memset(out, kOutlineBackground, width);
      } else {
        // Hole borders touch background that is not the outside: they give nothing.
        OutlineRow(above.data(), current.data(), i + 1 < last ? plane[i + 1] : kept + width, kOutside, out,
                   columns);
        out[0] = out[columns - 1] = kOutlineBackground;
        ListOutlinePixels(out, i, columns, found[chunk]);
      }
      std::swap(above, current);
    }
  });
  std::vector<std::array<int, 2>> pixels;
  for (const auto& part : found) pixels.insert(pixels.end(), part.begin(), part.end());
  PruneCorners(plane, pixels);
  return plane;
}

BytePlane ExtractHoles(const BytePlane& image, int value) {
  BytePlane plane = ExtractionMask(image, value);
  const int columns = plane.Columns();
  parallel::For(plane.Lines(), parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* row = plane[i];
      for (int j = 0; j < columns; ++j)
        row[j] = static_cast<std::uint8_t>(kOutlineBackground - (kOutlineBackground - kOutlinePixel) *
                                                                    (row[j] == kOutlineBackground));
    }
  });
  return plane;
}
