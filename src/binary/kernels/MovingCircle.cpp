#include "binary/kernels/MovingCircle.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Progress is told after each of these bands of columns of the fit radii.
constexpr int kProgressBands = 20;
// Share of the fit radii in the jumping circle's progress; the placing of the discs takes the rest.
constexpr double kJumpingFitShare = 0.5;

void Tell(const std::function<void(double)>& progress, double fraction) {
  if (progress) progress(std::clamp(fraction, 0.0, 1.0));
}

// Runs of item cells from each cell rightward and leftward (0 on the background), capped at `cap`,
// stored column by column: the fit search walks up and down one column.
struct ItemRuns {
  int lines = 0;
  std::vector<std::uint16_t> right, left;
  std::uint16_t Right(int i, int j) const { return right[static_cast<std::size_t>(j) * lines + i]; }
  std::uint16_t Left(int i, int j) const { return left[static_cast<std::size_t>(j) * lines + i]; }
};

ItemRuns MakeItemRuns(const BytePlane& mask, int cap) {
  const int h = mask.Lines(), w = mask.Columns();
  ItemRuns runs;
  runs.lines = h;
  runs.right.resize(static_cast<std::size_t>(h) * w);
  runs.left.resize(static_cast<std::size_t>(h) * w);
  parallel::For(h, parallel::RowGrain(w), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* row = mask[i];
      int run = 0;
      for (int j = w - 1; j >= 0; --j) {
        run = row[j] ? std::min(run + 1, cap) : 0;
        runs.right[static_cast<std::size_t>(j) * h + i] = static_cast<std::uint16_t>(run);
      }
      run = 0;
      for (int j = 0; j < w; ++j) {
        run = row[j] ? std::min(run + 1, cap) : 0;
        runs.left[static_cast<std::size_t>(j) * h + i] = static_cast<std::uint16_t>(run);
      }
    }
  });
  return runs;
}

// The fit search of one pixel: rows of the table by growing |dy|, each giving the smallest first
// radius of an offset that leads to the background; no row beyond the best found can do better,
// as no offset of row dy enters a disc before radius |dy|.
class FitSearch {
 public:
  FitSearch(const BytePlane& mask, const DiscTable& discs, const ItemRuns& runs)
      : mask_(mask),
        discs_(discs),
        runs_(runs),
        m_(discs.MaxRadius()),
        h_(mask.Lines()),
        w_(mask.Columns()) {}

  int FitRadius(int i, int j) const {
    int best = RowMinimum(0, i, j, m_ + 1);
    for (int t = 1; t < best; ++t) {
      best = RowMinimum(t, i + t, j, best);
      if (t < best) best = RowMinimum(-t, i - t, j, best);
    }
    return best - 1;
  }

 private:
  // min(best, the smallest first radius of the background cells of line i2 seen from column j).
  int RowMinimum(int dy, int i2, int j, int best) const {
    if (i2 < 0 || i2 >= h_) return std::min(best, discs_.RowFloor(dy));
    const DiscCell* row = discs_.Row(dy);
    const int toRight = runs_.Right(i2, j);
    if (toRight == 0) {
      // The cell itself is background: from it outward on both sides.
      best = std::min<int>(best, row[0].First);
      best = Side(row, i2, j, 1, 0, best);
      return Side(row, i2, j, -1, 0, best);
    }
    best = Nearest(row, i2, j, 1, toRight, best);
    return Nearest(row, i2, j, -1, runs_.Left(i2, j), best);
  }

  // The first background cell of a side is at offset `run`; a further one can only be smaller
  // where the outward minimum says so.
  int Nearest(const DiscCell* row, int i2, int j, int dir, int run, int best) const {
    if (run > m_) return best;
    best = std::min<int>(best, row[dir * run].First);
    return Side(row, i2, j, dir, run, best);
  }

  // Cells beyond offset `from` on one side, while the outward minimum is below the best.
  int Side(const DiscCell* row, int i2, int j, int dir, int from, int best) const {
    const std::uint8_t* line = mask_[i2];
    for (int x = from + 1; x <= m_ && row[dir * x].Outward < best; ++x) {
      const int column = j + dir * x;
      if (column < 0 || column >= w_) return std::min<int>(best, row[dir * x].Outward);  // all background
      if (!line[column]) best = std::min<int>(best, row[dir * x].First);
    }
    return best;
  }

  const BytePlane& mask_;
  const DiscTable& discs_;
  const ItemRuns& runs_;
  int m_, h_, w_;
};

