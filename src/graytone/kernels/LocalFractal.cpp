#include "graytone/kernels/LocalFractal.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <thread>

#include "imaging/Parallel.h"

namespace {

constexpr int kGrays = 256;
constexpr int kMaxGray = 255;
constexpr int kDifferences = 2 * kMaxGray + 1;  // d = -255 .. 255 at index d + 255
constexpr int kSmallWindow = 12, kLargeWindow = 24;
// Sizes with at least this many boxes along a side keep column tables slid down the image;
// smaller counts are cheaper tile by tile.
constexpr int kTableBoxes = 6;

// A box size: how many boxes along a side, how its counts are taken, and the boxes filled above a
// tile as a function of the tile's height difference to the reference.
struct SizeRule {
  int side = 1;
  int boxes = 0;  // n / side
  bool table = false;
  // ceil(top(d) / side) at d + 255; and the same read backwards, so that the counts of one tile
  // value m for every reference v = 0 .. 255 are the 256 entries from filledReversed[255 - m].
  std::vector<std::uint8_t> filled;
  std::vector<std::uint8_t> filledReversed;
  std::vector<std::uint16_t> filledReversedWide;  // the same, for tables of wide cells
  // filled[d] is the same as at d = -255 up to steadyLow, and the same as at d = 255 from
  // steadyHigh: a tile's counts change with the reference only in between.
  int steadyLow = -kMaxGray, steadyHigh = kMaxGray;
  // Tile maxima planes (indices into the shapes): side x side tiles, the last column of tiles
  // (side - 1 columns wide), the last row (side - 1 lines high) and the corner.
  int full = 0, lastColumn = 0, lastRow = 0, corner = 0;
};

struct Shape {
  int lines, columns;
};

struct Geometry {
  int h = 0, n = 0;
  bool inverted = false;  // a negative scale: heights read as 255 - g, so tops grow with the value
  std::vector<SizeRule> sizes;
  std::vector<Shape> shapes;  // shape 0 is the single pixel: the image itself
  std::vector<double> logSizes;
  std::vector<double> logCounts;  // ln N, N = 1 .. the largest count
  double allSx = 0, allSxx = 0;   // sums of ln s and (ln s)^2 over every size, in size order
};

int ShapeIndex(std::vector<Shape>& shapes, int lines, int columns) {
  for (std::size_t k = 0; k < shapes.size(); ++k)
    if (shapes[k].lines == lines && shapes[k].columns == columns) return static_cast<int>(k);
  shapes.push_back({lines, columns});
  return static_cast<int>(shapes.size()) - 1;
}

Geometry MakeGeometry(int h, double heightScale) {
  Geometry g;
  g.h = h;
  g.n = 2 * h;
  g.inverted = heightScale < 0;
  g.shapes.push_back({1, 1});
  std::vector<int> top(kDifferences);
  for (int d = -kMaxGray; d <= kMaxGray; ++d)
    top[d + kMaxGray] = LocalFractalTop(g.inverted ? -d : d, h, heightScale);
  for (int side : LocalFractalBoxSizes(h)) {
    SizeRule rule;
    rule.side = side;
    rule.boxes = g.n / side;
    rule.table = rule.boxes >= kTableBoxes;
    rule.filled.resize(kDifferences);
    for (int k = 0; k < kDifferences; ++k)
      rule.filled[k] = static_cast<std::uint8_t>((top[k] + side - 1) / side);
    rule.filledReversed.assign(rule.filled.rbegin(), rule.filled.rend());
    while (rule.steadyLow < kMaxGray && rule.filled[rule.steadyLow + 1 + kMaxGray] == rule.filled[0])
      ++rule.steadyLow;
    while (rule.steadyHigh > -kMaxGray &&
           rule.filled[rule.steadyHigh - 1 + kMaxGray] == rule.filled[kDifferences - 1])
      --rule.steadyHigh;
    rule.filledReversedWide.assign(rule.filled.rbegin(), rule.filled.rend());
    if (side > 1) {
      rule.full = ShapeIndex(g.shapes, side, side);
      rule.lastColumn = ShapeIndex(g.shapes, side, side - 1);
      rule.lastRow = ShapeIndex(g.shapes, side - 1, side);
      rule.corner = ShapeIndex(g.shapes, side - 1, side - 1);
    }
    g.sizes.push_back(std::move(rule));
    g.logSizes.push_back(std::log(static_cast<double>(side)));
    g.allSx += g.logSizes.back();
    g.allSxx += g.logSizes.back() * g.logSizes.back();
  }
  // The most boxes one size can fill: 2h - 1 pixel columns of at most 2h voxels.
  const int most = (g.n - 1) * (g.n - 1) * g.n;
  g.logCounts.resize(most + 1);
  for (int count = 1; count <= most; ++count) g.logCounts[count] = std::log(static_cast<double>(count));
  return g;
}

// -slope of (ln s, ln N(s)) over the sizes with N(s) > 0, in size order; 0 below two points or
// for a negative dimension.
double WindowDimension(const int* counts, const Geometry& g) {
  const std::size_t sizes = g.sizes.size();
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  int points = 0;
  if (std::all_of(counts, counts + sizes, [](int count) { return count > 0; })) {
    // Every size counted: the sums of x are those of every window.
    sx = g.allSx;
    sxx = g.allSxx;
    points = static_cast<int>(sizes);
    for (std::size_t k = 0; k < sizes; ++k) {
      const double y = g.logCounts[counts[k]];
      sy += y;
      sxy += g.logSizes[k] * y;
    }
  } else {
    for (std::size_t k = 0; k < sizes; ++k) {
      if (counts[k] <= 0) continue;
      const double x = g.logSizes[k], y = g.logCounts[counts[k]];
      sx += x;
      sy += y;
      sxx += x * x;
      sxy += x * y;
      ++points;
    }
  }
  if (points < 2) return 0;
  const double slope = (points * sxy - sx * sy) / (points * sxx - sx * sx);
  const double dimension = -slope;
  return dimension < 0 ? 0 : dimension;
}

// One piece of the work: output lines [i0, i1) and columns [j0, j1), with the image region its
// windows reach (lines i0 - h .. i1 + h - 2, columns j0 - h .. j1 + h - 2) copied locally.
//
// A pixel's two windows are the window placed at the pixel and the one placed at its upper-left
// neighbour, both read against the neighbour's gray value. So each window position is counted once
// against two references: its upper-left neighbour's (first window of the pixel there) and its own
// (second window of the pixel below right).
class Piece {
 public:
  Piece(const Geometry& g, const BytePlane& image, int i0, int i1, int j0, int j1)
      : g_(g), i0_(i0), i1_(i1), j0_(j0), j1_(j1) {
    lines_ = (i1 - i0) + 2 * g.h - 1;
    columns_ = (j1 - j0) + 2 * g.h - 1;
    top_ = i0 - g.h;
    left_ = j0 - g.h;
    CopyRegion(image);
    MakeTileMaxima();
    tables_.resize(g.sizes.size());
    wideTables_.resize(g.sizes.size());
    anchors_.resize(g.sizes.size());
    sets_.assign(g.sizes.size(), 0);
    for (const SizeRule& rule : g.sizes) counters_.push_back(CounterFor(rule.side, rule.boxes));
    for (std::size_t k = 0; k < g.sizes.size(); ++k) {
      const SizeRule& rule = g.sizes[k];
      if (!rule.table) continue;
      const std::size_t cells = static_cast<std::size_t>(rule.side) * columns_ * kGrays;
      if (rule.side == 1)
        wideTables_[k].resize(cells);
      else
        tables_[k].resize(cells);
      anchors_[k].assign(rule.side, INT_MIN);
    }
  }

