#include "graytone/kernels/CubicDensity.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

#include "graytone/kernels/GrayScaling.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kGrays = 256;
constexpr int kDifferences = 2 * kGrays - 1;
// Up to this window side the counts and heights fit 16 bits and the sums run on short products.
constexpr int kShortWindow = 181;
// Up to this window side the heights are summed pixel by pixel; beyond, a histogram is slid.
constexpr int kDirectWindow = 5;

// trunc(sum / cube x 254 + 0.5); the value is positive, so the conversion truncates alike.
std::uint8_t DensityOfSum(std::int64_t sum, double cube) {
  return static_cast<std::uint8_t>(static_cast<int>(static_cast<double>(sum) / cube * 254 + 0.5));
}

// One line of densities from a histogram of the window slid along the line: a step removes the
// window's left column and adds the next one, and the sum of the heights is the histogram weighted
// by the heights of each gray's difference to the centre, over the grays the window holds.
template <class Count, class Sum>
class SlidingWindow {
 public:
  SlidingWindow(const BytePlane& image, int h, int jump)
      : image_(image), h_(h), w_(2 * h + 1), heights_(kDifferences) {
    for (int d = -(kGrays - 1); d < kGrays; ++d)
      heights_[d + kGrays - 1] = static_cast<Count>(CubicColumnHeight(d, h, jump));
    cube_ = static_cast<double>(w_) * w_ * w_;
  }

  void Line(int i, std::uint8_t* out) {
    if (w_ <= kDirectWindow) return DirectLine(i, out);
    std::fill(std::begin(histogram_), std::end(histogram_), Count{0});
    low_ = kGrays - 1;
    high_ = 0;
    for (int r = i - h_; r <= i + h_; ++r)
      for (int c = 0; c < w_; ++c) Add(image_[r][c]);
    const int columns = image_.Columns();
    const std::uint8_t* row = image_[i];
    for (int j = h_; j < columns - h_; ++j) {
      out[j] = DensityOfSum(Weighted(row[j]), cube_);
      if (j + h_ + 1 >= columns) break;
      for (int r = i - h_; r <= i + h_; ++r) {
        --histogram_[image_[r][j - h_]];
        Add(image_[r][j + h_ + 1]);
      }
      while (histogram_[low_] == 0) ++low_;
      while (histogram_[high_] == 0) --high_;
    }
  }

 private:
  // Small windows: the heights of the window's pixels looked up one by one.
  void DirectLine(int i, std::uint8_t* out) {
    const std::uint8_t* rows[kDirectWindow];
    for (int r = 0; r < w_; ++r) rows[r] = image_[i - h_ + r];
    const std::uint8_t* row = image_[i];
    const Count* heights = heights_.data() + (kGrays - 1);
    for (int j = h_; j < image_.Columns() - h_; ++j) {
      const Count* centred = heights - row[j];
      Sum sum = 0;
      for (int r = 0; r < w_; ++r)
        for (int c = j - h_; c <= j + h_; ++c) sum += centred[rows[r][c]];
      out[j] = DensityOfSum(sum, cube_);
    }
  }

  void Add(int gray) {
    ++histogram_[gray];
    low_ = std::min(low_, gray);
    high_ = std::max(high_, gray);
  }

  Sum Weighted(int centre) const {
    const Count* heights = heights_.data() + (kGrays - 1) - centre;
    Sum sum = 0;
    for (int v = low_; v <= high_; ++v) sum += static_cast<Sum>(histogram_[v]) * heights[v];
    return sum;
  }

  const BytePlane& image_;
  const int h_, w_;
  int low_ = 0, high_ = 0;  // the window's darkest and brightest grays
  std::vector<Count> heights_;
  Count histogram_[kGrays];
  double cube_ = 0;
};

template <class Count, class Sum>
void Run(const BytePlane& image, int h, int jump, BytePlane& density,
         const std::function<void(double)>& progress) {
  const int lines = image.Lines(), columns = image.Columns();
  const int computedLines = lines - 2 * h;
  const std::int64_t grain = parallel::RowGrain(static_cast<std::int64_t>(columns) * (2 * h + 1));
  const std::int64_t chunks = parallel::ChunkCount(computedLines, grain);
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<std::int64_t> done{0};
  parallel::For(computedLines, grain, [&](std::int64_t first, std::int64_t last) {
    SlidingWindow<Count, Sum> window(image, h, jump);
    for (auto i = static_cast<int>(first) + h; i < last + h; ++i) {
      std::uint8_t* out = density[i];
      std::fill(out, out + h, kResultFrame);
      window.Line(i, out);
      std::fill(out + columns - h, out + columns, kResultFrame);
    }
    const std::int64_t finished = ++done;
    if (progress && std::this_thread::get_id() == caller)
      progress(static_cast<double>(finished) / static_cast<double>(chunks));
  });
}

}  // namespace

int CubicColumnHeight(int d, int h, int jump) {
  if (d <= 0) {
    const auto k = static_cast<std::int64_t>(std::trunc(std::abs(d) / static_cast<double>(jump) + 0.5));
    return k <= h + 1 ? static_cast<int>(h + 1 - k) : 0;
  }
  const auto k = static_cast<std::int64_t>(std::trunc(d / static_cast<double>(jump) + 0.5));
  return k <= h ? static_cast<int>(h + k + 1) : 2 * h + 1;
}

bool CubicDensityComputable(int columns, int lines, int h, int jump) {
  return h >= 1 && jump >= 1 && h <= (std::min(columns, lines) - 1) / 2;
}

bool CubicDensity(const BytePlane& image, int h, int jump, BytePlane& density,
                  const std::function<void(double)>& progress) {
  const int lines = image.Lines(), columns = image.Columns();
  if (!CubicDensityComputable(columns, lines, h, jump)) return false;
  if (density.Lines() != lines || density.Columns() != columns) density = BytePlane(columns, lines);
  for (int i = 0; i < h; ++i) {
    std::fill(density[i], density[i] + columns, kResultFrame);
    std::fill(density[lines - 1 - i], density[lines - 1 - i] + columns, kResultFrame);
  }
  if (2 * h + 1 <= kShortWindow)
    Run<std::int16_t, std::int32_t>(image, h, jump, density, progress);
  else
    Run<std::int32_t, std::int64_t>(image, h, jump, density, progress);
  if (progress) progress(1.0);
  return true;
}
