// Adaptive closing linking. The shape grows, notches and shrinks as packed rows. Which pieces have come
// to touch is followed without labeling the plane again: each pixel that joins takes the code of a
// piece beside it, and only a joining pixel beside another piece's code can join two pieces, whose
// sets of codes are then merged.
#include "urban/kernels/AdaptiveClosing.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "imaging/Parallel.h"
#include "urban/kernels/BitRows.h"

namespace {

using Index = std::int64_t;

constexpr int kWordBits = 64;
constexpr std::uint8_t kItem = 1;

// Codes kept in tiles of 4 x 4 pixels, one cache line each: the pixels that join in one step lie along
// the shape's edge, up and down as much as across, and a tile holds several of them either way.
class TiledCodes {
 public:
  TiledCodes() = default;
  TiledCodes(int columns, int lines)
      : across_((columns + kTileSide - 1) / kTileSide),
        cells_(
            static_cast<std::size_t>(across_) * ((lines + kTileSide - 1) / kTileSide) * kTileSide * kTileSide,
            0) {}
  std::int32_t& At(int i, int j) { return cells_[Place(i, j)]; }
  std::int32_t At(int i, int j) const { return cells_[Place(i, j)]; }

 private:
  static constexpr int kTileSide = 8;
  std::size_t Place(int i, int j) const {
    const std::size_t tile = static_cast<std::size_t>(i >> 3) * across_ + static_cast<std::size_t>(j >> 3);
    return tile * (kTileSide * kTileSide) + static_cast<std::size_t>((i & 7) * kTileSide + (j & 7));
  }
  std::size_t across_ = 0;
  std::vector<std::int32_t> cells_;
};

struct Growth {
  int lines = 0, columns = 0;
  BitRows shape;            // the shape after the last pass
  BitRows before;           // the shape before it
  TiledCodes codes;         // code of the piece each pixel of the shape came from; 0 outside
  std::vector<int> parent;  // sets of codes: the pieces as they have joined
  int pieces = 0;
  ExaminedRegion inside;  // inside the frame
  std::int64_t grain = 1;
  std::vector<std::vector<Index>> contacts;  // per chunk: joining pixels beside another piece
  std::vector<std::int64_t> joinedPerChunk;
};

int Root(std::vector<int>& parent, int code) {
  while (parent[static_cast<std::size_t>(code)] != code) {
    const int up = parent[static_cast<std::size_t>(code)];
    parent[static_cast<std::size_t>(code)] = parent[static_cast<std::size_t>(up)];
    code = up;
  }
  return code;
}

// The same without shortening the way, for the bands that read the sets side by side.
int RootReadOnly(const std::vector<int>& parent, int code) {
  while (parent[static_cast<std::size_t>(code)] != code) code = parent[static_cast<std::size_t>(code)];
  return code;
}

constexpr int kAround[8][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

// Codes for the pixels of one word of a line that joined: each takes the code of a neighbour that was
// in the shape before the pass, looked for direction by direction on whole words. Those codes are not
// being written, whatever the order of the bands.
void TakeCodes(std::uint64_t fresh, int i, int w, Growth& g) {
  const int words = g.shape.Words();
  const std::uint64_t* up = g.before.Row(i - 1);
  const std::uint64_t* mid = g.before.Row(i);
  const std::uint64_t* down = g.before.Row(i + 1);
  // In the order of kAround: the pixels that have that neighbour in the old shape.
  const std::uint64_t sides[8] = {FromLeft(mid, w),  FromRight(mid, w, words), up[w],
                                  down[w],           FromLeft(up, w),          FromRight(up, w, words),
                                  FromLeft(down, w), FromRight(down, w, words)};
  for (int d = 0; d < 8 && fresh; ++d) {
    for (std::uint64_t take = fresh & sides[d]; take; take &= take - 1) {
      const int j = w * kWordBits + std::countr_zero(take);
      g.codes.At(i, j) = g.codes.At(i + kAround[d][0], j + kAround[d][1]);
    }
    fresh &= ~sides[d];
  }
}

// The joining pixels of line i beside a pixel of another piece (only they can join two pieces) go to
// `contacts`. Lines i - 1 .. i + 1 must have their codes.
void FindContacts(const Growth& g, int i, std::vector<Index>& contacts) {
  const int words = g.shape.Words();
  const std::uint64_t* now = g.shape.Row(i);
  const std::uint64_t* was = g.before.Row(i);
  for (int w = 0; w < words; ++w)
    for (std::uint64_t fresh = now[w] & ~was[w]; fresh; fresh &= fresh - 1) {
      const int j = w * kWordBits + std::countr_zero(fresh);
      const std::int32_t code = g.codes.At(i, j);
      for (const auto& d : kAround) {
        const std::int32_t next = g.codes.At(i + d[0], j + d[1]);
        // Codes of pieces joined earlier differ too: the sets tell them apart.
        if (next != 0 && next != code && RootReadOnly(g.parent, next) != RootReadOnly(g.parent, code)) {
          contacts.push_back(static_cast<Index>(i) * g.columns + j);
          break;
        }
      }
    }
}

// One growth step: a pass, codes for the joining pixels, and the pieces they join. Returns whether two
// pieces came to touch, and sets `joined` to the number of pixels that joined.
bool Grow(Growth& g, BitPass pass, std::int64_t& joined) {
  RunBitPass(pass, g.inside, g.shape, g.before, 1, g.lines - 2);
  const std::int64_t rows = g.lines - 2;
  const int words = g.shape.Words();
  // Each band gives codes line by line and looks for contacts one line behind, while those lines are
  // still in the cache; its first and last lines, whose neighbours belong to other bands, wait until
  // every band has its codes.
  parallel::For(rows, g.grain, [&](std::int64_t first, std::int64_t last) {
    const auto chunk = static_cast<std::size_t>(parallel::ChunkIndex(first, g.grain));
    auto& contacts = g.contacts[chunk];
    contacts.clear();
    std::int64_t count = 0;
    const auto top = static_cast<int>(first) + 1, bottom = static_cast<int>(last);
    for (int i = top; i <= bottom; ++i) {
      const std::uint64_t* now = g.shape.Row(i);
      const std::uint64_t* was = g.before.Row(i);
      for (int w = 0; w < words; ++w) {
        const std::uint64_t fresh = now[w] & ~was[w];
        if (!fresh) continue;
        count += std::popcount(fresh);
        TakeCodes(fresh, i, w, g);
      }
      if (i - 1 > top) FindContacts(g, i - 1, contacts);
    }
    g.joinedPerChunk[chunk] = count;
  });
  parallel::For(parallel::ChunkCount(rows, g.grain), 1, [&](std::int64_t k, std::int64_t) {
    const auto top = static_cast<int>(k * g.grain) + 1;
    const auto bottom = static_cast<int>(std::min(rows, (k + 1) * g.grain));
    auto& contacts = g.contacts[static_cast<std::size_t>(k)];
    FindContacts(g, top, contacts);
    if (bottom != top) FindContacts(g, bottom, contacts);
  });
  joined = std::accumulate(g.joinedPerChunk.begin(), g.joinedPerChunk.end(), std::int64_t{0});

  bool touched = false;
  for (const auto& contacts : g.contacts)
    for (const Index p : contacts) {
      const auto i = static_cast<int>(p / g.columns), j = static_cast<int>(p % g.columns);
      for (const auto& d : kAround) {
        const std::int32_t next = g.codes.At(i + d[0], j + d[1]);
        if (next == 0) continue;
        const int x = Root(g.parent, g.codes.At(i, j)), y = Root(g.parent, next);
        if (x == y) continue;
        g.parent[static_cast<std::size_t>(std::max(x, y))] = std::min(x, y);
        --g.pieces;
        touched = true;
      }
    }
  return touched;
}

// The value's pixels inside the frame, as bytes of 1 for the item walk and as bits.
void MarkInside(const BytePlane& binary, int value, BytePlane& ones, BitRows& bits) {
  const int lines = binary.Lines();
  const int columns = binary.Columns();
  parallel::For(lines - 2, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first) + 1; i < last + 1; ++i) {
      const std::uint8_t* in = binary[i];
      std::uint8_t* out = ones[i];
      std::uint64_t* row = bits.Row(i);
      for (int j = 1; j + 1 < columns; ++j) {
        const bool inside = in[j] == value;
        out[j] = inside;
        row[j / kWordBits] |= static_cast<std::uint64_t>(inside) << (j % kWordBits);
      }
    }
  });
}

