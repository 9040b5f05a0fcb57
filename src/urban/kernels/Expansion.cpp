#include "urban/kernels/Expansion.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "binary/kernels/Resample.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"
#include "urban/kernels/DrawnDisc.h"

namespace {

constexpr std::uint8_t kCovered = 1;
constexpr std::uint8_t kUncovered = 255;
constexpr long double kPercent = 100.0L;
// About the work of resampling one cell, in pixel visits, for sharing the cells among threads.
constexpr std::int64_t kCellWork = 16;

// A run of reduced cells on one cell line: columns First .. Last.
struct CellRun {
  int Line = 0;
  int First = 0, Last = 0;
};

// The reduction of the covered pixels to one box side: the boxes of every cell, which cells each
// pixel line and column falls in, and which cells are counted (not 255).
class BoxGrid {
 public:
  BoxGrid(int lines, int columns, int side)
      : lines_(lines),
        columns_(columns),
        cellLines_(lines / side),
        cellColumns_(columns / side),
        rowSpans_(Spans(lines, cellLines_)),
        columnSpans_(Spans(columns, cellColumns_)),
        rowCells_(CellsOf(rowSpans_, lines)),
        columnCells_(CellsOf(columnSpans_, columns)),
        counted_(static_cast<std::size_t>(cellLines_) * static_cast<std::size_t>(cellColumns_), 0) {
    if (cellLines_ > 0 && cellColumns_ > 0)
      area_ = BoxSide(lines, cellLines_) * BoxSide(columns, cellColumns_);
  }

  std::int64_t Count() const { return count_; }

  // Resamples again every cell whose box holds a pixel of the runs, and counts anew.
  void Update(const BytePlane& covered, const std::vector<RunChange>& runs) {
    if (counted_.empty()) return;
    cells_.clear();
    for (const RunChange& run : runs) {
      const auto [firstLine, lastLine] = rowCells_[run.Line];
      const int first = columnCells_[run.First].first, last = columnCells_[run.Last].second;
      for (int i = firstLine; i <= lastLine; ++i) cells_.push_back({i, first, last});
    }
    Merge();
    const std::int64_t chunks = static_cast<std::int64_t>(cells_.size());
    std::int64_t cells = 0;
    for (const CellRun& run : cells_) cells += run.Last - run.First + 1;
    const std::int64_t grain =
        parallel::RowGrain((cells / std::max<std::int64_t>(chunks, 1) + 1) * kCellWork);
    std::vector<std::int64_t> changes(parallel::ChunkCount(chunks, grain), 0);
    parallel::For(chunks, grain, [&](std::int64_t begin, std::int64_t end) {
      std::int64_t change = 0;
      for (std::int64_t k = begin; k < end; ++k) {
        const CellRun& cells = cells_[k];
        const BoxSpan& rows = rowSpans_[cells.Line];
        std::uint8_t* counted = counted_.data() + static_cast<std::size_t>(cells.Line) * cellColumns_;
        for (int j = cells.First; j <= cells.Last; ++j) {
          const bool now = BoxValue(covered, lines_, columns_, rows, columnSpans_[j], area_) != kUncovered;
          change += static_cast<int>(now) - counted[j];
          counted[j] = now;
        }
      }
      changes[parallel::ChunkIndex(begin, grain)] = change;
    });
    for (std::int64_t change : changes) count_ += change;
  }

 private:
  static std::vector<BoxSpan> Spans(int size, int cells) {
    std::vector<BoxSpan> spans(static_cast<std::size_t>(std::max(cells, 0)));
    if (cells <= 0) return spans;
    const double side = BoxSide(size, cells);
    for (int k = 0; k < cells; ++k) spans[k] = SpanOf(k * side, side);
    return spans;
  }

