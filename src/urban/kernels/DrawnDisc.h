#pragma once
// The discs of the expansions: a circle traced by points at fixed angle steps around a centre, each
// point joined to the next by a digital line, and the region of the centre filled inside it, as the
// scan-line seed fill does on a plane. Discs are kept as runs of pixels per line, so that a disc of
// radius r costs O(r) to make, not O(r^2).
#include <array>
#include <cstdint>
#include <span>
#include <vector>

struct PixelRun {
  int First = 0;  // columns First .. Last
  int Last = 0;
};

// Pixel sets held line by line: lines Top .. Top + Lines() - 1, each a list of disjoint runs in
// increasing columns with a gap between neighbours.
class RowRuns {
 public:
  int Top = 0;

  int Lines() const { return rowStarts_.empty() ? 0 : static_cast<int>(rowStarts_.size()) - 1; }
  // The runs of a line; none outside the lines held.
  std::span<const PixelRun> Row(int line) const;
  std::int64_t PixelCount() const;

  // Building: Start, then for each line in turn its runs in increasing columns and NextLine.
  void Start(int top);
  void Add(int first, int last);  // merged with the previous run of the line when they touch
  void NextLine();

 private:
  std::vector<PixelRun> runs_;
  std::vector<int> rowStarts_;  // runs of line Top + k: rowStarts_[k] .. rowStarts_[k + 1] - 1
};

// The points of a circle: n points at angles 0, step, 2 step, ... (accumulated), n and the step in
// degrees chosen by a radius: up to 33: 360 points of 1 degree; 34 to 64: 720 of 0.5; 65 to 107:
// 1440 of 0.25; beyond: 2880 of 0.125.
struct CirclePlan {
  int Points = 0;
  double Step = 0;
};
CirclePlan PlanOfRadius(int radius);

// The sines and cosines of the four plans' angles, computed once.
class CircleTables {
 public:
  // Point k of a circle of `radius` drawn with the plan of `planRadius`: (line, column) =
  // (cy - trunc(radius sin a_k), cx + trunc(radius cos a_k)).
  void Points(int cy, int cx, int radius, int planRadius, std::vector<std::array<int, 2>>& points);

 private:
  struct Table {
    std::vector<double> sines, cosines;
  };
  const Table& TableOf(int planRadius);
  std::array<Table, 4> tables_;
};

// The pixels of the digital line from a to b: max(|dl|, |dc|) + 1 pixels, each at the rounded
// position (trunc(p + 0.5)) of an even walk from a to b. Coordinates must not be negative.
void AppendLine(std::array<int, 2> a, std::array<int, 2> b, std::vector<std::array<int, 2>>& pixels);

// Reused between discs, so that a run of steps allocates nothing once warm.
struct DiscWorkspace {
  CircleTables tables;
  std::vector<std::array<int, 2>> points, pixels;
  std::vector<int> columnStarts, columns, cursor;
  std::vector<PixelRun> gaps;
  std::vector<int> gapStarts;
  std::vector<std::uint8_t> filled;
  std::vector<std::array<int, 3>> spans;
};

// The disc of `radius` around (cy, cx): the circle traced with the plan of `planRadius`, consecutive
// points (and the last and the first) joined, then the background region of the centre filled with
// the centre itself. The circle is closed and 8-connected, so the fill stays inside it; the disc
// needs the lines cy - radius - 1 .. cy + radius + 1 and as many columns around cx, all >= 0.
RowRuns DrawnDisc(int cy, int cx, int radius, int planRadius, DiscWorkspace& work);

// Pixels of a and not of b, line by line (a ring: a disc without a smaller one).
RowRuns Difference(const RowRuns& a, const RowRuns& b);

// A run of pixels in one of two pixel sets and not the other.
struct RunChange {
  int Line = 0;
  int First = 0, Last = 0;
  bool Added = false;  // in the second set (not the first); else in the first only
};

// The runs of pixels in exactly one of `before` and `after`, line by line in increasing lines.
void Changes(const RowRuns& before, const RowRuns& after, std::vector<RunChange>& changes);
