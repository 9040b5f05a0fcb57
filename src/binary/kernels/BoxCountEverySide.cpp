#include "binary/kernels/BoxCountEverySide.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

#include "imaging/Parallel.h"

// Each line is packed into 64-bit words (bit x of the line = column x). A box row of side s needs the
// OR (partial fitting) or AND (total fitting) of s lines, made of aligned blocks of 1, 2, 4, ... lines
// whose ORs (ANDs) are kept in a small tree. Along the result, a window of s bits is folded by shifts,
// and the bits at the box corners 0, s, 2s, ... are counted with one popcount per word.
namespace {

using Word = std::uint64_t;
constexpr int kWordBits = 64;
// The tree's largest blocks; the lines are packed in chunks of whole blocks, each chunk building the
// blocks inside it, so the packing and the tree take one pass on the threads.
constexpr int kMaxBlockLines = 256;

struct Or {
  static Word Apply(Word a, Word b) { return a | b; }
};
struct And {
  static Word Apply(Word a, Word b) { return a & b; }
};

// Bits of `in` moved down by `shift` positions (bit x of the result = bit x + shift of `in`); `in`
// must hold zeros past `words` far enough for the shift.
inline Word Shifted(const Word* in, int w, int shift) {
  const int q = shift / kWordBits;
  const int r = shift % kWordBits;
  if (r == 0) return in[w + q];
  return (in[w + q] >> r) | (in[w + q + 1] << (kWordBits - r));
}

// Level k holds block b = lines [b 2^k, (b + 1) 2^k) combined, for every block inside the image.
struct BlockTree {
  int words = 0;
  int stride = 0;  // words a line, zeros past `words`
  std::vector<std::vector<Word>> levels;