// Adds the notches: pixels inside the frame, outside the shape, with 3 or 4 of their 4 neighbours in
// it (the frame is outside the shape).
void FillNotches(BitRows& shape, BitRows& work, const ExaminedRegion& inside) {
  const int lines = shape.Lines();
  const int words = shape.Words();
  parallel::For(lines - 2, parallel::RowGrain(shape.Columns()), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first) + 1; i < last + 1; ++i) {
      const std::uint64_t* up = shape.Row(i - 1);
      const std::uint64_t* mid = shape.Row(i);
      const std::uint64_t* down = shape.Row(i + 1);
      const std::uint64_t* mask = inside.Mask(i);
      std::uint64_t* out = work.Row(i);
      for (int w = 0; w < words; ++w) {
        const std::uint64_t a = up[w], b = down[w], c = FromLeft(mid, w), d = FromRight(mid, w, words);
        const std::uint64_t three = (a & b & (c | d)) | (c & d & (a | b));
        out[w] = mid[w] | (three & mask[w]);
      }
    }
  });
  std::swap(shape, work);
}

// 8-connected pieces of the mask's value 1 anywhere in the plane: counted inside a frame one pixel wider.
int CountPieces(const BytePlane& mask, PixelStack& stack) {
  const int lines = mask.Lines();
  const int columns = mask.Columns();
  BytePlane framed(columns + 2, lines + 2);
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i)
      std::copy(mask[i], mask[i] + columns, framed[i + 1] + 1);
  });
  return CountItemsInFrame(framed, 0, INT_MAX, stack).KeptItems;
}

}  // namespace

