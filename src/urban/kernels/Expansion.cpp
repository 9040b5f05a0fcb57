#include "urban/kernels/Expansion.h"

#include <algorithm>
#include <bit>
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

constexpr int kWordBits = 64;

// The reduction of the covered pixels to one box side: the boxes of every cell, which cells each
// pixel line and column falls in, and which cells are counted (not 255).
class BoxGrid {
 public:
  BoxGrid(int lines, int columns, int side)
      : lines_(lines),
        columns_(columns),
        cellLines_(lines / side),
        cellColumns_(columns / side),
        words_((std::max(cellColumns_, 0) + kWordBits - 1) / kWordBits),
        rowSpans_(Spans(lines, cellLines_)),
        columnSpans_(Spans(columns, cellColumns_)),
        rowCells_(CellsOf(rowSpans_, lines)),
        columnCells_(CellsOf(columnSpans_, columns)) {
    if (cellLines_ <= 0 || cellColumns_ <= 0) return;
    area_ = BoxSide(lines, cellLines_) * BoxSide(columns, cellColumns_);
    const auto cells = static_cast<std::size_t>(cellLines_) * static_cast<std::size_t>(cellColumns_);
    counted_.assign(cells, 0);
    stale_.assign(static_cast<std::size_t>(cellLines_) * static_cast<std::size_t>(words_), 0);
    staleWords_.assign(static_cast<std::size_t>(cellLines_), {words_, -1});
  }

  std::int64_t Count() const { return count_; }

  // Resamples again every cell whose box holds a pixel of the runs, and counts anew.
  void Update(const BytePlane& covered, const std::vector<RunChange>& runs) {
    if (counted_.empty()) return;
    std::int64_t marked = 0;  // cells marked, counted again when marked twice: about the work
    for (const RunChange& run : runs) {
      const auto [firstLine, lastLine] = rowCells_[run.Line];
      const int first = columnCells_[run.First].first, last = columnCells_[run.Last].second;
      for (int i = firstLine; i <= lastLine; ++i) MarkStale(i, first, last);
      marked += static_cast<std::int64_t>(lastLine - firstLine + 1) * std::max(last - first + 1, 0);
    }
    // A ring's few cells a line stay on one thread; a whole disc's are shared out by lines.
    const auto lines = static_cast<std::int64_t>(staleLines_.size());
    const std::int64_t grain = parallel::RowGrain(marked * kCellWork / std::max<std::int64_t>(lines, 1) + 1);
    std::vector<std::int64_t> changes(parallel::ChunkCount(lines, grain), 0);
    parallel::For(lines, grain, [&](std::int64_t begin, std::int64_t end) {
      std::int64_t change = 0;
      for (std::int64_t k = begin; k < end; ++k) change += Resample(covered, staleLines_[k]);
      changes[parallel::ChunkIndex(begin, grain)] = change;
    });
    for (std::int64_t change : changes) count_ += change;
    staleLines_.clear();
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

  // Cells first .. last of cell line i are to be resampled.
  void MarkStale(int i, int first, int last) {
    if (first > last) return;
    std::uint64_t* words = stale_.data() + static_cast<std::size_t>(i) * words_;
    auto& [low, high] = staleWords_[i];
    if (high < 0) staleLines_.push_back(i);
    const int firstWord = first / kWordBits, lastWord = last / kWordBits;
    low = std::min(low, firstWord);
    high = std::max(high, lastWord);
    for (int w = firstWord; w <= lastWord; ++w) {
      const int from = w == firstWord ? first % kWordBits : 0;
      const int to = w == lastWord ? last % kWordBits : kWordBits - 1;
      const std::uint64_t upTo = to == kWordBits - 1 ? ~std::uint64_t{0} : (std::uint64_t{1} << (to + 1)) - 1;
      words[w] |= upTo & ~((std::uint64_t{1} << from) - 1);
    }
  }

  // Resamples the stale cells of cell line i; returns the change in the count.
  std::int64_t Resample(const BytePlane& covered, int i) {
    std::uint64_t* words = stale_.data() + static_cast<std::size_t>(i) * words_;
    auto& [low, high] = staleWords_[i];
    const BoxSpan& rows = rowSpans_[i];
    std::uint8_t* counted = counted_.data() + static_cast<std::size_t>(i) * cellColumns_;
    std::int64_t change = 0;
    for (int w = low; w <= high; ++w) {
      for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1) {
        const int j = w * kWordBits + std::countr_zero(bits);
        const bool now = BoxValue(covered, lines_, columns_, rows, columnSpans_[j], area_) != kUncovered;
        change += static_cast<int>(now) - counted[j];
        counted[j] = now;
      }
      words[w] = 0;
    }
    low = words_;
    high = -1;
    return change;
  }

  int lines_, columns_, cellLines_, cellColumns_, words_;
  double area_ = 0;
  std::vector<BoxSpan> rowSpans_, columnSpans_;
  std::vector<std::pair<int, int>> rowCells_, columnCells_;
  std::vector<std::uint8_t> counted_;
  std::int64_t count_ = 0;
  // The cells to resample: one bit each, line by line, with the span of words of each line in use and
  // the lines that have any.
  std::vector<std::uint64_t> stale_;
  std::vector<std::pair<int, int>> staleWords_;
  std::vector<int> staleLines_;
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
