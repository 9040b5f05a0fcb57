#include "sequence/kernels/MexicanHat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "imaging/HatFilter.h"
#include "imaging/Parallel.h"
#include "imaging/PixelLoop.h"

namespace {

VORN_PIXEL_LOOP void Rescale(const double* f, int count, double min, double spread, std::uint8_t* out) {
  for (int q = 0; q < count; ++q) out[q] = static_cast<std::uint8_t>((f[q] - min) / spread * 255.0);
}

}  // namespace

std::vector<double> MexicanHatKernel(int range, double sigma) {
  if (range < 0) return {};
  const int width = 2 * range + 1;
  std::vector<double> kernel(static_cast<std::size_t>(width) * width);
  for (int i = 0; i < width; ++i) {
    for (int j = 0; j < width; ++j) {
      const double d =
          (static_cast<double>(range - i) * (range - i) + static_cast<double>(range - j) * (range - j)) /
          (sigma * sigma);
      kernel[static_cast<std::size_t>(i) * width + j] = (2 - d) * std::exp(-0.5 * d);
    }
  }
  return kernel;
}

bool MakeMexicanHatImage(const BytePlane& source, int range, double sigma, BytePlane& image) {
  const int lines = source.Lines(), columns = source.Columns();
  if (image.Lines() != lines || image.Columns() != columns) image = BytePlane(columns, lines);
  const std::int64_t innerLines = static_cast<std::int64_t>(lines) - 2 * static_cast<std::int64_t>(range);
  const std::int64_t innerColumns = static_cast<std::int64_t>(columns) - 2 * static_cast<std::int64_t>(range);
  if (range < 0 || innerLines <= 0 || innerColumns <= 0) {
    image.Fill(0);
    return false;
  }
  const HatFilter filter(range, sigma);
  // Chunks of rows long enough that the 2R rows each one passes again stay a small part.
  const std::int64_t grain = std::max<std::int64_t>(parallel::RowGrain(columns), 8 * (2 * range + 1));

  // The filtered values are made twice, for the extremes and then for the image: recomputing
  // costs less than writing and reading a plane of doubles, and gives the same bits.
  std::vector<HatExtremes> extremes(static_cast<std::size_t>(parallel::ChunkCount(innerLines, grain)));
  parallel::For(innerLines, grain, [&](std::int64_t first, std::int64_t last) {
    HatExtremes local;
    filter.Filter(source, first, last, 0, static_cast<int>(innerColumns),
                  [&](std::int64_t, int, const double* f, int count) { local.Add(f, count); });
    extremes[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))] = local;
  });
  HatExtremes all;
  for (const HatExtremes& e : extremes) all.Add(e);
  const double spread = all.max - all.min;
  if (!(spread > 0) || !std::isfinite(spread)) {
    image.Fill(0);
    return false;
  }

  // The border of width R is 0; the inner pixels are written by the second pass.
  for (int i = 0; i < lines; ++i) {
    std::uint8_t* row = image[i];
    if (i < range || i >= lines - range) {
      std::fill(row, row + columns, 0);
    } else {
      std::fill(row, row + range, 0);
      std::fill(row + columns - range, row + columns, 0);
    }
  }
  parallel::For(innerLines, grain, [&](std::int64_t first, std::int64_t last) {
    filter.Filter(source, first, last, 0, static_cast<int>(innerColumns),
                  [&](std::int64_t p, int column, const double* f, int count) {
                    Rescale(f, count, all.min, spread, image[static_cast<int>(p + range)] + range + column);
                  });
  });
  return true;
}