  void Run(DoublePlane& dimensions) {
    const int h = g_.h;
    const int positions = j1_ - j0_ + 1;  // position columns j0 - 1 .. j1 - 1
    const std::size_t sizes = g_.sizes.size();
    std::vector<double> previousB(positions), currentB(positions);
    std::vector<int> countsA(sizes), countsB(sizes);
    std::vector<bool> sliding(sizes);
    for (int p = i0_ - 1; p <= i1_ - 1; ++p) {
      const int y0 = p - h + 1 - top_;
      // Column tables follow the positions: a column is brought to this line when it enters the
      // windows, so the tables read are the ones just written.
      for (std::size_t k = 0; k < sizes; ++k) {
        if (!g_.sizes[k].table) continue;
        const SizeRule& rule = g_.sizes[k];
        sets_[k] = y0 % rule.side;
        int& anchor = anchors_[k][sets_[k]];
        sliding[k] = anchor == y0 - rule.side;
        anchor = y0;
        for (int x = 0; x < LastTileColumn(rule, 0); ++x) BringColumn(k, y0, x, sliding[k]);
      }
      double* out = p >= i0_ ? dimensions[p] : nullptr;
      const bool wantB = p <= i1_ - 2;
      for (int index = 0; index < positions; ++index) {
        const int q = j0_ - 1 + index;
        const int x0 = q - h + 1 - left_;
        for (std::size_t k = 0; k < sizes; ++k)
          if (g_.sizes[k].table) BringColumn(k, y0, LastTileColumn(g_.sizes[k], x0), sliding[k]);
        const int referenceA = Gray(p - 1, q - 1), referenceB = Gray(p, q);
        for (std::size_t k = 0; k < sizes; ++k)
          (this->*counters_[k])(k, y0, x0, referenceA, referenceB, countsA[k], countsB[k]);
        if (out && index >= 1) out[q] = (WindowDimension(countsA.data(), g_) + previousB[index - 1]) * 0.5;
        if (wantB && index <= positions - 2) currentB[index] = WindowDimension(countsB.data(), g_);
      }
      std::swap(previousB, currentB);
    }
  }

