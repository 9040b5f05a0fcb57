#include "graytone/kernels/FractStar.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "imaging/Parallel.h"

namespace {

constexpr int kStepCount = 4;
constexpr int kSteps[kStepCount] = {1, 2, 4, 8};
constexpr int kBandLines = 64;     // lines of pixels a chunk computes
constexpr int kTileColumns = 128;  // columns of pixels computed together, their segments kept in cache

// A segment of an arm: the gray profile between two pixels at horizontal distance e (e2 = e x e).
inline double Segment(double e2, int a, int b) {
  const int d = a - b;
  return std::sqrt(e2 + static_cast<double>(d * d));
}

struct CrossGeometry {
  double e2[kStepCount];        // squared horizontal step: s x s, or (s sqrt 2) x (s sqrt 2)
  double logSteps[kStepCount];  // ln s, or ln(s sqrt 2)
};

CrossGeometry Geometry(bool diagonal) {
  CrossGeometry g{};
  for (int k = 0; k < kStepCount; ++k) {
    const double e = diagonal ? kSteps[k] * std::sqrt(2.0) : static_cast<double>(kSteps[k]);
    g.e2[k] = e * e;
    g.logSteps[k] = std::log(e);
  }
  return g;
}

// The segments around a band of lines and a tile of columns, each computed once: every segment is
// shared by the arms of up to 2 x 8 / s pixels. Arms sum their segments in the order of the arm,
// pixel by pixel, so the lengths are those of the arms measured one by one.
class Band {
 public:
  Band(const BytePlane& image, bool greek, bool andrew)
      : image_(image),
        greek_(greek),
        andrew_(andrew),
        greekGeometry_(Geometry(false)),
        andrewGeometry_(Geometry(true)) {
    const std::size_t cells = static_cast<std::size_t>(kBandLines + 2 * kStarArm) * kWidth;
    for (auto& step : vertical_) step.resize(greek ? cells : 0);
    for (auto& step : horizontal_) step.resize(greek ? kWidth : 0);
    for (auto& step : diagonal_) step.resize(andrew ? cells : 0);
    for (auto& step : antiDiagonal_) step.resize(andrew ? cells : 0);
  }

  // Lines [first, last) (at most kBandLines) of every interior column.
  void Run(int first, int last, DoublePlane& greekOut, DoublePlane& andrewOut) {
    const int columns = image_.Columns();
    for (int j0 = kStarArm; j0 < columns - kStarArm; j0 += kTileColumns) {
      const int j1 = std::min(j0 + kTileColumns, columns - kStarArm);
      first_ = first;
      FillSegments(first, last, j0, j1);
      for (int i = first; i < last; ++i) {
        if (greek_) {
          FillHorizontal(i, j0, j1);
          Dimensions(GreekLengths(i, j1 - j0), greekGeometry_, greekOut[i] + j0, j1 - j0);
        }
        if (andrew_) Dimensions(AndrewLengths(i, j1 - j0), andrewGeometry_, andrewOut[i] + j0, j1 - j0);
      }
    }
  }

 private:
  static constexpr int kWidth = kTileColumns + 2 * kStarArm;
  using Lengths = double[kStepCount][kTileColumns];

  // The buffer row of image line `line`; its cell 0 is column j0 - 8, cell 8 column j0.
  double* Row(std::vector<double>& buffer, int line) const {
    return buffer.data() + static_cast<std::size_t>(line - (first_ - kStarArm)) * kWidth;
  }

  // Vertical (pixel to the one s lines below), diagonal (s below and s right) and anti-diagonal (s
  // below and s left) segments starting on lines first - 8 .. last + 7 - s.
  void FillSegments(int first, int last, int j0, int j1) {
    for (int k = 0; k < kStepCount; ++k) {
      const int s = kSteps[k];
      for (int r = first - kStarArm; r < last + kStarArm - s; ++r) {
        const std::uint8_t* top = image_[r];
        const std::uint8_t* bottom = image_[r + s];
        const int base = j0 - kStarArm;
        if (greek_) {
          double* v = Row(vertical_[k], r);
          const double e2 = greekGeometry_.e2[k];
          for (int c = base; c < j1 + kStarArm; ++c) v[c - base] = Segment(e2, top[c], bottom[c]);
        }
        if (andrew_) {
          double* d = Row(diagonal_[k], r);
          double* a = Row(antiDiagonal_[k], r);
          const double e2 = andrewGeometry_.e2[k];
          for (int c = base; c < j1 + kStarArm - s; ++c) d[c - base] = Segment(e2, top[c], bottom[c + s]);
          for (int c = base + s; c < j1 + kStarArm; ++c) a[c - base] = Segment(e2, top[c], bottom[c - s]);
        }
      }
    }
  }

