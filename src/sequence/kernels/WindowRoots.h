#pragma once
// Sums of sqrt(w * S2 - S1^2) over windows of w values, S1 and S2 the sums of the values and of
// their squares: w times each window's population standard deviation. S1, S2 and the difference
// are exact integers; each root goes to lane k % 4 (k the window's index from the first one) and
// the lanes add up as (l0 + l1) + (l2 + l3), whatever way the roots are computed, so every method
// gives the same bits.
#include <cstdint>
#include <vector>

struct RootLanes {
  double Lane[4] = {0, 0, 0, 0};
  double Total() const { return (Lane[0] + Lane[1]) + (Lane[2] + Lane[3]); }
};

enum class RootMethod {
  Fastest,  // prefix sums in doubles (exact for moderate values), four roots at a time where the CPU can
  Integer,  // running sums in 64-bit (128-bit when needed) integers, one root at a time
};

// The sliding windows starting in one chunk [first, last) of positions, for several sizes.
class SlidingRoots {
 public:
  // values[0 .. length - 1]; `largest` is the largest size that will be asked.
  SlidingRoots(const int* values, std::int64_t length, std::int64_t first, std::int64_t last, int largest,
               RootMethod method = RootMethod::Fastest);

  // The windows of size w starting at first .. min(last, length - w + 1) - 1.
  RootLanes Sum(int w) const;

 private:
  const int* values_;
  std::int64_t length_, first_, last_;
  std::int64_t maxAbs_ = 0;
  // Prefix sums of the chunk's values and squares, from `first`; empty when not exact in doubles.
  std::vector<double> prefix1_, prefix2_;
};

// The consecutive windows firstWindow .. endWindow - 1 of d values each (window k holds
// values[k d .. k d + d - 1]).
RootLanes JumpingRoots(const int* values, std::int64_t firstWindow, std::int64_t endWindow, int d);