AdaptiveClosingResult AdaptiveClosingLinking(const BytePlane& binary, int value, BytePlane& mask,
                                             PixelStack& stack) {
  AdaptiveClosingResult result;
  const int lines = binary.Lines();
  const int columns = binary.Columns();
  if (lines < 3 || columns < 3 || value < 0 || value > 255) return result;

  Growth g;
  g.lines = lines;
  g.columns = columns;
  g.shape = BitRows(columns, lines);
  {
    BytePlane ones(columns, lines);
    MarkInside(binary, value, ones, g.shape);
    IntPlane labels(columns, lines);
    const ItemCountResult pieces = WalkItemsForDilation(ones, labels, stack);
    g.codes = TiledCodes(columns, lines);
    parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
      for (auto i = static_cast<int>(first); i < last; ++i)
        for (int j = 0; j < columns; ++j) g.codes.At(i, j) = labels[i][j];
    });
    result.StartPieces = pieces.KeptItems;
    g.pieces = pieces.KeptItems;
    g.parent.resize(static_cast<std::size_t>(pieces.ItemCount) + 1);
    std::iota(g.parent.begin(), g.parent.end(), 0);
  }
  if (result.StartPieces == 0) return result;

  g.before = g.shape;
  g.inside.first = 1;
  g.inside.last = lines - 2;
  g.inside.columns = ColumnSpan(columns, 1, columns - 2);
  g.grain = parallel::RowGrain(columns);
  const auto chunks = static_cast<std::size_t>(parallel::ChunkCount(lines - 2, g.grain));
  g.contacts.resize(chunks);
  g.joinedPerChunk.resize(chunks);
  while (g.pieces > 1) {
    std::int64_t joined4 = 0, joined8 = 0;
    const bool touched = Grow(g, BitPass::Dilate4, joined4);
    result.Steps.push_back(kGrowth4);
    if (!touched) {
      Grow(g, BitPass::Dilate8, joined8);
      result.Steps.push_back(kGrowth8);
    }
    if (joined4 + joined8 == 0) break;  // nothing left to grow into
  }
  g.codes = TiledCodes();

  FillNotches(g.shape, g.before, g.inside);
  for (int step : result.Steps)
    RunBitPass(step == kGrowth4 ? BitPass::Erode4 : BitPass::Erode8, g.inside, g.shape, g.before, 1,
               lines - 2);

  mask = BytePlane(columns, lines);
  UnpackItems(g.shape, mask);
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* in = binary[i];
      std::uint8_t* out = mask[i];
      for (int j = 0; j < columns; ++j)
        if (in[j] == value) out[j] = kItem;
    }
  });
  result.Pieces = CountPieces(mask, stack);
  return result;
}