  // Segments from each pixel of line i to the one s columns to its right.
  void FillHorizontal(int i, int j0, int j1) {
    const std::uint8_t* row = image_[i];
    for (int k = 0; k < kStepCount; ++k) {
      const int s = kSteps[k];
      double* h = horizontal_[k].data();
      const int base = j0 - kStarArm;
      const double e2 = greekGeometry_.e2[k];
      for (int c = base; c < j1 + kStarArm - s; ++c) h[c - base] = Segment(e2, row[c], row[c + s]);
    }
  }

  // Arms up, down, right, left: T(s) = ((up + down) + right) + left.
  Lengths& GreekLengths(int i, int n) {
    for (int k = 0; k < kStepCount; ++k) {
      const int s = kSteps[k];
      const double* h = horizontal_[k].data() + kStarArm;  // column j0
      ArmStarts starts;
      for (int q = 0, step = 0; step < kStarArm; ++q, step += s) {
        starts[0][q] = Row(vertical_[k], i - step - s) + kStarArm;
        starts[1][q] = Row(vertical_[k], i + step) + kStarArm;
        starts[2][q] = h + step;
        starts[3][q] = h - step - s;
      }
      Totals(k, starts, lengths_[k], n);
    }
    return lengths_;
  }

  // Arms up-left, up-right, down-right, down-left.
  Lengths& AndrewLengths(int i, int n) {
    for (int k = 0; k < kStepCount; ++k) {
      const int s = kSteps[k];
      auto& d = diagonal_[k];
      auto& a = antiDiagonal_[k];
      ArmStarts starts;
      for (int q = 0, step = 0; step < kStarArm; ++q, step += s) {
        starts[0][q] = Row(d, i - step - s) + kStarArm - step - s;
        starts[1][q] = Row(a, i - step - s) + kStarArm + step + s;
        starts[2][q] = Row(d, i + step) + kStarArm + step;
        starts[3][q] = Row(a, i + step) + kStarArm - step;
      }
      Totals(k, starts, lengths_[k], n);
    }
    return lengths_;
  }

  // starts[arm][q]: the q-th segment of the arm for the tile's first pixel (the next pixels' follow).
  using ArmStarts = const double* [4][kStarArm];

  template <int Segments>
  static void ArmTotals(const ArmStarts& starts, double* total, int n) {
    for (int jj = 0; jj < n; ++jj) {
      double arm[4];
      for (int a = 0; a < 4; ++a) {
        double length = 0;
        for (int q = 0; q < Segments; ++q) length += starts[a][q][jj];
        arm[a] = length;
      }
      total[jj] = ((arm[0] + arm[1]) + arm[2]) + arm[3];
    }
  }

  static void Totals(int k, const ArmStarts& starts, double* total, int n) {
    switch (kSteps[k]) {
      case 1:
        return ArmTotals<8>(starts, total, n);
      case 2:
        return ArmTotals<4>(starts, total, n);
      case 4:
        return ArmTotals<2>(starts, total, n);
      default:
        return ArmTotals<1>(starts, total, n);
    }
  }

  static void Dimensions(Lengths& lengths, const CrossGeometry& g, double* out, int n) {
    for (int k = 0; k < kStepCount; ++k)
      for (int jj = 0; jj < n; ++jj) lengths[k][jj] = std::log(lengths[k][jj]);
    for (int jj = 0; jj < n; ++jj) {
      const double y[kStepCount] = {lengths[0][jj], lengths[1][jj], lengths[2][jj], lengths[3][jj]};
      out[jj] = StarCrossDimension(g.logSteps, y);
    }
  }

  const BytePlane& image_;
  const bool greek_, andrew_;
  const CrossGeometry greekGeometry_, andrewGeometry_;
  int first_ = 0;
  std::vector<double> vertical_[kStepCount], horizontal_[kStepCount];
  std::vector<double> diagonal_[kStepCount], antiDiagonal_[kStepCount];
  Lengths lengths_{};
};

}  // namespace

