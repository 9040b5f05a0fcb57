#include "binary/kernels/BoxCountEverySide.h"

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

// Each line is packed into 64-bit words (bit x of the line = column x). A box row of side s needs the
// OR (partial fitting) or AND (total fitting) of s lines: two rows of a table of power-of-two line runs
// give it. Along the result, a window of s bits is folded by shifts, and the bits at the box corners
// 0, s, 2s, ... are counted with one popcount per word.
namespace {

using Word = std::uint64_t;
constexpr int kWordBits = 64;
// Below this many words of work a loop runs on one core: waking the team would cost more than it saves.
constexpr std::int64_t kParallelWords = std::int64_t{1} << 14;

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

template <class Op>
void CountSides(const std::vector<std::vector<Word>>& runs, int lines, int columns, int words, int stride,
                int greatestSide, BoxCountTable& table) {
  // Corner masks: bit x set when x is a multiple of s with a whole box from x on.
  std::vector<Word> corners(static_cast<std::size_t>(greatestSide + 1) * stride, 0);
  for (int s = 2; s <= greatestSide; ++s) {
    Word* mask = corners.data() + static_cast<std::size_t>(s) * stride;
    for (int x = 0; x + s <= columns; x += s) mask[x / kWordBits] |= Word{1} << (x % kWordBits);
  }
  std::vector<std::pair<int, int>> tasks;
  for (int s = 2; s <= greatestSide; ++s) {
    table.Examined[static_cast<std::size_t>(s)] = static_cast<std::int64_t>(lines / s) * (columns / s);
    for (int boxRow = 0; boxRow < lines / s; ++boxRow) tasks.emplace_back(s, boxRow);
  }
  const std::int64_t taskCount = static_cast<std::int64_t>(tasks.size());
#pragma omp parallel if (taskCount * words > kParallelWords)
  {
    std::vector<Word> window(static_cast<std::size_t>(stride), 0);
#pragma omp for schedule(dynamic, 8)
    for (std::int64_t t = 0; t < taskCount; ++t) {
      const int s = tasks[static_cast<std::size_t>(t)].first;
      const int top = tasks[static_cast<std::size_t>(t)].second * s;
      const int level = std::bit_width(static_cast<unsigned>(s)) - 1;
      const int run = 1 << level;
      // Lines top .. top + s - 1 as two overlapping runs of 2^level lines.
      const Word* a = runs[static_cast<std::size_t>(level)].data() + static_cast<std::size_t>(top) * stride;
      const Word* b =
          runs[static_cast<std::size_t>(level)].data() + static_cast<std::size_t>(top + s - run) * stride;
      Word* win = window.data();
      for (int w = 0; w < words; ++w) win[w] = Op::Apply(a[w], b[w]);
      // Windows of 1, 2, 4, ... columns, in place (each word reads only itself and higher words).
      for (int width = 1; width < run; width *= 2) {
        for (int w = 0; w < words; ++w) win[w] = Op::Apply(win[w], Shifted(win, w, width));
      }
      const Word* mask = corners.data() + static_cast<std::size_t>(s) * stride;
      std::int64_t filled = 0;
      if (s == run) {
        for (int w = 0; w < words; ++w) filled += std::popcount(win[w] & mask[w]);
      } else {
        for (int w = 0; w < words; ++w)
          filled += std::popcount(Op::Apply(win[w], Shifted(win, w, s - run)) & mask[w]);
      }
#pragma omp atomic
      table.Filled[static_cast<std::size_t>(s)] += filled;
    }
  }
}

}  // namespace

void CountEverySide(const BytePlane& plane, const ItemSelector& items, int lines, int columns,
                    int greatestSide, bool totalFitting, BoxCountTable& table) {
  const int words = (columns + kWordBits - 1) / kWordBits;
  // Zero words past each line let a shift of up to greatestSide read beyond the line's end.
  const int stride = words + greatestSide / kWordBits + 2;
  const int levels = std::bit_width(static_cast<unsigned>(greatestSide));

  std::vector<std::vector<Word>> runs(static_cast<std::size_t>(levels));
  runs[0].assign(static_cast<std::size_t>(lines) * stride, 0);
  std::int64_t itemPixels = 0;
#pragma omp parallel for reduction(+ : itemPixels) schedule(static) if (std::int64_t{lines} * words > kParallelWords)
  for (int i = 0; i < lines; ++i) {
    const std::uint8_t* row = plane[i];
    Word* out = runs[0].data() + static_cast<std::size_t>(i) * stride;
    for (int w = 0; w < words; ++w) {
      const int first = w * kWordBits;
      const int count = columns - first < kWordBits ? columns - first : kWordBits;
      Word bits = 0;
      for (int k = 0; k < count; ++k) bits |= static_cast<Word>(items.IsItem[row[first + k]]) << k;
      out[w] = bits;
      itemPixels += std::popcount(bits);
    }
  }
  // A box of one pixel is filled exactly when the pixel is an item pixel, under either fitting.
  table.Filled[1] = itemPixels;
  table.Examined[1] = static_cast<std::int64_t>(lines) * columns;

  // runs[k] line i: the OR or AND of lines i .. i + 2^k - 1.
  for (int k = 1; k < levels; ++k) {
    const int half = 1 << (k - 1);
    const int valid = lines - (1 << k) + 1;
    runs[static_cast<std::size_t>(k)].assign(static_cast<std::size_t>(lines) * stride, 0);
    const std::vector<Word>& previous = runs[static_cast<std::size_t>(k - 1)];
    std::vector<Word>& current = runs[static_cast<std::size_t>(k)];
#pragma omp parallel for schedule(static) if (std::int64_t{valid} * words > kParallelWords)
    for (int i = 0; i < valid; ++i) {
      const Word* a = previous.data() + static_cast<std::size_t>(i) * stride;
      const Word* b = a + static_cast<std::size_t>(half) * stride;
      Word* out = current.data() + static_cast<std::size_t>(i) * stride;
      for (int w = 0; w < words; ++w) out[w] = totalFitting ? (a[w] & b[w]) : (a[w] | b[w]);
    }
  }
  if (totalFitting) {
    CountSides<And>(runs, lines, columns, words, stride, greatestSide, table);
  } else {
    CountSides<Or>(runs, lines, columns, words, stride, greatestSide, table);
  }
}