  Word* Block(int level, int b) {
    return levels[static_cast<std::size_t>(level)].data() + static_cast<std::size_t>(b) * stride;
  }
  const Word* Block(int level, int b) const {
    return levels[static_cast<std::size_t>(level)].data() + static_cast<std::size_t>(b) * stride;
  }
};

// Packs lines [first, last) (first a multiple of the largest block) and builds their blocks; returns
// the item pixels of those lines.
template <class Op>
std::int64_t PackLines(const BytePlane& plane, const ItemSelector& items, int columns, int first, int last,
                       BlockTree& tree) {
  std::int64_t itemPixels = 0;
  for (int i = first; i < last; ++i) {
    const std::uint8_t* row = plane[i];
    Word* out = tree.Block(0, i);
    for (int w = 0; w < tree.words; ++w) {
      const int start = w * kWordBits;
      const int count = columns - start < kWordBits ? columns - start : kWordBits;
      Word bits = 0;
      for (int k = 0; k < count; ++k) bits |= static_cast<Word>(items.IsItem[row[start + k]]) << k;
      out[w] = bits;
      itemPixels += std::popcount(bits);
    }
  }
  for (int level = 1; level < static_cast<int>(tree.levels.size()); ++level) {
    const int lines = 1 << level;
    for (int b = first / lines; (b + 1) * lines <= last; ++b) {
      const Word* a = tree.Block(level - 1, 2 * b);
      const Word* c = tree.Block(level - 1, 2 * b + 1);
      Word* out = tree.Block(level, b);
      for (int w = 0; w < tree.words; ++w) out[w] = Op::Apply(a[w], c[w]);
    }
  }
  return itemPixels;
}

// Filled boxes of box row `boxRow` of side s; `window` has the tree's stride.
template <class Op>
std::int64_t CountBoxRow(const BlockTree& tree, const std::vector<Word>& corners, int s, int boxRow,
                         Word* window) {
  const int words = tree.words;
  const int maxLevel = static_cast<int>(tree.levels.size()) - 1;
  // Lines [top, top + s) as aligned blocks, each as large as its position allows.
  int x = boxRow * s;
  const int end = x + s;
  bool firstBlock = true;
  while (x < end) {
    const int level = std::min(std::countr_zero(static_cast<unsigned>(x) | (1u << maxLevel)),
                               static_cast<int>(std::bit_width(static_cast<unsigned>(end - x))) - 1);
    const Word* block = tree.Block(level, x >> level);
    if (firstBlock) {
      for (int w = 0; w < words; ++w) window[w] = block[w];
      firstBlock = false;
    } else {
      for (int w = 0; w < words; ++w) window[w] = Op::Apply(window[w], block[w]);
    }
    x += 1 << level;
  }
  // Windows of 1, 2, 4, ... columns, in place (each word reads only itself and higher words).
  const int run = 1 << (static_cast<int>(std::bit_width(static_cast<unsigned>(s))) - 1);
  for (int width = 1; width < run; width *= 2) {
    for (int w = 0; w < words; ++w) window[w] = Op::Apply(window[w], Shifted(window, w, width));
  }
  const Word* mask = corners.data() + static_cast<std::size_t>(s) * tree.stride;
  std::int64_t filled = 0;
  if (s == run) {
    for (int w = 0; w < words; ++w) filled += std::popcount(window[w] & mask[w]);
  } else {
    for (int w = 0; w < words; ++w)
      filled += std::popcount(Op::Apply(window[w], Shifted(window, w, s - run)) & mask[w]);
  }
  return filled;
}

template <class Op>
void CountAllSides(const BytePlane& plane, const ItemSelector& items, int lines, int columns,
                   int greatestSide, BoxCountTable& table) {
  BlockTree tree;
  tree.words = (columns + kWordBits - 1) / kWordBits;
  // Zero words past each line let a shift of up to greatestSide read beyond the line's end.
  tree.stride = tree.words + greatestSide / kWordBits + 2;
  const std::int64_t rowGrain = parallel::RowGrain(columns);
  const std::int64_t blockLimit =
      std::min<std::int64_t>(std::min<std::int64_t>(rowGrain, kMaxBlockLines), lines);
  const int blockLines = static_cast<int>(std::bit_floor(static_cast<std::uint64_t>(blockLimit)));
  const int levels = static_cast<int>(std::bit_width(static_cast<unsigned>(blockLines)));
  tree.levels.resize(static_cast<std::size_t>(levels));
  for (int level = 0; level < levels; ++level)
    tree.levels[static_cast<std::size_t>(level)].assign(
        static_cast<std::size_t>(lines >> level) * tree.stride, 0);

  const std::int64_t packGrain = rowGrain / blockLines * blockLines;
  std::vector<std::int64_t> chunkPixels(static_cast<std::size_t>(parallel::ChunkCount(lines, packGrain)), 0);
  parallel::For(lines, packGrain, [&](std::int64_t first, std::int64_t last) {
    chunkPixels[static_cast<std::size_t>(parallel::ChunkIndex(first, packGrain))] =
        PackLines<Op>(plane, items, columns, static_cast<int>(first), static_cast<int>(last), tree);
  });
  std::int64_t itemPixels = 0;
  for (const std::int64_t pixels : chunkPixels) itemPixels += pixels;
  // A box of one pixel is filled exactly when the pixel is an item pixel, under either fitting.
  table.Filled[1] = itemPixels;
  table.Examined[1] = static_cast<std::int64_t>(lines) * columns;

  // Corner masks: bit x set when x is a multiple of s with a whole box from x on.
  std::vector<Word> corners(static_cast<std::size_t>(greatestSide + 1) * tree.stride, 0);
  std::vector<std::pair<int, int>> tasks;  // (side, box row)
  for (int s = 2; s <= greatestSide; ++s) {
    Word* mask = corners.data() + static_cast<std::size_t>(s) * tree.stride;
    for (int x = 0; x + s <= columns; x += s) mask[x / kWordBits] |= Word{1} << (x % kWordBits);
    table.Examined[static_cast<std::size_t>(s)] = static_cast<std::int64_t>(lines / s) * (columns / s);
    for (int boxRow = 0; boxRow < lines / s; ++boxRow) tasks.emplace_back(s, boxRow);
  }
  const std::int64_t taskCount = static_cast<std::int64_t>(tasks.size());
  std::vector<std::int64_t> filled(tasks.size(), 0);
  // A box row costs a few dozen passes over a packed line.
  const std::int64_t taskGrain =
      std::max<std::int64_t>(1, parallel::ChunkWork() / (32 * std::int64_t{tree.words}));
  parallel::For(taskCount, taskGrain, [&](std::int64_t first, std::int64_t last) {
    std::vector<Word> window(static_cast<std::size_t>(tree.stride), 0);
    for (std::int64_t t = first; t < last; ++t) {
      const auto [s, boxRow] = tasks[static_cast<std::size_t>(t)];
      filled[static_cast<std::size_t>(t)] = CountBoxRow<Op>(tree, corners, s, boxRow, window.data());
    }
  });
  for (std::size_t t = 0; t < tasks.size(); ++t)
    table.Filled[static_cast<std::size_t>(tasks[t].first)] += filled[t];
}

}  // namespace

void CountEverySide(const BytePlane& plane, const ItemSelector& items, int lines, int columns,
                    int greatestSide, bool totalFitting, BoxCountTable& table) {
  if (totalFitting) {
    CountAllSides<And>(plane, items, lines, columns, greatestSide, table);
  } else {
    CountAllSides<Or>(plane, items, lines, columns, greatestSide, table);
  }
}
