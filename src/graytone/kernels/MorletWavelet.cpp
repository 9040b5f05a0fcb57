#include "graytone/kernels/MorletWavelet.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>

#include "imaging/Parallel.h"

namespace {

constexpr int kTileColumns = 256;  // columns of pixels whose source is kept as doubles together
constexpr int kBlock = 32;         // pixels of a line summed side by side
constexpr int kMinGrain = 8;

struct Range {
  double min = 0, max = 0;
  bool any = false;
  void Add(double v) {
    if (!any || v < min) min = v;
    if (!any || v > max) max = v;
    any = true;
  }
};

// Four neighbouring pixels per vector: each lane keeps its own pixel's sum.
using Quad = double __attribute__((vector_size(32)));

// Sums kBlock neighbouring pixels at once, each in the window's order. A processor with wider vectors
// runs the same lane-wise operations (no fused multiply-add), so the sums do not change.
__attribute__((target_clones("avx2", "default"))) void SumBlock(const double* source, int stride,
                                                                const double* kernel, int w, double* out) {
  constexpr int kQuads = kBlock / 4;
  Quad sum[kQuads] = {};
  for (int r = 0; r < w; ++r) {
    const double* line = source + static_cast<std::size_t>(r) * stride;
    const double* k = kernel + static_cast<std::size_t>(r) * w;
    for (int c = 0; c < w; ++c) {
      const Quad weight = {k[c], k[c], k[c], k[c]};
      for (int b = 0; b < kQuads; ++b) {
        Quad x;
        std::memcpy(&x, line + c + 4 * b, sizeof x);
        sum[b] += x * weight;
      }
    }
  }
  std::memcpy(out, sum, sizeof sum);
}

void SumOne(const double* source, int stride, const double* kernel, int w, double* out) {
  double sum = 0;
  for (int r = 0; r < w; ++r) {
    const double* line = source + static_cast<std::size_t>(r) * stride;
    const double* k = kernel + static_cast<std::size_t>(r) * w;
    for (int c = 0; c < w; ++c) sum += line[c] * k[c];
  }
  *out = sum;
}

}  // namespace

std::vector<double> MorletKernel(int h, double sigma) {
  const int w = 2 * h + 1;
  std::vector<double> kernel(static_cast<std::size_t>(w) * w);
  const double sigma2 = sigma * sigma;
  for (int r = 0; r < w; ++r)
    for (int c = 0; c < w; ++c) {
      const std::int64_t dr = h - r, dc = h - c;
      const double u = static_cast<double>(dr * dr + dc * dc) / sigma2;
      kernel[static_cast<std::size_t>(r) * w + c] = (2 - u) * std::exp(-0.5 * u);
    }
  return kernel;
}

bool MorletWindowFits(int columns, int lines, int h) {
  return h >= 1 && h <= (std::min(columns, lines) - 1) / 2;
}

bool MorletSigmaUsable(int h, double sigma) {
  const double sigma2 = sigma * sigma;
  if (!std::isfinite(sigma2) || sigma2 == 0) return false;
  // The farthest corner has the largest u: with it finite every value is a number.
  const double farthest = 2.0 * h * h / sigma2;
  return std::isfinite(farthest);
}

MorletResult MorletResponse(const BytePlane& source, int h, double sigma, DoublePlane& response,
                            const std::function<void(double)>& progress) {
  MorletResult result;
  const int lines = source.Lines(), columns = source.Columns();
  if (!MorletWindowFits(columns, lines, h) || !MorletSigmaUsable(h, sigma) || response.Lines() != lines ||
      response.Columns() != columns)
    return result;
  const int w = 2 * h + 1;
  const std::vector<double> kernel = MorletKernel(h, sigma);
  const int computedLines = lines - 2 * h;
  const std::int64_t grain =
      std::max<std::int64_t>(parallel::RowGrain(static_cast<std::int64_t>(columns) * w * w), kMinGrain);
  const std::int64_t chunks = parallel::ChunkCount(computedLines, grain);
  std::vector<Range> ranges(chunks);
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<std::int64_t> done{0};
  parallel::For(computedLines, grain, [&](std::int64_t first, std::int64_t last) {
    const int i0 = static_cast<int>(first) + h, i1 = static_cast<int>(last) + h;
    Range range;  // kept here, not in `ranges`: the chunks' entries share cache lines
    const int stride = kTileColumns + 2 * h;
    std::vector<double> tile(static_cast<std::size_t>(i1 - i0 + 2 * h) * stride);
    for (int j0 = h; j0 < columns - h; j0 += kTileColumns) {
      const int j1 = std::min(j0 + kTileColumns, columns - h);
      // The source under the tile's windows, as doubles.
      for (int r = i0 - h; r < i1 + h; ++r) {
        const std::uint8_t* in = source[r];
        double* line = tile.data() + static_cast<std::size_t>(r - (i0 - h)) * stride;
        for (int c = j0 - h; c < j1 + h; ++c) line[c - (j0 - h)] = in[c];
      }
      for (int i = i0; i < i1; ++i) {
        const double* top = tile.data() + static_cast<std::size_t>(i - i0) * stride;
        double* out = response[i];
        int j = j0;
        for (; j + kBlock <= j1; j += kBlock) SumBlock(top + (j - j0), stride, kernel.data(), w, out + j);
        for (; j < j1; ++j) SumOne(top + (j - j0), stride, kernel.data(), w, out + j);
        for (int jj = j0; jj < j1; ++jj) range.Add(out[jj]);
      }
    }
    ranges[parallel::ChunkIndex(first, grain)] = range;
    const std::int64_t finished = ++done;
    if (progress && std::this_thread::get_id() == caller)
      progress(static_cast<double>(finished) / static_cast<double>(chunks));
  });
  Range all;
  for (const Range& range : ranges) {
    if (!range.any) continue;
    all.Add(range.min);
    all.Add(range.max);
  }
  result.Computed = true;
  result.Min = all.min;
  result.Max = all.max;
  if (progress) progress(1.0);
  return result;
}

void MorletToGray(const DoublePlane& response, int h, double min, double max, BytePlane& gray) {
  const int lines = response.Lines(), columns = response.Columns();
  if (gray.Lines() != lines || gray.Columns() != columns) gray = BytePlane(columns, lines);
  const double range = max - min;
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* out = gray[i];
      std::fill(out, out + columns, std::uint8_t{0});
      if (i < h || i >= lines - h) continue;
      const double* v = response[i];
      for (int j = h; j < columns - h; ++j) {
        // Beyond the extremes (only when they are not the responses' own) the scale stops at its ends.
        // trunc((v - min) / range x 255): kept within 0 .. 255 first, then truncated by the conversion.
        const double scaled = range > 0 ? (v[j] - min) / range * 255 : 0;
        out[j] = static_cast<std::uint8_t>(static_cast<int>(std::clamp(scaled, 0.0, 255.0)));
      }
    }
  });
}
