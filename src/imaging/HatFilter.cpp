#include "imaging/HatFilter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/PixelLoop.h"

// The passes keep each pixel's own sums in vector lanes, in the order the one-pixel loops use.
namespace {

using Quad = double __attribute__((vector_size(32)));
constexpr int kQuads = 4;           // vectors of sums a block keeps in registers
constexpr int kBlock = 4 * kQuads;  // pixels a block sums side by side
constexpr int kAhead = 4;           // source lines read ahead

// Vectors are read and written through references: passed by value they would change the calling
// convention between the builds of the passes.
inline void Load(Quad& v, const double* p) {
  std::memcpy(&v, p, sizeof v);
}
inline void Store(double* p, const Quad& v) {
  std::memcpy(p, &v, sizeof v);
}

VORN_PIXEL_LOOP void LoadRow(const std::uint8_t* line, int count, double* out) {
  for (int q = 0; q < count; ++q) out[q] = line[q];
}

// Horizontal pass: G = sum g(u) x and H = sum h(u) x at `count` centres; `row` starts R before the first.
VORN_PIXEL_LOOP void RowPass(const double* row, int count, int range, const double* g, const double* h,
                             double* outG, double* outH) {
  const double* centre = row + range;
  int q = 0;
  for (; q + kBlock <= count; q += kBlock) {
    Quad sumG[kQuads], sumH[kQuads], left, right;
    for (int b = 0; b < kQuads; ++b) Load(sumG[b], centre + q + 4 * b), sumH[b] = Quad{};
    for (int u = 1; u <= range; ++u) {
      const double gu = g[u], hu = h[u];
      for (int b = 0; b < kQuads; ++b) {
        Load(left, centre + q + 4 * b - u), Load(right, centre + q + 4 * b + u);
        const Quad pair = left + right;
        sumG[b] += gu * pair;
        sumH[b] += hu * pair;
      }
    }
    for (int b = 0; b < kQuads; ++b) Store(outG + q + 4 * b, sumG[b]), Store(outH + q + 4 * b, sumH[b]);
  }
  for (; q < count; ++q) {
    double sumG = centre[q], sumH = 0.0;
    for (int u = 1; u <= range; ++u) {
      const double pair = centre[q - u] + centre[q + u];
      sumG += g[u] * pair;
      sumH += h[u] * pair;
    }
    outG[q] = sumG, outH[q] = sumH;
  }
}

// The row passes of the window's 2R + 1 source lines in a ring of slots `stride` apart: line u of
// the window (0 .. 2R) is in slot (top + u) mod (2R + 1).
struct Window {
  const double *g, *h;
  int stride, top, width;
  std::size_t At(int u) const {
    const int slot = top + u;
    return static_cast<std::size_t>(slot >= width ? slot - width : slot) * stride;
  }
};

// Vertical pass: F = sum (2 g(u) - h(u)) G - g(u) H over the lines u above and below the centre.
VORN_PIXEL_LOOP void ColumnPass(const Window& window, int count, int range, const double* g, const double* h,
                                double* out) {
  const double* g0 = window.g + window.At(range);
  const double* h0 = window.h + window.At(range);
  int q = 0;
  for (; q + kBlock <= count; q += kBlock) {
    Quad sum[kQuads], gUp, gDown, hUp, hDown;
    for (int b = 0; b < kQuads; ++b) {
      Load(gUp, g0 + q + 4 * b), Load(hUp, h0 + q + 4 * b);
      sum[b] = 2.0 * gUp - hUp;
    }
    for (int u = 1; u <= range; ++u) {
      const double a = 2.0 * g[u] - h[u], c = g[u];
      const std::size_t above = window.At(range - u) + q, below = window.At(range + u) + q;
      for (int b = 0; b < kQuads; ++b) {
        Load(gUp, window.g + above + 4 * b), Load(gDown, window.g + below + 4 * b);
        Load(hUp, window.h + above + 4 * b), Load(hDown, window.h + below + 4 * b);
        sum[b] += a * (gUp + gDown) - c * (hUp + hDown);
      }
    }
    for (int b = 0; b < kQuads; ++b) Store(out + q + 4 * b, sum[b]);
  }
  for (; q < count; ++q) {
    double sum = 2.0 * g0[q] - h0[q];
    for (int u = 1; u <= range; ++u) {
      const double a = 2.0 * g[u] - h[u], c = g[u];
      const std::size_t above = window.At(range - u) + q, below = window.At(range + u) + q;
      sum += a * (window.g[above] + window.g[below]) - c * (window.h[above] + window.h[below]);
    }
    out[q] = sum;
  }
}

// Lane by lane, then across the lanes: the extremes do not depend on the order they are met in.
VORN_PIXEL_LOOP void Widen(const double* values, int count, double& min, double& max) {
  int q = 0;
  if (count >= 4) {
    Quad low, high, v;
    Load(low, values);
    high = low;
    for (q = 4; q + 4 <= count; q += 4) {
      Load(v, values + q);
      low = v < low ? v : low;
      high = high < v ? v : high;
    }
    for (int k = 0; k < 4; ++k) {
      if (low[k] < min) min = low[k];
      if (max < high[k]) max = high[k];
    }
  }
  for (; q < count; ++q) {
    if (values[q] < min) min = values[q];
    if (max < values[q]) max = values[q];
  }
}

}  // namespace

