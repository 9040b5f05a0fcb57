#include "binary/kernels/Binarize.h"

#include <algorithm>
#include <vector>

namespace {

// The output loops write 255 - 254 x mask, which is an item exactly when the mask is 1.
static_assert(kBackgroundPixel - 254 == kItemPixel);

// Below this many pixels one core does it: waking the team would cost more than it saves.
constexpr std::int64_t kParallelPixels = std::int64_t{1} << 16;

// Marks row i of the thresholded image (frame excluded) into mask: 1 item, 0 not.
void ThresholdRow(const BytePlane& source, int i, int lo, int hi, int border, std::uint8_t* mask) {
  const int columns = source.Columns();
  std::fill(mask, mask + columns, 0);
  if (i < border || i >= source.Lines() - border || lo > hi) return;
  const std::uint8_t* row = source[i];
  const unsigned span = static_cast<unsigned>(hi - lo);
  for (int j = border; j < columns - border; ++j) {
    mask[j] = static_cast<unsigned>(row[j] - lo) <= span ? 1 : 0;
  }
}

}  // namespace

BinarizeResult Binarize(const BytePlane& source, const BinarizeParams& params) {
  BinarizeResult result;
  const int lines = source.Lines();
  const int columns = source.Columns();
  if (source.Empty()) return result;
  result.Binary = BytePlane(columns, lines);

  const int lo = std::max(params.MinValue, 0);
  const int hi = std::min(params.MaxValue, 255);
  const int border = std::max(params.Border, 0);
  const bool removeIsolated = !params.KeepIsolated;
  std::int64_t items = 0;

  // Every output pixel is a function of the source's 3 x 3 block (an isolated pixel's removal never
  // changes another pixel's neighbourhood), so the rows are independent and the order is irrelevant.
#pragma omp parallel reduction(+ : items) if (static_cast <std::int64_t>(lines) * columns > kParallelPixels)
  {
    std::vector<std::uint8_t> above(columns), centre(columns), below(columns);
    int previous = -2;
#pragma omp for schedule(static)
    for (int i = 0; i < lines; ++i) {
      if (i == previous + 1) {
        std::swap(above, centre);
        std::swap(centre, below);
      } else {
        if (i > 0) ThresholdRow(source, i - 1, lo, hi, border, above.data());
        ThresholdRow(source, i, lo, hi, border, centre.data());
      }
      if (i + 1 < lines) {
        ThresholdRow(source, i + 1, lo, hi, border, below.data());
      } else {
        std::fill(below.begin(), below.end(), 0);
      }
      previous = i;

      std::uint8_t* out = result.Binary[i];
      const std::uint8_t* m = centre.data();
      const std::uint8_t* up = above.data();
      const std::uint8_t* down = below.data();
      std::int64_t rowItems = 0;
      // Branch-free so that the loops vectorize: masks are 0 or 1, and 255 - 254 x 1 = 1.
      if (removeIsolated && i >= 1 && i <= lines - 2 && columns >= 3) {
        out[0] = static_cast<std::uint8_t>(255 - 254 * m[0]);
        out[columns - 1] = static_cast<std::uint8_t>(255 - 254 * m[columns - 1]);
        rowItems += m[0] + m[columns - 1];
        for (int j = 1; j <= columns - 2; ++j) {
          const std::uint8_t neighbours =
              up[j - 1] | up[j] | up[j + 1] | m[j - 1] | m[j + 1] | down[j - 1] | down[j] | down[j + 1];
          const std::uint8_t keep = m[j] & neighbours;
          out[j] = static_cast<std::uint8_t>(255 - 254 * keep);
          rowItems += keep;
        }
      } else {
        for (int j = 0; j < columns; ++j) {
          out[j] = static_cast<std::uint8_t>(255 - 254 * m[j]);
          rowItems += m[j];
        }
      }
      items += rowItems;
    }
  }

  const double total = static_cast<double>(lines) * static_cast<double>(columns);
  result.ItemPixels = items;
  result.BackgroundPixels = static_cast<std::int64_t>(lines) * columns - items;
  result.ItemPercentage = 100.0 * static_cast<double>(items) / total;
  result.BackgroundPercentage = 100.0 * static_cast<double>(result.BackgroundPixels) / total;
  return result;
}