 private:
  int Gray(int line, int column) const { return gray_[(line - top_) * columns_ + (column - left_)]; }

  // The last full tile column of the windows anchored at column x0.
  static int LastTileColumn(const SizeRule& rule, int x0) { return x0 + (rule.boxes - 2) * rule.side; }

  void CopyRegion(const BytePlane& image) {
    gray_.resize(static_cast<std::size_t>(lines_) * columns_);
    for (int y = 0; y < lines_; ++y) {
      const std::uint8_t* source = image[top_ + y] + left_;
      std::uint8_t* target = gray_.data() + static_cast<std::size_t>(y) * columns_;
      if (g_.inverted)
        for (int x = 0; x < columns_; ++x) target[x] = static_cast<std::uint8_t>(kMaxGray - source[x]);
      else
        std::copy(source, source + columns_, target);
    }
  }

  // For each tile shape, the highest value of the tile whose top-left cell is (y, x), at the same
  // place as (y, x) in the region; tiles reaching past the region are not made. Shapes of one width
  // grow line by line from the maxima across that width.
  void MakeTileMaxima() {
    planes_.resize(g_.shapes.size());
    std::vector<std::uint8_t> across(gray_), down(gray_.size());
    const std::size_t stride = static_cast<std::size_t>(columns_);
    int widest = 0;
    for (const Shape& shape : g_.shapes) widest = std::max(widest, shape.columns);
    int width = 1;
    for (;;) {
      int tallest = 0;
      for (const Shape& shape : g_.shapes)
        if (shape.columns == width) tallest = std::max(tallest, shape.lines);
      if (tallest > 0) {
        std::copy(across.begin(), across.end(), down.begin());
        for (int height = 1; height <= tallest; ++height) {
          if (height > 1) {
            for (int y = 0; y + height <= lines_; ++y) {
              std::uint8_t* target = down.data() + y * stride;
              const std::uint8_t* below = across.data() + (y + height - 1) * stride;
              for (int x = 0; x < columns_; ++x) target[x] = std::max(target[x], below[x]);
            }
          }
          for (std::size_t k = 1; k < g_.shapes.size(); ++k)
            if (g_.shapes[k].columns == width && g_.shapes[k].lines == height) planes_[k] = down;
        }
      }
      if (++width > widest) break;
      // Maxima across `width` columns.
      for (int y = 0; y < lines_; ++y) {
        std::uint8_t* target = across.data() + y * stride;
        const std::uint8_t* row = gray_.data() + y * stride + width - 1;
        for (int x = 0; x + width <= columns_; ++x) target[x] = std::max(target[x], row[x]);
      }
    }
  }

  const std::uint8_t* Plane(int shape) const { return shape == 0 ? gray_.data() : planes_[shape].data(); }

