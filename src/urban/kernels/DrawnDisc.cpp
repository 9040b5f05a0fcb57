#include "urban/kernels/DrawnDisc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kRoundingHalf = 0.5;

struct PlanLimit {
  int largestRadius;
  CirclePlan plan;
};
// Finer angle steps for larger circles; the last plan serves every larger radius.
constexpr PlanLimit kPlans[] = {{33, {360, 1.0}}, {64, {720, 0.5}}, {107, {1440, 0.25}}, {0, {2880, 0.125}}};
constexpr int kPlanCount = 4;

int PlanIndex(int radius) {
  for (int k = 0; k + 1 < kPlanCount; ++k)
    if (radius <= kPlans[k].largestRadius) return k;
  return kPlanCount - 1;
}

// Runs of `a` not covered by `b`, both in increasing columns, passed to emit(first, last).
template <class Emit>
void Subtract(std::span<const PixelRun> a, std::span<const PixelRun> b, Emit&& emit) {
  std::size_t j = 0;
  for (const PixelRun& run : a) {
    while (j < b.size() && b[j].Last < run.First) ++j;
    int from = run.First;
    for (std::size_t k = j; k < b.size() && b[k].First <= run.Last && from <= run.Last; ++k) {
      if (b[k].First > from) emit(from, b[k].First - 1);
      from = std::max(from, b[k].Last + 1);
    }
    if (from <= run.Last) emit(from, run.Last);
  }
}

}  // namespace

std::span<const PixelRun> RowRuns::Row(int line) const {
  const int k = line - Top;
  if (k < 0 || k >= Lines()) return {};
  return {runs_.data() + rowStarts_[k], runs_.data() + rowStarts_[k + 1]};
}

std::int64_t RowRuns::PixelCount() const {
  std::int64_t count = 0;
  for (const PixelRun& run : runs_) count += run.Last - run.First + 1;
  return count;
}

void RowRuns::Start(int top) {
  Top = top;
  runs_.clear();
  rowStarts_.assign(1, 0);
}

void RowRuns::Add(int first, int last) {
  const bool lineHasRun = static_cast<int>(runs_.size()) > rowStarts_.back();
  if (lineHasRun && runs_.back().Last + 1 >= first) {
    runs_.back().Last = std::max(runs_.back().Last, last);
    return;
  }
  runs_.push_back({first, last});
}

void RowRuns::NextLine() {
  rowStarts_.push_back(static_cast<int>(runs_.size()));
}

CirclePlan PlanOfRadius(int radius) {
  return kPlans[PlanIndex(radius)].plan;
}

const CircleTables::Table& CircleTables::TableOf(int planRadius) {
  const CirclePlan plan = PlanOfRadius(planRadius);
  Table& table = tables_[PlanIndex(planRadius)];
  if (table.sines.empty()) {
    // Degrees to radians as 4 atan(1) / 180, the angles accumulated step by step.
    const double toRadians = 4.0 * std::atan(1.0) * (1.0 / 180.0);
    table.sines.resize(plan.Points);
    table.cosines.resize(plan.Points);
    double angle = 0;
    for (int k = 0; k < plan.Points; ++k) {
      table.sines[k] = std::sin(angle * toRadians);
      table.cosines[k] = std::cos(angle * toRadians);
      angle += plan.Step;
    }
  }
  return table;
}

void CircleTables::Points(int cy, int cx, int radius, int planRadius,
                          std::vector<std::array<int, 2>>& points) {
  const Table& table = TableOf(planRadius);
  const double r = radius;
  points.resize(table.sines.size());
  for (std::size_t k = 0; k < points.size(); ++k)
    points[k] = {cy - static_cast<int>(r * table.sines[k]), cx + static_cast<int>(r * table.cosines[k])};
}

void AppendLine(std::array<int, 2> a, std::array<int, 2> b, std::vector<std::array<int, 2>>& pixels) {
  const int dl = b[0] - a[0], dc = b[1] - a[1];
  const int steps = std::max(std::abs(dl), std::abs(dc));
  if (steps == 0) {
    pixels.push_back(a);
    return;
  }
  for (int k = 0; k <= steps; ++k) {
    const double l = a[0] + static_cast<double>(dl) * k / steps;
    const double c = a[1] + static_cast<double>(dc) * k / steps;
    pixels.push_back({static_cast<int>(l + kRoundingHalf), static_cast<int>(c + kRoundingHalf)});
  }
}

