#include "imaging/SeedFill.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

struct Seed {
  int line;
  int column;
};

struct Span {
  int left;
  int right;
};

// Writes pixels of one row, with their marks when there are marks.
template <bool kMarked>
struct RowWriter {
  std::uint8_t* row;
  std::uint8_t* marks;
  std::uint8_t value;
  void Write(int column) const {
    row[column] = value;
    if constexpr (kMarked) marks[column] = 1;
  }
};

// The run of background through the seed (the seed itself untested), written as it is scanned, with
// the frame columns written as the fill's rules say. The run may be empty (left > right) when the seed
// lies on column 0.
template <bool kMarked>
Span FillSpan(const RowWriter<kMarked>& writer, int columns, int column) {
  const std::uint8_t* row = writer.row;
  writer.Write(column);
  int c = column - 1;
  for (; c >= 1 && row[c] == kSeedFillBackground; --c) writer.Write(c);
  const int left = std::max(c + 1, 1);
  if (left == 1) writer.Write(0);
  c = column + 1;
  for (; c < columns && row[c] == kSeedFillBackground; ++c) writer.Write(c);
  const int right = c - 1;
  if (right == columns - 2) writer.Write(columns - 1);
  return {left, right};
}

// The seeds waiting, on a stack that grows as the region needs. Candidates are stored unconditionally
// and kept by moving the top: on noise, a test per pixel would be mispredicted at every run end.
class SeedStack {
 public:
  bool Empty() const { return top_ == 0; }
  Seed Pop() { return seeds_[--top_]; }
  void Push(Seed seed) {
    Reserve(1);
    seeds_[top_++] = seed;
  }
  // Room for `count` more seeds for PushIf.
  void Reserve(std::size_t count) {
    if (top_ + count > seeds_.size()) seeds_.resize(std::max(2 * seeds_.size(), top_ + count + 1024));
  }
  void PushIf(Seed seed, bool keep) {
    seeds_[top_] = seed;
    top_ += keep ? 1 : 0;
  }

 private:
  std::vector<Seed> seeds_;
  std::size_t top_ = 0;
};

// Seeds the runs of a neighbouring row that touch the span: the right end of each run inside it, and
// the span's last column when a run goes on past it. A pixel beyond the last column is not background.
void PushRunEnds(const std::uint8_t* row, int line, int columns, Span span, SeedStack& stack) {
  if (span.left <= span.right) {
    stack.Reserve(static_cast<std::size_t>(span.right - span.left) + 1);
    const int inner = std::min(span.right, columns - 2);
    for (int c = span.left; c <= inner; ++c)
      stack.PushIf({line, c}, (row[c] == kSeedFillBackground) & (row[c + 1] != kSeedFillBackground));
    if (span.right == columns - 1) stack.PushIf({line, span.right}, row[span.right] == kSeedFillBackground);
  }
  if (span.right + 1 < columns && row[span.right] == kSeedFillBackground &&
      row[span.right + 1] == kSeedFillBackground)
    stack.Push({line, span.right});
}

bool Accepts(const BytePlane& plane, int line, int column, int value, const BytePlane* marks) {
  if (!plane.Contains(line, column) || value < 0 || value >= kSeedFillBackground) return false;
  return !marks || (marks->Lines() == plane.Lines() && marks->Columns() == plane.Columns());
}

template <bool kMarked>
void Fill(BytePlane& plane, int line, int column, std::uint8_t value, BytePlane* marks) {
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  auto writer = [&](int y) { return RowWriter<kMarked>{plane[y], kMarked ? (*marks)[y] : nullptr, value}; };
  SeedStack stack;
  stack.Push({line, column});
  bool first = true;
  while (!stack.Empty()) {
    const Seed seed = stack.Pop();
    const int y = seed.line;
    // A seed already filled, by the run of another seed, would write again what is written and seed
    // again the runs beside that run, all already seeded: the region comes out the same without it.
    if (!first && plane[y][seed.column] != kSeedFillBackground) continue;
    first = false;
    const Span span = FillSpan(writer(y), columns, seed.column);
    if (y > 0) PushRunEnds(plane[y - 1], y - 1, columns, span, stack);
    if (y + 1 < lines) PushRunEnds(plane[y + 1], y + 1, columns, span, stack);
  }
}

}  // namespace

bool SeedFill(BytePlane& plane, int line, int column, int value, BytePlane* marks) {
  if (!Accepts(plane, line, column, value, marks)) return false;
  if (marks)
    Fill<true>(plane, line, column, static_cast<std::uint8_t>(value), marks);
  else
    Fill<false>(plane, line, column, static_cast<std::uint8_t>(value), marks);
  return true;
}

bool SeedFillRow(BytePlane& plane, int line, int column, int value, BytePlane* marks) {
  if (!Accepts(plane, line, column, value, marks)) return false;
  const auto fill = static_cast<std::uint8_t>(value);
  if (marks)
    FillSpan(RowWriter<true>{plane[line], (*marks)[line], fill}, plane.Columns(), column);
  else
    FillSpan(RowWriter<false>{plane[line], nullptr, fill}, plane.Columns(), column);
  return true;
}