  // Brings column x of the tables of size k to the windows anchored at line y0: entry v is the
  // boxes filled above the column's full tiles (all tile lines but the last, clipped one) for the
  // reference v. Sliding from the windows `side` lines above, one tile line leaves and one enters.
  void BringColumn(std::size_t k, int y0, int x, bool sliding) {
    if (g_.sizes[k].side == 1)
      BringColumn(g_.sizes[k], wideTables_[k].data(), sets_[k], y0, x, sliding);
    else
      BringColumn(g_.sizes[k], tables_[k].data(), sets_[k], y0, x, sliding);
  }

  template <class Cell>
  static const Cell* ReversedFilled(const SizeRule& rule) {
    if constexpr (sizeof(Cell) == 1)
      return rule.filledReversed.data();
    else
      return rule.filledReversedWide.data();
  }

  // column[v] += add[v] - remove[v] over v = first .. last, widened to whole blocks of 16 cells
  // (outside the range the two slices are equal). Cells wrap round like the counts they hold, so
  // the order of adding and removing is free.
  template <class Cell>
  static void AddDifference(Cell* __restrict column, const Cell* __restrict add,
                            const Cell* __restrict remove, int first, int last) {
    constexpr int kBlock = 16;
    for (int block = first / kBlock * kBlock; block <= last; block += kBlock)
      for (int v = block; v < block + kBlock; ++v)
        column[v] = static_cast<Cell>(column[v] + add[v] - remove[v]);
  }

  template <class Cell>
  void BringColumn(const SizeRule& rule, Cell* tables, int set, int y0, int x, bool sliding) {
    const int side = rule.side;
    const std::size_t stride = static_cast<std::size_t>(columns_);
    Cell* column = tables + (static_cast<std::size_t>(set) * stride + x) * kGrays;
    const std::uint8_t* tiles = Plane(rule.full) + x;
    const Cell* reversed = ReversedFilled<Cell>(rule) + kMaxGray;
    if (sliding) {
      const int leaving = tiles[(y0 - side) * stride];
      const int entering = tiles[(y0 + (rule.boxes - 2) * side) * stride];
      if (leaving == entering) return;
      const Cell* add = reversed - entering;
      const Cell* remove = reversed - leaving;
      // Both tiles give the same counts for the references far enough below or above them.
      const int first = std::max(0, std::min(entering, leaving) - rule.steadyHigh + 1);
      const int last = std::min(kMaxGray, std::max(entering, leaving) - rule.steadyLow - 1);
      AddDifference(column, add, remove, first, last);
      return;
    }
    std::fill(column, column + kGrays, Cell{0});
    for (int a = 0; a + 1 < rule.boxes; ++a) {
      const Cell* add = reversed - tiles[(y0 + a * side) * stride];
      for (int v = 0; v < kGrays; ++v) column[v] = static_cast<Cell>(column[v] + add[v]);
    }
  }

  // The column tables of the full tile columns of a window: Boxes - 1 columns, Side apart.
  template <int Side, int Boxes, class Cell>
  static void AddColumns(const Cell* table, int first, int referenceA, int referenceB, int& a, int& b) {
    int sumA = 0, sumB = 0;
    const Cell* column = table + static_cast<std::size_t>(first) * kGrays;
    for (int k = 0; k + 1 < Boxes; ++k, column += Side * kGrays) {
      sumA += column[referenceA];
      sumB += column[referenceB];
    }
    a += sumA;
    b += sumB;
  }