// Offsets p - q for which the discs centred on p and q share a cell, row by row for
// dy = p.line - q.line = 0 .. 2R: the union over the disc rows y of row(y + dy) - row(y).
std::vector<std::vector<DiscRun>> MeetingRows(const DiscTable& discs, int radius) {
  std::vector<std::vector<DiscRun>> rows(2 * static_cast<std::size_t>(radius) + 1);
  std::vector<std::vector<DiscRun>> disc(2 * static_cast<std::size_t>(radius) + 1);
  for (int y = -radius; y <= radius; ++y) disc[y + radius] = discs.Runs(radius, y);
  std::vector<DiscRun> pieces;
  for (int dy = 0; dy <= 2 * radius; ++dy) {
    pieces.clear();
    bool aroundZero = true;
    for (int y = -radius; y + dy <= radius; ++y)
      for (const DiscRun& lower : disc[y + radius])
        for (const DiscRun& upper : disc[y + dy + radius]) {
          pieces.push_back({upper.First - lower.Last, upper.Last - lower.First});
          aroundZero = aroundZero && pieces.back().First <= 0 && pieces.back().Last >= 0;
        }
    std::vector<DiscRun>& out = rows[dy];
    if (pieces.empty()) continue;
    if (aroundZero) {
      DiscRun hull = pieces.front();
      for (const DiscRun& piece : pieces) {
        hull.First = std::min(hull.First, piece.First);
        hull.Last = std::max(hull.Last, piece.Last);
      }
      out.push_back(hull);
      continue;
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const DiscRun& a, const DiscRun& b) { return a.First < b.First; });
    for (const DiscRun& piece : pieces) {
      if (!out.empty() && piece.First <= out.back().Last + 1)
        out.back().Last = std::max(out.back().Last, piece.Last);
      else
        out.push_back(piece);
    }
  }
  return rows;
}

// Marks blocked[first .. last] within [low, high].
void Block(std::vector<std::uint8_t>& blocked, int first, int last, int low, int high) {
  first = std::max(first, low);
  last = std::min(last, high);
  if (first <= last) std::fill(blocked.begin() + first, blocked.begin() + last + 1, 1);
}

}  // namespace

int CircleMaxRadius(int lines, int columns) {
  return std::max(0, std::min(lines, columns)) / 2;
}

WordPlane FitRadii(const BytePlane& mask, const DiscTable& discs,
                   const std::function<void(double)>& progress) {
  const int h = mask.Lines(), w = mask.Columns();
  WordPlane fit(w, h);
  if (mask.Empty()) return fit;
  const int m = discs.MaxRadius();
  const ItemRuns runs = MakeItemRuns(mask, m + 1);
  const FitSearch search(mask, discs, runs);
  // A pixel costs about two rows of the table per radius of its fit.
  const std::int64_t grain = parallel::RowGrain(static_cast<std::int64_t>(h) * std::max(1, m));
  const int bands = std::min(w, kProgressBands);
  for (int band = 0; band < bands; ++band) {
    const int from = static_cast<int>(static_cast<std::int64_t>(w) * band / bands);
    const int to = static_cast<int>(static_cast<std::int64_t>(w) * (band + 1) / bands);
    parallel::For(to - from, grain, [&](std::int64_t first, std::int64_t last) {
      for (int j = from + static_cast<int>(first); j < from + last; ++j)
        for (int i = 0; i < h; ++i)
          fit[i][j] = mask[i][j] ? static_cast<std::uint16_t>(search.FitRadius(i, j)) : std::uint16_t{0};
    });
    Tell(progress, static_cast<double>(band + 1) / bands);
  }
  return fit;
}

int FitRadiusAt(const BytePlane& mask, const DiscTable& discs, int i, int j) {
  if (!mask.Contains(i, j) || !mask[i][j]) return 0;
  const ItemRuns runs = MakeItemRuns(mask, discs.MaxRadius() + 1);
  return FitSearch(mask, discs, runs).FitRadius(i, j);
}

std::int64_t JumpingDiscs(const WordPlane& fit, const DiscTable& discs, int radius) {
  const int h = fit.Lines(), w = fit.Columns();
  if (fit.Empty() || radius < 1 || radius > discs.MaxRadius()) return 0;
  const std::vector<std::vector<DiscRun>> meeting = MeetingRows(discs, radius);
  struct Centre {
    int line, column;
  };
  std::vector<Centre> placed;
  std::vector<std::uint8_t> blocked(w);
  std::size_t near = 0;  // first disc whose centre is within 2R lines above the current line
  for (int i = 0; i < h; ++i) {
    const std::uint16_t* row = fit[i];
    int low = 0, high = w - 1;
    while (low <= high && row[low] < radius) ++low;
    while (high >= low && row[high] < radius) --high;
    if (low > high) continue;
    while (near < placed.size() && placed[near].line < i - 2 * radius) ++near;
    std::fill(blocked.begin() + low, blocked.begin() + high + 1, 0);
    for (std::size_t k = near; k < placed.size(); ++k)
      for (const DiscRun& run : meeting[i - placed[k].line])
        Block(blocked, placed[k].column + run.First, placed[k].column + run.Last, low, high);
    for (int j = low; j <= high; ++j) {
      if (row[j] < radius || blocked[j]) continue;
      placed.push_back({i, j});
      for (const DiscRun& run : meeting[0]) Block(blocked, j + run.First, j + run.Last, j + 1, high);
    }
  }
  return static_cast<std::int64_t>(placed.size());
}