RowRuns DrawnDisc(int cy, int cx, int radius, int planRadius, DiscWorkspace& work) {
  // The circle: its points, and a line wherever two consecutive points are not neighbours (from
  // radius 467 on, the finest angle step leaves gaps the fill would leak through).
  work.tables.Points(cy, cx, radius, planRadius, work.points);
  const auto& points = work.points;
  auto& pixels = work.pixels;
  pixels.assign(points.begin(), points.end());
  for (std::size_t k = 0; k < points.size(); ++k) {
    const auto& a = points[k];
    const auto& b = points[(k + 1) % points.size()];
    if (std::abs(a[0] - b[0]) > 1 || std::abs(a[1] - b[1]) > 1) AppendLine(a, b, pixels);
  }

  // The circle's columns line by line, in a window one pixel wider than the circle on every side.
  const int top = cy - radius - 1;
  const int lines = 2 * radius + 3;
  const int leftWall = cx - radius - 1, rightWall = cx + radius + 1;
  auto& starts = work.columnStarts;
  starts.assign(lines + 1, 0);
  for (const auto& p : pixels) ++starts[p[0] - top + 1];
  for (int k = 0; k < lines; ++k) starts[k + 1] += starts[k];
  work.cursor.assign(starts.begin(), starts.end() - 1);
  work.columns.resize(pixels.size());
  for (const auto& p : pixels) work.columns[work.cursor[p[0] - top]++] = p[1];
  for (int k = 0; k < lines; ++k) {
    auto first = work.columns.begin() + starts[k], last = work.columns.begin() + starts[k + 1];
    std::sort(first, last);
    work.cursor[k] = static_cast<int>(std::unique(first, last) - work.columns.begin());  // end of line k
  }
  auto circle = [&](int k) {
    return std::span<const int>(work.columns.data() + starts[k], work.columns.data() + work.cursor[k]);
  };

  // The background runs between the circle's pixels.
  auto& gaps = work.gaps;
  auto& gapStarts = work.gapStarts;
  gaps.clear();
  gapStarts.assign(1, 0);
  for (int k = 0; k < lines; ++k) {
    int from = leftWall;
    for (int column : circle(k)) {
      if (column > from) gaps.push_back({from, column - 1});
      from = column + 1;
    }
    if (from <= rightWall) gaps.push_back({from, rightWall});
    gapStarts.push_back(static_cast<int>(gaps.size()));
  }

  // The fill: the span of the centre (the centre itself, whatever it holds, and the background on
  // either side of it), then every background run of a neighbouring line that overlaps a filled span.
  work.filled.assign(gaps.size(), 0);
  auto& spans = work.spans;
  spans.clear();
  const int seedLine = cy - top;
  int seedFirst = cx, seedLast = cx;
  for (int g = gapStarts[seedLine]; g < gapStarts[seedLine + 1]; ++g) {
    if (gaps[g].Last < cx - 1 || gaps[g].First > cx + 1) continue;
    if (gaps[g].First <= cx && cx <= gaps[g].Last) {
      seedFirst = gaps[g].First;
      seedLast = gaps[g].Last;
    } else if (gaps[g].Last == cx - 1) {
      seedFirst = gaps[g].First;
    } else if (gaps[g].First == cx + 1) {
      seedLast = gaps[g].Last;
    } else {
      continue;
    }
    work.filled[g] = 1;
  }
  spans.push_back({seedLine, seedFirst, seedLast});
  while (!spans.empty()) {
    const auto [k, first, last] = spans.back();
    spans.pop_back();
    for (int next : {k - 1, k + 1}) {
      if (next < 0 || next >= lines) continue;
      const auto begin = gaps.begin() + gapStarts[next], end = gaps.begin() + gapStarts[next + 1];
      auto g = std::lower_bound(begin, end, first, [](const PixelRun& run, int c) { return run.Last < c; });
      for (; g != end && g->First <= last; ++g) {
        const auto index = g - gaps.begin();
        if (work.filled[index]) continue;
        work.filled[index] = 1;
        spans.push_back({next, g->First, g->Last});
      }
    }
  }

  // The disc: the circle's pixels with the filled runs, line by line.
  RowRuns disc;
  disc.Start(top);
  for (int k = 0; k < lines; ++k) {
    const std::span<const int> columns = circle(k);
    std::size_t c = 0;
    for (int g = gapStarts[k]; g < gapStarts[k + 1]; ++g) {
      if (!work.filled[g]) continue;
      for (; c < columns.size() && columns[c] < gaps[g].First; ++c) disc.Add(columns[c], columns[c]);
      disc.Add(gaps[g].First, gaps[g].Last);
    }
    for (; c < columns.size(); ++c) disc.Add(columns[c], columns[c]);
    disc.NextLine();
  }
  return disc;
}

RowRuns Difference(const RowRuns& a, const RowRuns& b) {
  RowRuns result;
  result.Start(a.Top);
  for (int line = a.Top; line < a.Top + a.Lines(); ++line) {
    Subtract(a.Row(line), b.Row(line), [&](int first, int last) { result.Add(first, last); });
    result.NextLine();
  }
  return result;
}

void Changes(const RowRuns& before, const RowRuns& after, std::vector<RunChange>& changes) {
  changes.clear();
  const int top = std::min(before.Top, after.Top);
  const int bottom = std::max(before.Top + before.Lines(), after.Top + after.Lines());
  for (int line = top; line < bottom; ++line) {
    const auto was = before.Row(line), is = after.Row(line);
    Subtract(was, is, [&](int first, int last) { changes.push_back({line, first, last, false}); });
    Subtract(is, was, [&](int first, int last) { changes.push_back({line, first, last, true}); });
  }
}
