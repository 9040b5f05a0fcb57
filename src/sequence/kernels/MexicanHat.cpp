#include "sequence/kernels/MexicanHat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "imaging/Parallel.h"

// Per-pixel loops with no sum across pixels: every instruction set gives the same values, so the
// loops are also built for AVX2 where the processor has it.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VORN_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define VORN_PIXEL_LOOP
#endif

namespace {

// Columns handled together, so that the rows a tile touches stay in the first-level cache.
constexpr int kTile = 256;

// Taps of the two one-dimensional factors at distances 0 .. R from the centre (both are even).
struct Taps {
  std::vector<double> g, h;
};

Taps MakeTaps(int range, double sigma) {
  Taps taps;
  taps.g.assign(static_cast<std::size_t>(range) + 1, 0.0);
  taps.h.assign(static_cast<std::size_t>(range) + 1, 0.0);
  taps.g[0] = 1.0;
  for (int u = 1; u <= range; ++u) {
    const double t = u / sigma;
    const double q = t * t;
    const double g = std::exp(-0.5 * q);
    taps.g[u] = g;
    // Far out the Gaussian underflows first: the product is 0, not inf * 0.
    taps.h[u] = g == 0 ? 0.0 : q * g;
  }
  return taps;
}

// Source row `line`, columns of one tile plus R on each side, as doubles.
VORN_PIXEL_LOOP void LoadRow(const std::uint8_t* line, int count, double* out) {
  for (int q = 0; q < count; ++q) out[q] = line[q];
}

// Horizontal pass: G = sum g(u) x and H = sum h(u) x at `count` centres; `row` starts R before the first.
VORN_PIXEL_LOOP void RowPass(const double* row, int count, int range, const double* g, const double* h,
                             double* outG, double* outH) {
  const double* centre = row + range;
  for (int q = 0; q < count; ++q) {
    outG[q] = centre[q];
    outH[q] = 0.0;
  }
  for (int u = 1; u <= range; ++u) {
    const double gu = g[u], hu = h[u];
    for (int q = 0; q < count; ++q) {
      const double pair = centre[q - u] + centre[q + u];
      outG[q] += gu * pair;
      outH[q] += hu * pair;
    }
  }
}

// Vertical pass: F = sum (2 g(u) - h(u)) G - g(u) H over the rows u above and below the centre.
VORN_PIXEL_LOOP void ColumnPass(const double* const* rowsG, const double* const* rowsH, int count, int range,
                                const double* g, const double* h, double* out) {
  const double* g0 = rowsG[range];
  const double* h0 = rowsH[range];
  for (int q = 0; q < count; ++q) out[q] = 2.0 * g0[q] - h0[q];
  for (int u = 1; u <= range; ++u) {
    const double a = 2.0 * g[u] - h[u], b = g[u];
    const double *gUp = rowsG[range - u], *gDown = rowsG[range + u];
    const double *hUp = rowsH[range - u], *hDown = rowsH[range + u];
    for (int q = 0; q < count; ++q) out[q] += a * (gUp[q] + gDown[q]) - b * (hUp[q] + hDown[q]);
  }
}

VORN_PIXEL_LOOP void Rescale(const double* f, int count, double min, double spread, std::uint8_t* out) {
  for (int q = 0; q < count; ++q) out[q] = static_cast<std::uint8_t>((f[q] - min) / spread * 255.0);
}

struct Extremes {
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();
};

// Filters the inner rows [first, last) (counted from R), tile by tile, and gives each filtered
// piece to use(innerRow, innerColumn, values, count). Each tile keeps the row passes of its last
// 2R + 1 source rows in a ring.
template <class Use>
void FilterRows(const BytePlane& source, int range, const Taps& taps, std::int64_t first, std::int64_t last,
                Use use) {
  const int width = 2 * range + 1;
  const int innerC = source.Columns() - 2 * range;
  std::vector<double> row(static_cast<std::size_t>(kTile) + 2 * range);
  std::vector<double> ringG(static_cast<std::size_t>(width) * kTile), ringH(ringG.size()), out(kTile);
  std::vector<const double*> rowsG(static_cast<std::size_t>(width)), rowsH(rowsG.size());
  for (int column = 0; column < innerC; column += kTile) {
    const int count = std::min(kTile, innerC - column);
    auto pass = [&](std::int64_t sourceLine) {
      const std::size_t slot = static_cast<std::size_t>(sourceLine % width) * kTile;
      LoadRow(source[static_cast<int>(sourceLine)] + column, count + 2 * range, row.data());
      RowPass(row.data(), count, range, taps.g.data(), taps.h.data(), ringG.data() + slot,
              ringH.data() + slot);
    };
    // Inner row p is centred on source line p + R.
    for (std::int64_t line = first; line < first + 2 * range; ++line) pass(line);
    for (std::int64_t p = first; p < last; ++p) {
      pass(p + 2 * range);
      for (int u = 0; u < width; ++u) {
        const std::size_t slot = static_cast<std::size_t>((p + u) % width) * kTile;
        rowsG[u] = ringG.data() + slot;
        rowsH[u] = ringH.data() + slot;
      }
      ColumnPass(rowsG.data(), rowsH.data(), count, range, taps.g.data(), taps.h.data(), out.data());
      use(p, column, out.data(), count);
    }
  }
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
  const Taps taps = MakeTaps(range, sigma);
  // Chunks of rows long enough that the 2R rows each one passes again stay a small part.
  const std::int64_t grain = std::max<std::int64_t>(parallel::RowGrain(columns), 8 * (2 * range + 1));

  // The filtered values are made twice, for the extremes and then for the image: recomputing
  // costs less than writing and reading a plane of doubles, and gives the same bits.
  std::vector<Extremes> extremes(static_cast<std::size_t>(parallel::ChunkCount(innerLines, grain)));
  parallel::For(innerLines, grain, [&](std::int64_t first, std::int64_t last) {
    Extremes local;
    FilterRows(source, range, taps, first, last, [&](std::int64_t, int, const double* f, int count) {
      for (int q = 0; q < count; ++q) {
        local.min = std::min(local.min, f[q]);
        local.max = std::max(local.max, f[q]);
      }
    });
    extremes[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))] = local;
  });
  Extremes all;
  for (const Extremes& e : extremes) {
    all.min = std::min(all.min, e.min);
    all.max = std::max(all.max, e.max);
  }
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
    FilterRows(source, range, taps, first, last, [&](std::int64_t p, int column, const double* f, int count) {
      Rescale(f, count, all.min, spread, image[static_cast<int>(p + range)] + range + column);
    });
  });
  return true;
}