  // For each pixel line (or column), the first and last cell whose box reaches it; empty (first >
  // last) for one no box reaches. The boxes advance with the cells, so these are ranges.
  static std::vector<std::pair<int, int>> CellsOf(const std::vector<BoxSpan>& spans, int size) {
    std::vector<std::pair<int, int>> cells(static_cast<std::size_t>(size), {0, -1});
    for (int k = 0; k < static_cast<int>(spans.size()); ++k) {
      for (int p = std::max(spans[k].First, 0); p <= std::min(spans[k].Last, size - 1); ++p) {
        if (cells[p].first > cells[p].second) cells[p].first = k;
        cells[p].second = k;
      }
    }
    return cells;
  }

  // The cell runs in line order, overlapping or touching runs of a line made one.
  void Merge() {
    std::erase_if(cells_, [](const CellRun& run) { return run.First > run.Last; });
    std::sort(cells_.begin(), cells_.end(), [](const CellRun& a, const CellRun& b) {
      return a.Line != b.Line ? a.Line < b.Line : a.First < b.First;
    });
    std::size_t kept = 0;
    for (const CellRun& run : cells_) {
      if (kept > 0 && cells_[kept - 1].Line == run.Line && cells_[kept - 1].Last + 1 >= run.First)
        cells_[kept - 1].Last = std::max(cells_[kept - 1].Last, run.Last);
      else
        cells_[kept++] = run;
    }
    cells_.resize(kept);
  }

  int lines_, columns_, cellLines_, cellColumns_;
  double area_ = 0;
  std::vector<BoxSpan> rowSpans_, columnSpans_;
  std::vector<std::pair<int, int>> rowCells_, columnCells_;
  std::vector<std::uint8_t> counted_;
  std::int64_t count_ = 0;
  std::vector<CellRun> cells_;
};

// The covered pixels of the current disc (1 on 255), rewritten where the disc changed.
class CoveredPixels {
 public:
  CoveredPixels(const BytePlane& image, int minValue, int maxValue)
      : image_(image), plane_(image.Columns(), image.Lines()) {
    plane_.Fill(kUncovered);
    for (int v = 0; v < 256; ++v) inside_[v] = minValue <= v && v <= maxValue;
  }

  const BytePlane& Plane() const { return plane_; }
  std::int64_t Count() const { return count_; }

  // Applies the changes of the disc; `rewritten` receives the runs of pixels whose value changed.
  void Apply(const std::vector<RunChange>& changes, std::vector<RunChange>& rewritten) {
    std::int64_t work = 0;
    for (const RunChange& run : changes) work += run.Last - run.First + 1;
    const std::int64_t count = static_cast<std::int64_t>(changes.size());
    const std::int64_t grain = count == 0 ? 1 : parallel::RowGrain(work / count + 1);
    const std::int64_t chunks = parallel::ChunkCount(count, grain);
    std::vector<std::vector<RunChange>> parts(static_cast<std::size_t>(chunks));
    std::vector<std::int64_t> counts(static_cast<std::size_t>(chunks), 0);
    parallel::For(count, grain, [&](std::int64_t begin, std::int64_t end) {
      const std::int64_t chunk = parallel::ChunkIndex(begin, grain);
      for (std::int64_t k = begin; k < end; ++k) counts[chunk] += Rewrite(changes[k], parts[chunk]);
    });
    rewritten.clear();
    for (std::size_t chunk = 0; chunk < parts.size(); ++chunk) {
      count_ += counts[chunk];
      rewritten.insert(rewritten.end(), parts[chunk].begin(), parts[chunk].end());
    }
  }

 private:
  // Rewrites one run; returns the change in the number of covered pixels.
  std::int64_t Rewrite(const RunChange& run, std::vector<RunChange>& rewritten) {
    const std::uint8_t* values = image_[run.Line];
    std::uint8_t* covered = plane_[run.Line];
    std::int64_t change = 0;
    int from = -1;  // first column of the run of rewritten pixels in hand
    for (int c = run.First; c <= run.Last; ++c) {
      const std::uint8_t now = run.Added && inside_[values[c]] ? kCovered : kUncovered;
      const bool rewrite = covered[c] != now;
      if (rewrite) {
        covered[c] = now;
        change += now == kCovered ? 1 : -1;
        if (from < 0) from = c;
      } else if (from >= 0) {
        rewritten.push_back({run.Line, from, c - 1, run.Added});
        from = -1;
      }
    }
    if (from >= 0) rewritten.push_back({run.Line, from, run.Last, run.Added});
    return change;
  }

