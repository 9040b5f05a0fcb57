#include "binary/kernels/Binarize.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "imaging/Parallel.h"

namespace {

// The output loops write 255 - 254 x mask, which is an item exactly when the mask is 1.
static_assert(kBackgroundPixel - 254 == kItemPixel);

// Marks row i of the thresholded image (frame excluded) into mask: 1 item, 0 not.
void ThresholdRow(const BytePlane& source, int i, int lo, int hi, int border, std::uint8_t* mask) {
  const int columns = source.Columns();
  std::fill(mask, mask + columns, 0);
  if (i < 0 || i >= source.Lines() || i < border || i >= source.Lines() - border || lo > hi) return;
  const std::uint8_t* row = source[i];
  const unsigned span = static_cast<unsigned>(hi - lo);
  for (int j = border; j < columns - border; ++j) {
    mask[j] = static_cast<unsigned>(row[j] - lo) <= span ? 1 : 0;
  }
}

// Writes row i of the output from the masks of rows i - 1, i, i + 1; returns its item pixels.
std::int64_t OutputRow(const std::uint8_t* up, const std::uint8_t* m, const std::uint8_t* down, int i,
                       int lines, int columns, bool removeIsolated, std::uint8_t* out) {
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
  return rowItems;
}

}  // namespace

BinarizeCounts BinarizeInto(const BytePlane& source, const BinarizeParams& params, BytePlane& binary) {
  BinarizeCounts counts;
  const int lines = source.Lines();
  const int columns = source.Columns();
  if (source.Empty()) {
    binary.Reset();
    return counts;
  }
  // Every cell is written below, so a plane of the right size is reused as it stands; the source
  // itself cannot be, since its rows are still read while others are written.
  BytePlane target;
  if (&binary != &source && binary.Columns() == columns && binary.Lines() == lines) {
    target = std::move(binary);
  } else {
    if (&binary != &source) binary.Reset();
    target = BytePlane(columns, lines, kForOverwrite);
  }

  const int lo = std::max(params.MinValue, 0);
  const int hi = std::min(params.MaxValue, 255);
  const int border = std::max(params.Border, 0);
  const bool removeIsolated = !params.KeepIsolated;

  // Every output pixel is a function of the source's 3 x 3 block (an isolated pixel's removal never
  // changes another pixel's neighbourhood), so the rows are independent and the order is irrelevant.
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<std::int64_t> chunkItems(static_cast<std::size_t>(parallel::ChunkCount(lines, grain)), 0);
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    std::vector<std::uint8_t> masks(3 * static_cast<std::size_t>(columns));
    std::uint8_t* above = masks.data();
    std::uint8_t* centre = above + columns;
    std::uint8_t* below = centre + columns;
    ThresholdRow(source, static_cast<int>(first) - 1, lo, hi, border, above);
    ThresholdRow(source, static_cast<int>(first), lo, hi, border, centre);
    std::int64_t items = 0;
    for (int i = static_cast<int>(first); i < last; ++i) {
      ThresholdRow(source, i + 1, lo, hi, border, below);
      items += OutputRow(above, centre, below, i, lines, columns, removeIsolated, target[i]);
      std::swap(above, centre);
      std::swap(centre, below);
    }
    chunkItems[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))] = items;
  });

  std::int64_t items = 0;
  for (const std::int64_t chunk : chunkItems) items += chunk;
  const double total = static_cast<double>(lines) * static_cast<double>(columns);
  counts.ItemPixels = items;
  counts.BackgroundPixels = static_cast<std::int64_t>(lines) * columns - items;
  counts.ItemPercentage = 100.0 * static_cast<double>(items) / total;
  counts.BackgroundPercentage = 100.0 * static_cast<double>(counts.BackgroundPixels) / total;
  binary = std::move(target);
  return counts;
}

BinarizeResult Binarize(const BytePlane& source, const BinarizeParams& params) {
  BinarizeResult result;
  static_cast<BinarizeCounts&>(result) = BinarizeInto(source, params, result.Binary);
  return result;
}
