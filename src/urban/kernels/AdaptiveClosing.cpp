// Adaptive closing linking. The shape grows, notches and shrinks as packed rows. The pieces are
// followed as runs of pixels along the lines: after each growth step the runs of the new shape are
// joined, line to line, into sets of the starting pieces, so that two pieces coming to touch is seen
// as two sets joined, at a cost that follows the number of runs rather than the number of pixels.
#include "urban/kernels/AdaptiveClosing.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

#include "imaging/Parallel.h"
#include "urban/kernels/BitRows.h"

namespace {

constexpr int kWordBits = 64;
constexpr int kNoSet = -1;

struct Run {
  int start;  // first column
  int end;    // one past the last column
};

// The runs of set pixels of every line, in raster order.
struct RunRows {
  std::vector<Run> runs;
  std::vector<std::size_t> lineBegin;  // runs of line i: lineBegin[i] .. lineBegin[i + 1] - 1

  std::size_t Begin(int line) const { return lineBegin[static_cast<std::size_t>(line)]; }
  std::size_t End(int line) const { return lineBegin[static_cast<std::size_t>(line) + 1]; }

  void Extract(const BitRows& bits) {
    runs.clear();
    lineBegin.assign(static_cast<std::size_t>(bits.Lines()) + 1, 0);
    for (int i = 0; i < bits.Lines(); ++i) {
      lineBegin[static_cast<std::size_t>(i)] = runs.size();
      const std::uint64_t* row = bits.Row(i);
      std::uint64_t carry = 0;  // the column before the word is set
      for (int w = 0; w < bits.Words(); ++w) {
        const std::uint64_t x = row[w];
        const std::uint64_t before = (x << 1) | carry;
        for (std::uint64_t edges = x ^ before; edges; edges &= edges - 1) {
          const int column = w * kWordBits + std::countr_zero(edges);
          if ((x >> (column % kWordBits)) & 1)
            runs.push_back({column, column});
          else
            runs.back().end = column;
        }
        carry = x >> 63;
      }
      if (carry) runs.back().end = bits.Words() * kWordBits;
    }
    lineBegin.back() = runs.size();
  }
};

// Calls join(a, b) for every run a of one line and b of the next that are 8-connected: their column
// ranges overlap once widened by one.
template <class Join>
void ForEachTouchingPair(const RunRows& r, int line, Join&& join) {
  std::size_t a0 = r.Begin(line);
  const std::size_t aEnd = r.End(line);
  for (std::size_t b = r.Begin(line + 1); b < r.End(line + 1) && a0 < aEnd; ++b) {
    while (a0 < aEnd && r.runs[a0].end < r.runs[b].start) ++a0;
    for (std::size_t a = a0; a < aEnd && r.runs[a].start <= r.runs[b].end; ++a) join(a, b);
  }
}

int Root(std::vector<int>& parent, int x) {
  while (parent[static_cast<std::size_t>(x)] != x) {
    const int up = parent[static_cast<std::size_t>(x)];
    parent[static_cast<std::size_t>(x)] = parent[static_cast<std::size_t>(up)];
    x = up;
  }
  return x;
}

// The pieces as sets of the starting runs, joined as they come to touch.
struct Pieces {
  std::vector<int> parent;
  int count = 0;
  // Joins the pieces of a and b; true when they were apart.
  bool Join(int a, int b) {
    a = Root(parent, a);
    b = Root(parent, b);
    if (a == b) return false;
    parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
    --count;
    return true;
  }
};

// 8-connected pieces of `bits`, counted by joining touching runs.
int CountPieces(const BitRows& bits) {
  RunRows rows;
  rows.Extract(bits);
  Pieces pieces;
  pieces.parent.resize(rows.runs.size());
  std::iota(pieces.parent.begin(), pieces.parent.end(), 0);
  pieces.count = static_cast<int>(rows.runs.size());
  for (int i = 0; i + 1 < bits.Lines(); ++i)
    ForEachTouchingPair(rows, i, [&](std::size_t a, std::size_t b) {
      pieces.Join(static_cast<int>(a), static_cast<int>(b));
    });
  return pieces.count;
}

struct Growth {
  BitRows shape;   // the shape after the last pass
  BitRows before;  // the shape before it
  ExaminedRegion inside;
  Pieces pieces;
  RunRows runs;           // the runs of the shape
  std::vector<int> sets;  // the piece (a starting run) of each run
  RunRows grown;          // the runs after a growth pass
  std::vector<int> grownParent, grownSet;
};

// The starting pieces: every run of the shape a piece of its own, joined with the runs it touches.
void StartPieces(Growth& g) {
  g.runs.Extract(g.shape);
  const auto count = static_cast<int>(g.runs.runs.size());
  g.pieces.parent.resize(static_cast<std::size_t>(count));
  std::iota(g.pieces.parent.begin(), g.pieces.parent.end(), 0);
  g.pieces.count = count;
  g.sets.resize(static_cast<std::size_t>(count));
  std::iota(g.sets.begin(), g.sets.end(), 0);
  for (int i = 0; i + 1 < g.shape.Lines(); ++i)
    ForEachTouchingPair(g.runs, i, [&](std::size_t a, std::size_t b) {
      g.pieces.Join(static_cast<int>(a), static_cast<int>(b));
    });
}

// Joins two runs of the grown shape (their trees); true when that joined two pieces.
bool JoinGrown(Growth& g, int a, int b) {
  a = Root(g.grownParent, a);
  b = Root(g.grownParent, b);
  if (a == b) return false;
  g.grownParent[static_cast<std::size_t>(b)] = a;
  int& sa = g.grownSet[static_cast<std::size_t>(a)];
  const int sb = g.grownSet[static_cast<std::size_t>(b)];
  if (sa == kNoSet) {
    sa = sb;
    return false;
  }
  return sb != kNoSet && g.pieces.Join(sa, sb);
}

// One growth step; true when two pieces came to touch, and `joined` when any pixel joined.
bool Grow(Growth& g, BitPass pass, bool& joined) {
  const int lines = g.shape.Lines();
  RunBitPass(pass, g.inside, g.shape, g.before, 1, lines - 2);
  g.grown.Extract(g.shape);
  joined = g.grown.runs.size() != g.runs.runs.size();
  const std::size_t count = g.grown.runs.size();
  g.grownParent.resize(count);
  std::iota(g.grownParent.begin(), g.grownParent.end(), 0);
  g.grownSet.assign(count, kNoSet);
  bool touched = false;
  // Every old run lies within one grown run of its line: the grown run takes its piece.
  for (int i = 0; i < lines; ++i) {
    std::size_t r = g.grown.Begin(i);
    for (std::size_t o = g.runs.Begin(i); o < g.runs.End(i); ++o) {
      while (g.grown.runs[r].end < g.runs.runs[o].end) ++r;
      if (g.grown.runs[r].end != g.runs.runs[o].end || g.grown.runs[r].start != g.runs.runs[o].start)
        joined = true;
      int& set = g.grownSet[r];
      if (set == kNoSet)
        set = g.sets[o];
      else
        touched = g.pieces.Join(set, g.sets[o]) || touched;
    }
  }
  for (int i = 0; i + 1 < lines; ++i)
    ForEachTouchingPair(g.grown, i, [&](std::size_t a, std::size_t b) {
      touched = JoinGrown(g, static_cast<int>(a), static_cast<int>(b)) || touched;
    });
  for (std::size_t r = 0; r < count; ++r)
    g.grownSet[r] = g.grownSet[static_cast<std::size_t>(Root(g.grownParent, static_cast<int>(r)))];
  std::swap(g.runs, g.grown);
  std::swap(g.sets, g.grownSet);
  return touched;
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

}  // namespace

AdaptiveClosingResult AdaptiveClosingLinking(const BytePlane& binary, int value, BytePlane& mask) {
  AdaptiveClosingResult result;
  const int lines = binary.Lines();
  const int columns = binary.Columns();
  if (lines < 3 || columns < 3) return result;

  Growth g;
  const BitRows valueBits = PackValue(binary, value);
  g.inside.first = 1;
  g.inside.last = lines - 2;
  g.inside.columns = ColumnSpan(columns, 1, columns - 2);
  // The pieces lie inside the frame: the value's pixels on it take no part in the linking.
  g.shape = BitRows(columns, lines);
  for (int i = 1; i <= lines - 2; ++i)
    for (int w = 0; w < g.shape.Words(); ++w)
      g.shape.Row(i)[w] = valueBits.Row(i)[w] & g.inside.columns[static_cast<std::size_t>(w)];
  StartPieces(g);
  result.StartPieces = g.pieces.count;
  if (result.StartPieces == 0) return result;

  g.before = g.shape;
  while (g.pieces.count > 1) {
    bool joined4 = false, joined8 = false;
    const bool touched = Grow(g, BitPass::Dilate4, joined4);
    result.Steps.push_back(kGrowth4);
    if (!touched) {
      Grow(g, BitPass::Dilate8, joined8);
      result.Steps.push_back(kGrowth8);
    }
    if (!joined4 && !joined8) break;  // nothing left to grow into
  }

  FillNotches(g.shape, g.before, g.inside);
  for (int step : result.Steps)
    RunBitPass(step == kGrowth4 ? BitPass::Erode4 : BitPass::Erode8, g.inside, g.shape, g.before, 1,
               lines - 2);

  // The value's pixels all stay, frame included.
  for (int i = 0; i < lines; ++i)
    for (int w = 0; w < g.shape.Words(); ++w) g.shape.Row(i)[w] |= valueBits.Row(i)[w];
  mask = BytePlane(columns, lines);
  UnpackItems(g.shape, mask);
  result.Pieces = CountPieces(g.shape);
  return result;
}
