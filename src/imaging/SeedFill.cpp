#include "imaging/SeedFill.h"

#include <vector>

namespace {

struct Seed {
  int line;
  int column;
};

// Writes the pixels of one row, with their marks when there are marks.
class RowWriter {
 public:
  RowWriter(std::uint8_t* row, std::uint8_t* marks, std::uint8_t value) : row_(row), marks_(marks), value_(value) {}
  void Write(int column) const {
    row_[column] = value_;
    if (marks_) marks_[column] = 1;
  }
  void WriteRun(int first, int last) const {
    for (int c = first; c <= last; ++c) row_[c] = value_;
    if (marks_)
      for (int c = first; c <= last; ++c) marks_[c] = 1;
  }

 private:
  std::uint8_t* row_;
  std::uint8_t* marks_;
  std::uint8_t value_;
};

struct Span {
  int left;
  int right;
};

// The run of background through the seed (the seed itself untested), with the frame columns written
// as the fill's rules say. The run may be empty (left > right) when the seed lies on column 0.
Span FillSpan(std::uint8_t* row, std::uint8_t* marks, int columns, int column, std::uint8_t value) {
  const RowWriter writer(row, marks, value);
  int left = 1;
  for (int c = column - 1; c >= 1; --c) {
    if (row[c] != kSeedFillBackground) {
      left = c + 1;
      break;
    }
  }
  if (left == 1) writer.Write(0);
  int right = columns - 1;
  for (int c = column + 1; c < columns; ++c) {
    if (row[c] != kSeedFillBackground) {
      right = c - 1;
      break;
    }
  }
  if (right == columns - 2) writer.Write(columns - 1);
  writer.WriteRun(left, right);
  return {left, right};
}

// Seeds the runs of a neighbouring row that touch the span: the right end of each run inside it, and
// the span's last column when a run goes on past it.
void PushRunEnds(const std::uint8_t* row, int line, int columns, Span span, std::vector<Seed>& stack) {
  auto background = [&](int c) { return c < columns && row[c] == kSeedFillBackground; };
  for (int c = span.left; c <= span.right; ++c)
    if (row[c] == kSeedFillBackground && !background(c + 1)) stack.push_back({line, c});
  if (background(span.right) && background(span.right + 1)) stack.push_back({line, span.right});
}

bool Accepts(const BytePlane& plane, int line, int column, int value, const BytePlane* marks) {
  if (!plane.Contains(line, column) || value < 0 || value >= kSeedFillBackground) return false;
  return !marks || (marks->Lines() == plane.Lines() && marks->Columns() == plane.Columns());
}

}  // namespace

bool SeedFill(BytePlane& plane, int line, int column, int value, BytePlane* marks) {
  if (!Accepts(plane, line, column, value, marks)) return false;
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  const auto fill = static_cast<std::uint8_t>(value);
  std::vector<Seed> stack;
  stack.reserve(1024);
  stack.push_back({line, column});
  while (!stack.empty()) {
    const Seed seed = stack.back();
    stack.pop_back();
    const int y = seed.line;
    const Span span = FillSpan(plane[y], marks ? (*marks)[y] : nullptr, columns, seed.column, fill);
    if (y > 0) PushRunEnds(plane[y - 1], y - 1, columns, span, stack);
    if (y + 1 < lines) PushRunEnds(plane[y + 1], y + 1, columns, span, stack);
  }
  return true;
}

bool SeedFillRow(BytePlane& plane, int line, int column, int value, BytePlane* marks) {
  if (!Accepts(plane, line, column, value, marks)) return false;
  FillSpan(plane[line], marks ? (*marks)[line] : nullptr, plane.Columns(), column, static_cast<std::uint8_t>(value));
  return true;
}