MovingCircleResult MovingCircleOfMask(const BytePlane& mask, CircleMode mode,
                                      const std::function<void(double)>& progress) {
  MovingCircleResult result;
  const int h = mask.Lines(), w = mask.Columns();
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j) result.ItemPixels += mask[i][j] != 0;
  result.MaxRadius = CircleMaxRadius(h, w);
  const int m = result.MaxRadius;
  if (m < 1 || result.ItemPixels == 0) {
    Tell(progress, 1.0);
    return result;
  }
  const DiscTable discs(m);
  const bool jumping = mode == CircleMode::Jumping;
  const double fitShare = jumping ? kJumpingFitShare : 1.0;
  const WordPlane fit = FitRadii(mask, discs, [&](double done) { Tell(progress, fitShare * done); });

  std::vector<std::int64_t> atLeast(static_cast<std::size_t>(m) + 2, 0);
  if (!jumping) {
    for (int i = 0; i < h; ++i)
      for (int j = 0; j < w; ++j) ++atLeast[fit[i][j]];
    for (int r = m - 1; r >= 0; --r) atLeast[r] += atLeast[r + 1];
  }
  for (int radius = 1; radius <= m; ++radius) {
    const std::int64_t discsCount = jumping ? JumpingDiscs(fit, discs, radius) : atLeast[radius];
    if (discsCount < 2) break;
    result.Counts.push_back({radius, discs.Surface(radius), discsCount});
    if (jumping) Tell(progress, fitShare + (1.0 - fitShare) * radius / m);
  }
  Tell(progress, 1.0);
  return result;
}

MovingCircleResult MovingCircle(const BytePlane& labels, const ItemBounds& bounds, int code, CircleMode mode,
                                const std::function<void(double)>& progress) {
  if (!bounds.Present() || code < 0 || code > 255 || bounds.MinLine < 0 || bounds.MinColumn < 0 ||
      bounds.MaxLine >= labels.Lines() || bounds.MaxColumn >= labels.Columns())
    return {};
  const int h = bounds.Lines(), w = bounds.Columns();
  BytePlane mask(w, h);
  const auto value = static_cast<std::uint8_t>(code);
  for (int a = 0; a < h; ++a) {
    const std::uint8_t* source = labels[bounds.MinLine + a] + bounds.MinColumn;
    std::uint8_t* out = mask[a];
    for (int b = 0; b < w; ++b) out[b] = source[b] == value;
  }
  return MovingCircleOfMask(mask, mode, progress);
}

CirclePoints MakeCirclePoints(const MovingCircleResult& result, CircleMode mode, CircleValue value) {
  CirclePoints points;
  const bool surface = value == CircleValue::Surface;
  if (surface && mode == CircleMode::Sliding) {
    points.LogSize.push_back(0.0);
    points.LogCount.push_back(std::log(static_cast<double>(result.ItemPixels)));
  }
  for (const CircleCount& count : result.Counts) {
    points.LogSize.push_back(std::log(static_cast<double>(surface ? count.Surface : count.Radius)));
    points.LogCount.push_back(std::log(static_cast<double>(count.Discs)));
  }
  return points;
}

CircleFit FitCircleLine(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t k = std::min(x.size(), y.size());
  double sx = 0, sy = 0, sxy = 0, sxx = 0, syy = 0;
  for (std::size_t i = 0; i < k; ++i) {
    sx += x[i];
    sy += y[i];
    sxy += x[i] * y[i];
    sxx += x[i] * x[i];
    syy += y[i] * y[i];
  }
  const double n = static_cast<double>(k);
  const double num = n * sxy - sx * sy, dx = n * sxx - sx * sx, dy = n * syy - sy * sy;
  CircleFit fit;
  fit.Slope = k >= 2 && dx > 0 ? num / dx : kNaN;
  fit.Ratio = -fit.Slope;
  fit.Correlation = k >= 2 && dx > 0 && dy > 0 ? ClampedCorrelation(num / std::sqrt(dy * dx)) : kNaN;
  fit.R2 = fit.Correlation * fit.Correlation;
  return fit;
}