  const BytePlane& image_;
  BytePlane plane_;
  bool inside_[256] = {};
  std::int64_t count_ = 0;
};

}  // namespace

int LargestLastRadius(int lines, int columns, int cy, int cx) {
  return std::min({cy, lines - 1 - cy, cx, columns - 1 - cx});
}

bool ExpansionFits(int lines, int columns, const ExpansionParams& p) {
  const bool centreInside =
      p.CentreLine >= 0 && p.CentreLine < lines && p.CentreColumn >= 0 && p.CentreColumn < columns;
  return centreInside && p.FirstRadius >= 1 && p.LastRadius > p.FirstRadius &&
         p.LastRadius <= LargestLastRadius(lines, columns, p.CentreLine, p.CentreColumn) &&
         p.CrownWidth >= 0 && p.CrownWidth < p.FirstRadius;
}

double ExpansionDensity(std::int64_t covered, std::int64_t pixels) {
  if (pixels <= 0) return 0;
  return static_cast<double>(kPercent * static_cast<long double>(covered) / static_cast<long double>(pixels));
}

double ExpansionDimension(const std::array<std::int64_t, kExpansionSides.size()>& counts) {
  std::array<double, kExpansionSides.size()> x{}, y{};
  for (std::size_t k = 0; k < counts.size(); ++k) {
    if (counts[k] <= 0) return 0;  // nothing covered: no logarithm to fit
    x[k] = std::log(static_cast<double>(kExpansionSides[k]));
    y[k] = std::log(static_cast<double>(counts[k]));
  }
  const double dimension = -LeastSquaresSlope(x.data(), y.data(), static_cast<int>(counts.size()));
  return dimension > 0 ? dimension : 0.0;
}

std::vector<ExpansionStep> Expand(const BytePlane& image, const ExpansionParams& params,
                                  const std::function<void(double)>& progress) {
  const int lines = image.Lines(), columns = image.Columns();
  if (!ExpansionFits(lines, columns, params)) return {};
  const int cy = params.CentreLine, cx = params.CentreColumn;
  const int steps = params.LastRadius - params.FirstRadius;

  CoveredPixels covered(image, params.MinValue, params.MaxValue);
  std::vector<BoxGrid> grids;
  for (int side : kExpansionSides) grids.emplace_back(lines, columns, side);

  DiscWorkspace work;
  RowRuns previous;
  std::vector<RunChange> changes, rewritten;
  std::vector<ExpansionStep> result;
  result.reserve(static_cast<std::size_t>(steps));
  for (int k = 1; k <= steps; ++k) {
    if (progress) progress(static_cast<double>(k) / steps);
    const int r = params.FirstRadius + k - 1;
    RowRuns disc = DrawnDisc(cy, cx, r, r, work);
    // The inner circle is drawn with the outer one's points and angle step.
    if (params.CrownWidth > 0) disc = Difference(disc, DrawnDisc(cy, cx, r - params.CrownWidth, r, work));

    Changes(previous, disc, changes);
    covered.Apply(changes, rewritten);
    std::array<std::int64_t, kExpansionSides.size()> counts{};
    for (std::size_t s = 0; s < grids.size(); ++s) {
      grids[s].Update(covered.Plane(), rewritten);
      counts[s] = grids[s].Count();
    }

    ExpansionStep step;
    step.Radius = r;
    step.DiscPixels = disc.PixelCount();
    step.CoveredPixels = covered.Count();
    step.Density = ExpansionDensity(step.CoveredPixels, step.DiscPixels);
    step.FractalDimension = ExpansionDimension(counts);
    result.push_back(step);
    previous = std::move(disc);
  }
  return result;
}
