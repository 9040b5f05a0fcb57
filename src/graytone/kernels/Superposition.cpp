#include "graytone/kernels/Superposition.h"

#include <algorithm>
#include <array>
#include <vector>

#include "graytone/kernels/ColourImage.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kBackground = 254;  // mask values above it are the background
constexpr int kWhite = 255;
constexpr int kOther = 0, kItem = 256;  // the two halves of the transparent word table

bool SameSize(const BytePlane& a, const BytePlane& b) {
  return !a.Empty() && a.Lines() == b.Lines() && a.Columns() == b.Columns();
}

// trunc(min(gray x (1 - alpha) + overlay x alpha, 255)) for every gray.
std::array<std::uint8_t, 256> BlendTable(int overlay, double alpha) {
  std::array<std::uint8_t, 256> table{};
  for (int g = 0; g < 256; ++g) {
    const double v = g * (1 - alpha) + overlay * alpha;
    table[g] = static_cast<std::uint8_t>(std::min(v, 255.0));
  }
  return table;
}

// Runs rowWords(i, words) for every line, each call filling the words of line i, which are then
// packed into the colour image; one row of words a chunk.
template <class RowWords>
void WriteRows(int lines, int columns, BytePlane& bgr, RowWords rowWords) {
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<std::uint32_t> words(static_cast<std::size_t>(parallel::ChunkCount(lines, grain)) * columns);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    std::uint32_t* row = words.data() + parallel::ChunkIndex(first, grain) * columns;
    for (int i = static_cast<int>(first); i < last; ++i) {
      rowWords(i, row);
      PackBgrRow(row, columns, bgr[i]);
    }
  });
}

}  // namespace

bool SuperposeSingle(const BytePlane& base, const BytePlane& mask, int value, Rgb colour, BytePlane& bgr) {
  if (!SameSize(base, mask) || !FitColourImage(bgr, base.Columns(), base.Lines())) return false;
  const int columns = base.Columns();
  const std::uint32_t colourWord = BgrWord(colour.blue, colour.green, colour.red);
  // A value outside the bytes matches no pixel.
  const bool possible = value >= 0 && value <= 255;
  const auto item = static_cast<std::uint8_t>(possible ? value : 0);
  WriteRows(base.Lines(), columns, bgr, [&](int i, std::uint32_t* words) {
    const std::uint8_t* gray = base[i];
    const std::uint8_t* values = mask[i];
    const int n = columns;
    const std::uint32_t on = colourWord;
    const bool any = possible;
    const std::uint8_t v = item;
    for (int j = 0; j < n; ++j) {
      std::uint32_t g = gray[j];
      g += g == 0 ? 1 : 0;
      words[j] = any && values[j] == v ? on : GrayWord(g);
    }
  });
  return true;
}

bool SuperposeTransparent(const BytePlane& base, const BytePlane& mask, const BytePlane& original,
                          const TransparentParams& params, BytePlane& bgr) {
  if (!SameSize(base, mask) || (params.Local && !SameSize(base, original)) ||
      !FitColourImage(bgr, base.Columns(), base.Lines()))
    return false;
  const double alpha = params.Alpha >= 0 ? std::min(params.Alpha, 1.0) : 0.0;
  // Every blend is a function of the gray alone once the overlay is known.
  const auto blue = BlendTable(params.Colour.blue, alpha);
  const auto green = BlendTable(params.Colour.green, alpha);
  const auto red = BlendTable(params.Colour.red, alpha);
  const auto white = BlendTable(kWhite, alpha);
  // One word per gray for the other pixels (0 .. 255) and for the value's pixels (256 .. 511).
  std::array<std::uint32_t, 2 * 256> table{};
  for (int g = 0; g < 256; ++g) {
    table[kOther + g] = GrayWord(white[g]);
    table[kItem + g] = BgrWord(blue[g], green[g], red[g]);
  }
  const int columns = base.Columns();
  const int value = params.Value;
  const bool local = params.Local;
  WriteRows(base.Lines(), columns, bgr, [&](int i, std::uint32_t* words) {
    const std::uint8_t* gray = base[i];
    const std::uint8_t* values = mask[i];
    const std::uint32_t* blends = table.data();
    const int n = columns, v = value;
    for (int j = 0; j < n; ++j) words[j] = blends[(values[j] == v ? kItem : kOther) + gray[j]];
    if (!local) return;
    // The background shows the original image instead (a loop of its own, which vectorizes).
    const std::uint8_t* shown = original[i];
    for (int j = 0; j < n; ++j) {
      const std::uint32_t keep = 0u - static_cast<std::uint32_t>(values[j] > kBackground);  // all ones or 0
      words[j] = (GrayWord(shown[j]) & keep) | (words[j] & ~keep);
    }
  });
  return true;
}