  // Boxes of size k filled in the window anchored at (y0, x0), for two references. The side and the
  // number of boxes are constants of each instance, so that every loop unrolls.
  template <int Side, int Boxes>
  void Count(std::size_t k, int y0, int x0, int referenceA, int referenceB, int& a, int& b) const {
    const SizeRule& rule = g_.sizes[k];
    // filled[m] for a tile value m.
    const std::uint8_t* filledA = rule.filled.data() + kMaxGray - referenceA;
    const std::uint8_t* filledB = rule.filled.data() + kMaxGray - referenceB;
    const std::size_t stride = static_cast<std::size_t>(columns_);
    const std::size_t down = stride * Side;
    int sumA = 0, sumB = 0;
    const auto add = [&](int m) {
      sumA += filledA[m];
      sumB += filledB[m];
    };
    if constexpr (Boxes >= kTableBoxes) {
      const std::size_t set = static_cast<std::size_t>(sets_[k]) * stride * kGrays;
      if constexpr (Side == 1)
        AddColumns<Side, Boxes>(wideTables_[k].data() + set, x0, referenceA, referenceB, sumA, sumB);
      else
        AddColumns<Side, Boxes>(tables_[k].data() + set, x0, referenceA, referenceB, sumA, sumB);
    } else {
      const std::uint8_t* line = Plane(rule.full) + y0 * stride + x0;
      for (int r = 0; r + 1 < Boxes; ++r, line += down)
        for (int c = 0; c + 1 < Boxes; ++c) add(line[c * Side]);
    }
    if constexpr (Side > 1) {  // the last line and column of a cube hold no pixel
      const int yLast = y0 + (Boxes - 1) * Side, xLast = x0 + (Boxes - 1) * Side;
      const std::uint8_t* lastColumn = Plane(rule.lastColumn) + y0 * stride + xLast;
      for (int r = 0; r + 1 < Boxes; ++r, lastColumn += down) add(*lastColumn);
      const std::uint8_t* lastRow = Plane(rule.lastRow) + yLast * stride + x0;
      for (int c = 0; c + 1 < Boxes; ++c) add(lastRow[c * Side]);
      add(Plane(rule.corner)[yLast * stride + xLast]);
    }
    a = sumA;
    b = sumB;
  }

  using Counter = void (Piece::*)(std::size_t, int, int, int, int, int&, int&) const;

  // The instance for each box size of the two windows.
  static Counter CounterFor(int side, int boxes) {
    switch (side * 100 + boxes) {
      case 124:
        return &Piece::Count<1, 24>;
      case 212:
        return &Piece::Count<2, 12>;
      case 308:
        return &Piece::Count<3, 8>;
      case 406:
        return &Piece::Count<4, 6>;
      case 604:
        return &Piece::Count<6, 4>;
      case 1202:
        return &Piece::Count<12, 2>;
      case 112:
        return &Piece::Count<1, 12>;
      case 206:
        return &Piece::Count<2, 6>;
      case 304:
        return &Piece::Count<3, 4>;
      case 403:
        return &Piece::Count<4, 3>;
      case 602:
        return &Piece::Count<6, 2>;
      default:
        return nullptr;  // LocalFractalBoxSizes gives no other size
    }
  }

  const Geometry& g_;
  int i0_, i1_, j0_, j1_;
  int lines_ = 0, columns_ = 0, top_ = 0, left_ = 0;
  std::vector<std::uint8_t> gray_;
  std::vector<std::vector<std::uint8_t>> planes_;
  // Per size with tables: one set of column tables per line residue of the anchor (side sets);
  // wide cells for size 1, whose columns fill up to 2h - 1 tiles of 2h boxes.
  std::vector<std::vector<std::uint8_t>> tables_;
  std::vector<std::vector<std::uint16_t>> wideTables_;
  std::vector<std::vector<int>> anchors_;  // per size and set: the anchor line the set holds
  std::vector<int> sets_;                  // per size: the set of the current anchor line
  std::vector<Counter> counters_;          // per size
};

// The counts of one window straight from its tops: the points of the last window of a run.
std::vector<int> CountOneWindow(const BytePlane& image, int top, int left, int reference, const Geometry& g,
                                double heightScale) {
  std::vector<int> counts;
  const int side = g.n - 1;
  for (const SizeRule& rule : g.sizes) {
    int count = 0;
    for (int a = 0; a < rule.boxes; ++a) {
      for (int b = 0; b < rule.boxes; ++b) {
        int highest = 0;
        for (int r = a * rule.side; r < std::min(side, (a + 1) * rule.side); ++r)
          for (int c = b * rule.side; c < std::min(side, (b + 1) * rule.side); ++c)
            highest =
                std::max(highest, LocalFractalTop(image[top + r][left + c] - reference, g.h, heightScale));
        count += (highest + rule.side - 1) / rule.side;
      }
    }
    counts.push_back(count);
  }
  return counts;
}

}  // namespace

