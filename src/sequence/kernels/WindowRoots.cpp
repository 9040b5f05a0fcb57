#include "sequence/kernels/WindowRoots.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VORN_X86 1
#endif

namespace {

using Int128 = __int128;

// Doubles hold integers exactly below 2^53.
constexpr double kExactDouble = 9007199254740992.0;
// Window sums stay exact in doubles when w * max|x| is below this (w S2 and S1^2 below 2^52).
constexpr std::int64_t kExactWindowSpan = std::int64_t{1} << 26;

// w * S2 - S1^2 fits 64 bits when w * max|x| < 2^31 (every term is then below 2^62).
bool FitsInt64(std::int64_t w, std::int64_t maxAbs) {
  return maxAbs == 0 || w < (std::int64_t{1} << 31) / maxAbs;
}

std::int64_t MaxAbs(const int* x, std::int64_t first, std::int64_t end) {
  std::int64_t m = 0;
  for (std::int64_t j = first; j < end; ++j) m = std::max(m, std::abs(static_cast<std::int64_t>(x[j])));
  return m;
}

void AddRootsPlain(const double* p1, const double* p2, std::int64_t count, int w, double* lanes) {
  const double wd = w;
  for (std::int64_t k = 0; k < count; ++k) {
    const double s1 = p1[k + w] - p1[k];
    const double s2 = p2[k + w] - p2[k];
    lanes[k & 3] += std::sqrt(wd * s2 - s1 * s1);
  }
}

#if defined(VORN_X86)
// Four windows at a time: lane j takes the windows 4i + j, as the plain loop does.
__attribute__((target("avx"))) void AddRootsAvx(const double* p1, const double* p2, std::int64_t count, int w,
                                                double* lanes) {
  const __m256d wd = _mm256_set1_pd(w);
  __m256d acc = _mm256_loadu_pd(lanes);
  std::int64_t k = 0;
  for (; k + 3 < count; k += 4) {
    const __m256d s1 = _mm256_sub_pd(_mm256_loadu_pd(p1 + k + w), _mm256_loadu_pd(p1 + k));
    const __m256d s2 = _mm256_sub_pd(_mm256_loadu_pd(p2 + k + w), _mm256_loadu_pd(p2 + k));
    const __m256d t = _mm256_sub_pd(_mm256_mul_pd(wd, s2), _mm256_mul_pd(s1, s1));
    acc = _mm256_add_pd(acc, _mm256_sqrt_pd(t));
  }
  _mm256_storeu_pd(lanes, acc);
  AddRootsPlain(p1 + k, p2 + k, count - k, w, lanes);
}

bool HasAvx() {
  static const bool avx = __builtin_cpu_supports("avx");
  return avx;
}
#endif

template <class Wide>
RootLanes SlidingIntegerRoots(const int* x, std::int64_t first, std::int64_t count, int w) {
  RootLanes roots;
  std::int64_t s1 = 0;
  Wide s2 = 0;
  for (std::int64_t j = first; j < first + w; ++j) {
    s1 += x[j];
    s2 += static_cast<Wide>(x[j]) * x[j];
  }
  for (std::int64_t k = 0; k < count; ++k) {
    roots.Lane[k & 3] +=
        std::sqrt(static_cast<double>(static_cast<Wide>(w) * s2 - static_cast<Wide>(s1) * s1));
    if (k + 1 < count) {
      const std::int64_t in = x[first + k + w], out = x[first + k];
      s1 += in - out;
      s2 += static_cast<Wide>(in) * in - static_cast<Wide>(out) * out;
    }
  }
  return roots;
}

template <class Wide>
RootLanes JumpingIntegerRoots(const int* x, std::int64_t firstWindow, std::int64_t endWindow, int d) {
  RootLanes roots;
  for (std::int64_t k = 0; k < endWindow - firstWindow; ++k) {
    const int* v = x + (firstWindow + k) * d;
    std::int64_t s1 = 0;
    Wide s2 = 0;
    for (int j = 0; j < d; ++j) {
      s1 += v[j];
      s2 += static_cast<Wide>(v[j]) * v[j];
    }
    roots.Lane[k & 3] +=
        std::sqrt(static_cast<double>(static_cast<Wide>(d) * s2 - static_cast<Wide>(s1) * s1));
  }
  return roots;
}

}  // namespace

SlidingRoots::SlidingRoots(const int* values, std::int64_t length, std::int64_t first, std::int64_t last,
                           int largest, RootMethod method)
    : values_(values), length_(length), first_(first), last_(last) {
  const std::int64_t end = std::min(length, last + std::max(largest, 1) - 1);
  if (!values || first >= end) return;
  maxAbs_ = MaxAbs(values, first, end);
  const std::int64_t n = end - first;
  const double squares = static_cast<double>(n) * static_cast<double>(maxAbs_) * static_cast<double>(maxAbs_);
  if (method != RootMethod::Fastest || static_cast<std::int64_t>(largest) * maxAbs_ >= kExactWindowSpan ||
      squares >= kExactDouble)
    return;
  prefix1_.resize(static_cast<std::size_t>(n) + 1);
  prefix2_.resize(prefix1_.size());
  double s1 = 0, s2 = 0;
  prefix1_[0] = prefix2_[0] = 0;
  for (std::int64_t k = 0; k < n; ++k) {
    const double v = values[first + k];
    s1 += v;
    s2 += v * v;
    prefix1_[static_cast<std::size_t>(k) + 1] = s1;
    prefix2_[static_cast<std::size_t>(k) + 1] = s2;
  }
}

RootLanes SlidingRoots::Sum(int w) const {
  RootLanes roots;
  if (!values_ || w < 1) return roots;
  const std::int64_t end = std::min(last_, length_ - w + 1);
  const std::int64_t count = end - first_;
  if (count <= 0) return roots;
  const bool exact =
      !prefix1_.empty() && static_cast<std::int64_t>(w) + count <= static_cast<std::int64_t>(prefix1_.size());
  if (exact && static_cast<std::int64_t>(w) * maxAbs_ < kExactWindowSpan) {
#if defined(VORN_X86)
    if (HasAvx()) {
      AddRootsAvx(prefix1_.data(), prefix2_.data(), count, w, roots.Lane);
      return roots;
    }
#endif
    AddRootsPlain(prefix1_.data(), prefix2_.data(), count, w, roots.Lane);
    return roots;
  }
  return FitsInt64(w, maxAbs_) ? SlidingIntegerRoots<std::int64_t>(values_, first_, count, w)
                               : SlidingIntegerRoots<Int128>(values_, first_, count, w);
}

RootLanes JumpingRoots(const int* values, std::int64_t firstWindow, std::int64_t endWindow, int d) {
  if (!values || d < 1 || endWindow <= firstWindow) return {};
  const std::int64_t maxAbs = MaxAbs(values, firstWindow * d, endWindow * d);
  return FitsInt64(d, maxAbs) ? JumpingIntegerRoots<std::int64_t>(values, firstWindow, endWindow, d)
                              : JumpingIntegerRoots<Int128>(values, firstWindow, endWindow, d);
}
