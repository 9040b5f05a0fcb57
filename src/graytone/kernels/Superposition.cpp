#include "graytone/kernels/Superposition.h"

#include <algorithm>
#include <array>

#include "graytone/kernels/ColourImage.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kBackground = 254;  // mask values above it are the background
constexpr int kWhite = 255;

using Table = std::array<std::uint8_t, 256>;

bool SameSize(const BytePlane& a, const BytePlane& b) {
  return !a.Empty() && a.Lines() == b.Lines() && a.Columns() == b.Columns();
}

// trunc(min(gray x (1 - alpha) + overlay x alpha, 255)) for every gray.
Table BlendTable(int overlay, double alpha) {
  Table table{};
  for (int g = 0; g < 256; ++g) {
    const double v = g * (1 - alpha) + overlay * alpha;
    table[g] = static_cast<std::uint8_t>(std::min(v, 255.0));
  }
  return table;
}

// Runs rowBody(i, base row, mask row, out row) over the lines, a chunk of rows at a time.
template <class RowBody>
void ForRows(const BytePlane& base, const BytePlane& mask, BytePlane& bgr, RowBody rowBody) {
  parallel::For(base.Lines(), parallel::RowGrain(base.Columns()), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) rowBody(i, base[i], mask[i], bgr[i]);
  });
}

}  // namespace

bool SuperposeSingle(const BytePlane& base, const BytePlane& mask, int value, Rgb colour, BytePlane& bgr) {
  if (!SameSize(base, mask) || !FitColourImage(bgr, base.Columns(), base.Lines())) return false;
  const int columns = base.Columns();
  ForRows(base, mask, bgr, [&](int, const std::uint8_t* gray, const std::uint8_t* item, std::uint8_t* out) {
    for (int j = 0; j < columns; ++j) {
      const std::uint8_t g = gray[j] == 0 ? 1 : gray[j];
      const bool on = item[j] == value;
      out[3 * j] = on ? colour.blue : g;
      out[3 * j + 1] = on ? colour.green : g;
      out[3 * j + 2] = on ? colour.red : g;
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
  // Every blend is a function of the gray alone once the overlay is known: four tables.
  const Table blue = BlendTable(params.Colour.blue, alpha);
  const Table green = BlendTable(params.Colour.green, alpha);
  const Table red = BlendTable(params.Colour.red, alpha);
  const Table white = BlendTable(kWhite, alpha);
  const int columns = base.Columns();
  const int value = params.Value;
  const bool local = params.Local;
  ForRows(base, mask, bgr, [&](int i, const std::uint8_t* gray, const std::uint8_t* item, std::uint8_t* out) {
    const std::uint8_t* first = local ? original[i] : nullptr;
    for (int j = 0; j < columns; ++j) {
      const std::uint8_t g = gray[j];
      std::uint8_t b, gr, r;
      if (local && item[j] > kBackground) {
        b = gr = r = first[j];
      } else if (item[j] == value) {
        b = blue[g];
        gr = green[g];
        r = red[g];
      } else {
        b = gr = r = white[g];
      }
      out[3 * j] = b;
      out[3 * j + 1] = gr;
      out[3 * j + 2] = r;
    }
  });
  return true;
}