int LocalFractalHalfWindow(int windowSize) {
  return windowSize == kSmallWindow || windowSize == kLargeWindow ? windowSize / 2 : 0;
}

double LocalFractalHeightScale(double hFactor) {
  return 100 * hFactor;
}

std::vector<int> LocalFractalBoxSizes(int h) {
  if (h == kLargeWindow / 2) return {1, 2, 3, 4, 6, 12};
  return {1, 2, 3, 4, 6};
}

int LocalFractalTop(int d, int h, double heightScale) {
  const double top = d > 0 ? h + std::trunc(d / heightScale) : h - std::trunc(-d / heightScale);
  // Clamped before any conversion: a tiny or negative scale gives tops far outside the cube.
  if (!(top > 0)) return 0;
  if (top > 2 * h) return 2 * h;
  return static_cast<int>(top);
}

LocalFractalResult LocalFractalDimension(const BytePlane& image, const LocalFractalParams& params,
                                         DoublePlane& dimensions,
                                         const std::function<void(double)>& progress) {
  LocalFractalResult result;
  const int h = LocalFractalHalfWindow(params.WindowSize);
  const int lines = image.Lines(), columns = image.Columns();
  const double heightScale = LocalFractalHeightScale(params.HFactor);
  result.Border = h;
  if (h == 0 || !std::isfinite(heightScale) || heightScale == 0 || lines < 2 * h || columns < 2 * h ||
      dimensions.Lines() != lines || dimensions.Columns() != columns)
    return result;
  result.Computed = true;
  result.FirstLine = h;
  result.LastLine = lines - h;
  result.FirstColumn = h;
  result.LastColumn = columns - h;

  const Geometry g = MakeGeometry(h, heightScale);
  struct Task {
    int i0, i1, j0, j1;
  };
  std::vector<Task> tasks;
  // Each piece carries a margin of 2h - 1 lines and columns of image around its pixels, and its own
  // tables, so the pieces run side by side.
  const int pieceLines = std::clamp(params.PieceLines, 1, lines);
  const int pieceColumns = std::clamp(params.PieceColumns, 1, columns);
  for (int i0 = h; i0 <= lines - h; i0 += pieceLines)
    for (int j0 = h; j0 <= columns - h; j0 += pieceColumns)
      tasks.push_back(
          {i0, std::min(i0 + pieceLines, lines - h + 1), j0, std::min(j0 + pieceColumns, columns - h + 1)});

  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<std::int64_t> done{0};
  const auto total = static_cast<std::int64_t>(tasks.size());
  parallel::For(total, 1, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t t = first; t < last; ++t) {
      const Task& task = tasks[t];
      Piece(g, image, task.i0, task.i1, task.j0, task.j1).Run(dimensions);
      const std::int64_t finished = ++done;
      if (progress && std::this_thread::get_id() == caller)
        progress(static_cast<double>(finished) / static_cast<double>(total));
    }
  });

  // Statistics in raster order, as the pixels were once computed one after the other.
  for (int i = result.FirstLine; i <= result.LastLine; ++i) {
    const double* row = dimensions[i];
    for (int j = result.FirstColumn; j <= result.LastColumn; ++j) {
      const double fd = row[j];
      if (fd > result.Max) result.Max = fd;
      if (fd < result.Min) result.Min = fd;
      result.Sum += fd;
    }
  }
  result.Count = static_cast<std::int64_t>(result.LastLine - result.FirstLine + 1) *
                 (result.LastColumn - result.FirstColumn + 1);
  result.LastDimension = dimensions[result.LastLine][result.LastColumn];

  // The second window of the last pixel is the last window counted.
  const int reference = image[result.LastLine - 1][result.LastColumn - 1];
  const std::vector<int> counts =
      CountOneWindow(image, result.LastLine - h, result.LastColumn - h, reference, g, heightScale);
  for (std::size_t k = 0; k < counts.size(); ++k) {
    if (counts[k] <= 0) continue;
    result.LastLogSizes.push_back(g.logSizes[k]);
    result.LastLogCounts.push_back(std::log(static_cast<double>(counts[k])));
  }
  if (progress) progress(1.0);
  return result;
}