std::int64_t StarInteriorCount(int columns, int lines) {
  const std::int64_t interiorLines = lines - 2 * kStarArm, interiorColumns = columns - 2 * kStarArm;
  return interiorLines > 0 && interiorColumns > 0 ? interiorLines * interiorColumns : 0;
}

std::int64_t StarItemPixels(const BytePlane& labels, int code) {
  std::int64_t count = 0;
  if (StarInteriorCount(labels.Columns(), labels.Lines()) == 0) return 0;
  for (int i = kStarArm; i < labels.Lines() - kStarArm; ++i) {
    const std::uint8_t* row = labels[i];
    for (int j = kStarArm; j < labels.Columns() - kStarArm; ++j) count += row[j] == code;
  }
  return count;
}

FractStarResult FractStar(const BytePlane& image, int treatment, const StarItem& item, DoublePlane& shown,
                          const std::function<void(double)>& progress) {
  FractStarResult result;
  const int lines = image.Lines(), columns = image.Columns();
  result.Count = StarInteriorCount(columns, lines);
  if (result.Count == 0 || treatment < kGreekCross || treatment > kStar || shown.Lines() != lines ||
      shown.Columns() != columns)
    return result;
  const bool hasItem = item.Labels && item.Labels->Lines() == lines && item.Labels->Columns() == columns;
  const bool greek = treatment != kStAndrewCross, andrew = treatment != kGreekCross;
  // The star keeps both crosses until their means are taken.
  DoublePlane andrewPlane;
  if (treatment == kStar) andrewPlane = DoublePlane(columns, lines);
  DoublePlane& andrewValues = treatment == kStar ? andrewPlane : shown;

  const int interiorLines = lines - 2 * kStarArm;
  const std::int64_t bands = parallel::ChunkCount(interiorLines, kBandLines);
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<std::int64_t> done{0};
  parallel::For(interiorLines, kBandLines, [&](std::int64_t first, std::int64_t last) {
    Band band(image, greek, andrew);
    band.Run(static_cast<int>(first) + kStarArm, static_cast<int>(last) + kStarArm, shown, andrewValues);
    const std::int64_t finished = ++done;
    if (progress && std::this_thread::get_id() == caller)
      progress(static_cast<double>(finished) / static_cast<double>(bands));
  });

  // Means and range in raster order, as the pixels were once computed one after the other.
  result.Computed = true;
  result.Max = treatment == kGreekCross ? 0.0 : 2.0;
  // Sums of a cross not run stay 0.
  double greekSum = 0, andrewSum = 0, greekItemSum = 0, andrewItemSum = 0;
  for (int i = kStarArm; i < lines - kStarArm; ++i) {
    double* out = shown[i];
    const double* greekRow = greek ? shown[i] : nullptr;
    const double* andrewRow = andrew ? andrewValues[i] : nullptr;
    const std::uint8_t* labels = hasItem ? (*item.Labels)[i] : nullptr;
    for (int j = kStarArm; j < columns - kStarArm; ++j) {
      const double g = greekRow ? greekRow[j] : 0, a = andrewRow ? andrewRow[j] : 0;
      greekSum += g;
      andrewSum += a;
      if (labels && labels[j] == item.Code) {
        greekItemSum += g;
        andrewItemSum += a;
        ++result.ItemCount;
      }
      if (treatment == kStar) out[j] = (g + a) * 0.5;
      if (out[j] > result.Max) result.Max = out[j];
      if (out[j] < result.Min) result.Min = out[j];
    }
  }
  const auto n = static_cast<double>(result.Count);
  result.GreekMean = greek ? greekSum / n : 0;
  result.StAndrewMean = andrew ? andrewSum / n : 0;
  if (result.ItemCount > 0) {
    const auto m = static_cast<double>(result.ItemCount);
    result.GreekItemMean = greek ? greekItemSum / m : 0;
    result.StAndrewItemMean = andrew ? andrewItemSum / m : 0;
  }
  switch (treatment) {
    case kGreekCross:
      result.Mean = result.GreekMean;
      result.ItemMean = result.GreekItemMean;
      break;
    case kStAndrewCross:
      result.Mean = result.StAndrewMean;
      result.ItemMean = result.StAndrewItemMean;
      break;
    default:
      result.Mean = (result.GreekMean + result.StAndrewMean) * 0.5;
      result.ItemMean = (result.GreekItemMean + result.StAndrewItemMean) * 0.5;
  }
  if (progress) progress(1.0);
  return result;
}
