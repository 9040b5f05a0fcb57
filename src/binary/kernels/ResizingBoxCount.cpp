#include "binary/kernels/ResizingBoxCount.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "binary/kernels/ValueBits.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kFrameMultiple = 8;
constexpr int kWordBits = 64;
// The first bit of every run of 2, 4 and 8 bits of a word.
constexpr std::uint64_t kFirstOfTwo = 0x5555555555555555ULL;
constexpr std::uint64_t kFirstOfFour = 0x1111111111111111ULL;
constexpr std::uint64_t kFirstOfEight = 0x0101010101010101ULL;

// Runs of 2, 4 and 8 bits holding a set bit: one bit each, at the run's first place.
int OccupiedPairs(std::uint64_t bits) {
  return std::popcount((bits | bits >> 1) & kFirstOfTwo);
}
int OccupiedQuads(std::uint64_t bits) {
  bits |= bits >> 1;
  bits |= bits >> 2;
  return std::popcount(bits & kFirstOfFour);
}
int OccupiedOctets(std::uint64_t bits) {
  bits |= bits >> 1;
  bits |= bits >> 2;
  bits |= bits >> 4;
  return std::popcount(bits & kFirstOfEight);
}

double Dimension(const std::array<std::int64_t, kResizingSideCount>& boxes) {
  double x[kResizingSideCount], y[kResizingSideCount];
  for (int k = 0; k < kResizingSideCount; ++k) {
    x[k] = std::log(static_cast<double>(kResizingSides[k]));
    y[k] = std::log(static_cast<double>(boxes[k]));
  }
  return -LeastSquaresSlope(x, y, kResizingSideCount);
}

}  // namespace

int ResizedFrameSide(int side) {
  return side + kFrameMultiple - side % kFrameMultiple;
}

ResizingCounts ResizingBoxCount(const BytePlane& labels, const ItemBounds& bounds, int code) {
  ResizingCounts counts;
  counts.Code = code;
  counts.Dimension = std::numeric_limits<double>::quiet_NaN();
  if (!bounds.Present() || code < 0 || code > 255 || bounds.MinLine < 0 || bounds.MinColumn < 0 ||
      bounds.MaxLine >= labels.Lines() || bounds.MaxColumn >= labels.Columns())
    return counts;
  counts.Present = true;
  counts.FrameLines = ResizedFrameSide(bounds.Lines());
  counts.FrameColumns = ResizedFrameSide(bounds.Columns());

  // Eight lines of the bounding box at a time, packed to bits; lines past the box stay empty.
  const int width = bounds.Columns();
  const int words = (width + kWordBits - 1) / kWordBits;
  std::vector<std::uint64_t> band(static_cast<std::size_t>(kFrameMultiple) * words);
  std::vector<std::uint64_t> pairs(words), quads(words), octets(words);
  const auto value = static_cast<std::uint8_t>(code);
  for (int top = bounds.MinLine; top <= bounds.MaxLine; top += kFrameMultiple) {
    std::fill(octets.begin(), octets.end(), 0);
    for (int k = 0; k < kFrameMultiple; ++k) {
      std::uint64_t* bits = band.data() + static_cast<std::size_t>(k) * words;
      if (top + k <= bounds.MaxLine)
        value_bits::PackEqualBits(labels[top + k] + bounds.MinColumn, width, value, bits);
      else
        std::fill(bits, bits + words, 0);
    }
    for (int half = 0; half < 2; ++half) {
      std::fill(quads.begin(), quads.end(), 0);
      for (int pair = 0; pair < 2; ++pair) {
        const int k = 4 * half + 2 * pair;
        const std::uint64_t* upper = band.data() + static_cast<std::size_t>(k) * words;
        const std::uint64_t* lower = upper + words;
        for (int w = 0; w < words; ++w) {
          counts.Boxes[0] += std::popcount(upper[w]) + std::popcount(lower[w]);
          pairs[w] = upper[w] | lower[w];
          counts.Boxes[1] += OccupiedPairs(pairs[w]);
          quads[w] |= pairs[w];
        }
      }
      for (int w = 0; w < words; ++w) {
        counts.Boxes[2] += OccupiedQuads(quads[w]);
        octets[w] |= quads[w];
      }
    }
    for (int w = 0; w < words; ++w) counts.Boxes[3] += OccupiedOctets(octets[w]);
  }
  counts.Dimension = Dimension(counts.Boxes) + 0.0;  // + 0.0: a one-pixel item gives 0, not -0
  return counts;
}

std::vector<ResizingCounts> ResizingBoxCounts(const BytePlane& labels, const ItemIndex& index,
                                              const std::vector<int>& codes) {
  std::vector<ResizingCounts> results(codes.size());
  parallel::For(static_cast<std::int64_t>(codes.size()), 1, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t k = first; k < last; ++k) {
      const int code = codes[k];
      const bool known = code >= 0 && code <= 255;
      results[k] = known ? ResizingBoxCount(labels, index[code], code) : ResizingBoxCount(labels, {}, code);
    }
  });
  return results;
}
