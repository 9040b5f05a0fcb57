#include "sequence/kernels/HurstExponent.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "binary/kernels/Dividers.h"
#include "imaging/LeastSquares.h"
#include "imaging/Parallel.h"
#include "sequence/kernels/WindowRoots.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Window positions (sliding) or values (jumping) a chunk covers: its values stay in the cache
// while every size passes over them. Fixed, so that the sums never depend on the thread count.
constexpr std::int64_t kChunkValues = std::int64_t{1} << 13;
// Candidates of the jumping length below L.
constexpr int kJumpingCandidates = 119;

// Adds the chunks' partial sums in chunk order: the same total whatever the thread count.
double SumInOrder(const std::vector<double>& partial, std::size_t stride, std::size_t k) {
  double total = 0;
  for (std::size_t chunk = 0; chunk * stride + k < partial.size(); ++chunk)
    total += partial[chunk * stride + k];
  return total;
}

bool AllEqual(const std::vector<double>& v) {
  return std::all_of(v.begin(), v.end(), [&](double a) { return a == v.front(); });
}

}  // namespace

std::vector<int> SlidingSizes(int firstSize, int step, int count) {
  std::vector<int> sizes;
  for (int k = 0; k < count; ++k) {
    const std::int64_t w = static_cast<std::int64_t>(firstSize) + static_cast<std::int64_t>(k) * step;
    sizes.push_back(static_cast<int>(
        std::clamp<std::int64_t>(w, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
  }
  return sizes;
}

WindowDeviations SlidingDeviations(const int* values, std::int64_t length, const std::vector<int>& sizes) {
  WindowDeviations result;
  if (!values || length < 1) return result;
  std::vector<int> usable;
  for (int w : sizes)
    if (w >= 1 && w <= length) usable.push_back(w);
  if (usable.empty()) return result;
  const int smallest = *std::min_element(usable.begin(), usable.end());
  const int largest = *std::max_element(usable.begin(), usable.end());
  const std::int64_t positions = length - smallest + 1;
  const std::size_t stride = usable.size();
  // Large windows get chunks at least twice their size, so the values a chunk reads stay near it.
  const std::int64_t grain = std::max<std::int64_t>(kChunkValues, 2 * static_cast<std::int64_t>(largest));
  std::vector<double> partial(static_cast<std::size_t>(parallel::ChunkCount(positions, grain)) * stride);

  parallel::For(positions, grain, [&](std::int64_t first, std::int64_t last) {
    const std::size_t chunk = static_cast<std::size_t>(parallel::ChunkIndex(first, grain));
    const SlidingRoots roots(values, length, first, last, largest);
    for (std::size_t k = 0; k < stride; ++k) partial[chunk * stride + k] = roots.Sum(usable[k]).Total();
  });

  for (std::size_t k = 0; k < stride; ++k) {
    const int w = usable[k];
    const double windows = static_cast<double>(length - w + 1);
    result.Sizes.push_back(w);
    result.MeanDeviations.push_back(SumInOrder(partial, stride, k) / w / windows);
  }
  return result;
}

WindowDeviations JumpingDeviations(const int* values, std::int64_t length, const std::vector<int>& sizes,
                                   const std::function<void(double)>& sizeDone) {
  WindowDeviations result;
  if (!values || length < 1) return result;
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    if (sizeDone && k > 0) sizeDone(static_cast<double>(k) / static_cast<double>(sizes.size()));
    const int d = sizes[k];
    if (d < 1 || d > length) continue;
    const std::int64_t windows = length / d;
    const std::int64_t grain = std::max<std::int64_t>(1, kChunkValues / d);
    std::vector<double> partial(static_cast<std::size_t>(parallel::ChunkCount(windows, grain)));
    parallel::For(windows, grain, [&](std::int64_t first, std::int64_t last) {
      partial[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))] =
          JumpingRoots(values, first, last, d).Total();
    });
    result.Sizes.push_back(d);
    result.MeanDeviations.push_back(SumInOrder(partial, 1, 0) / d / static_cast<double>(windows));
  }
  return result;
}

int JumpingLength(int length) {
  int best = 0, chosen = 0;
  for (int m = length - 1; m >= 1 && m > length - 1 - kJumpingCandidates; --m) {
    const int count = static_cast<int>(ListDividers(m).size());
    // Candidates come from the largest down: a tie keeps the larger one.
    if (count > best) {
      best = count;
      chosen = m;
    }
  }
  return chosen;
}

bool HurstFit::Defined() const {
  return Count() >= 2 && std::isfinite(Slope);
}

HurstFit FitHurst(const WindowDeviations& deviations) {
  HurstFit fit;
  fit.Slope = fit.Correlation = fit.R2 = kNaN;
  const std::size_t n = std::min(deviations.Sizes.size(), deviations.MeanDeviations.size());
  for (std::size_t k = 0; k < n; ++k) {
    const double s = deviations.MeanDeviations[k];
    const int w = deviations.Sizes[k];
    if (!(s > 0) || !std::isfinite(s) || w < 1) continue;
    fit.Sizes.push_back(w);
    fit.MeanDeviations.push_back(s);
    fit.LogWindow.push_back(std::log10(static_cast<double>(w)));
    fit.LogDeviation.push_back(std::log10(s));
  }
  const int count = fit.Count();
  if (count < 2) return fit;
  // Equal deviations lie on a flat line: exactly 0, not the rounding left by the sums.
  const bool flat = AllEqual(fit.MeanDeviations);
  fit.Slope = flat ? 0.0 : LeastSquaresSlope(fit.LogWindow.data(), fit.LogDeviation.data(), count);
  if (flat || AllEqual(fit.Sizes)) return fit;
  double ss = 0, sw = 0, ssw = 0, sss = 0, sww = 0;
  for (int k = 0; k < count; ++k) {
    const double s = fit.MeanDeviations[k], w = fit.Sizes[k];
    ss += s;
    sw += w;
    ssw += s * w;
    sss += s * s;
    sww += w * w;
  }
  const double spread = (count * sss - ss * ss) * (count * sww - sw * sw);
  if (!(spread > 0)) return fit;
  fit.Correlation = ClampedCorrelation((count * ssw - ss * sw) / std::sqrt(spread));
  fit.R2 = fit.Correlation * fit.Correlation;
  return fit;
}