void HatExtremes::Add(const double* values, int count) {
  Widen(values, count, min, max);
}

HatFilter::HatFilter(int range, double sigma)
    : range_(range),
      // As wide as lets the ring stay in the first-level cache, in whole blocks.
      tile_(std::clamp(kRingBytes / (2 * range + 1) / (2 * sizeof(double)) / kBlock * kBlock,
                       std::size_t{kBlock}, std::size_t{kMaxTile})),
      g_(static_cast<std::size_t>(range) + 1, 0.0),
      h_(g_.size(), 0.0) {
  g_[0] = 1.0;
  for (int u = 1; u <= range; ++u) {
    const double t = u / sigma;
    const double q = t * t;
    const double g = std::exp(-0.5 * q);
    g_[u] = g;
    // Far out the Gaussian underflows first: the product is 0, not inf * 0.
    h_[u] = g == 0 ? 0.0 : q * g;
  }
}

void HatFilter::Filter(const BytePlane& source, std::int64_t firstLine, std::int64_t lastLine,
                       int firstColumn, int lastColumn, const Use& use) const {
  const int range = range_, width = 2 * range + 1, tile = tile_;
  // Each tile keeps the row passes of its last 2R + 1 source lines in a ring.
  std::vector<double> row(static_cast<std::size_t>(tile) + 2 * range);
  std::vector<double> ringG(static_cast<std::size_t>(width) * tile), ringH(ringG.size()), out(tile);
  for (int column = firstColumn; column < lastColumn; column += tile) {
    const int count = std::min(tile, lastColumn - column);
    int next = 0;                                   // the ring's slot of the next source line
    const std::int64_t end = lastLine + 2 * range;  // the source lines read: [firstLine, end)
    auto pass = [&](std::int64_t sourceLine) {
      const std::size_t slot = static_cast<std::size_t>(next) * tile;
      // Lines a page apart defeat the processor's own prefetching: ask a few lines ahead.
      if (sourceLine + kAhead < end) {
        const std::uint8_t* ahead = source[static_cast<int>(sourceLine + kAhead)] + column;
        const int bytes = count + 2 * range;
        for (int k = 0; k < bytes; k += 64) __builtin_prefetch(ahead + k);
        __builtin_prefetch(ahead + bytes - 1);
      }
      LoadRow(source[static_cast<int>(sourceLine)] + column, count + 2 * range, row.data());
      RowPass(row.data(), count, range, g_.data(), h_.data(), ringG.data() + slot, ringH.data() + slot);
      next = next + 1 == width ? 0 : next + 1;
    };
    // Inner line p is centred on source line p + R.
    for (std::int64_t line = firstLine; line < firstLine + 2 * range; ++line) pass(line);
    for (std::int64_t p = firstLine; p < lastLine; ++p) {
      pass(p + 2 * range);
      // The window's top line is the oldest in the ring, in the slot to be written next.
      ColumnPass({ringG.data(), ringH.data(), tile, next, width}, count, range, g_.data(), h_.data(),
                 out.data());
      use(p, column, out.data(), count);
    }
  }
}
