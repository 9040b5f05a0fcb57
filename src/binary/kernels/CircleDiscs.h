#pragma once
// The discs of the moving circle. A disc of radius R centred on (i, j) is drawn ring by ring,
// rho = R, R - 1, ..., 0, each ring at P angles theta = 0, s, 2s, ... degrees, as the cells
// (i + trunc(rho sin theta), j + trunc(rho cos theta)); P and s depend on R (360 points at 1 degree
// up to R = 33, 720 at 0.5 up to 64, 1440 at 0.25 up to 107, 2880 at 0.125 beyond).
//
// Every angle of a radius is an angle of the next one, so the disc of R + 1 holds the disc of R. The
// table keeps, for every offset (dy, dx) with |dy|, |dx| <= the largest radius, the first radius
// whose disc holds it: the disc of R is the set of offsets whose first radius is at most R. Each
// (ring, angle) is evaluated once for all the radii.
#include <cstdint>
#include <vector>

// Points per ring of the disc of radius R.
int DiscAngleCount(int radius);

// One row of a disc: the offsets dx from First to Last, both included.
struct DiscRun {
  int First = 0, Last = 0;
};

// An offset of the table: its first radius, and the smallest first radius from it outward along its
// row (toward greater |dx| on its side of dx = 0), which bounds every offset further out.
struct DiscCell {
  std::uint16_t First;
  std::uint16_t Outward;
};

class DiscTable {
 public:
  // First radius of an offset that no disc up to the largest radius holds.
  static constexpr std::uint16_t kNever = 0xFFFF;
  // Largest radius a table holds: first radii must stay below kNever.
  static constexpr int kLargestRadius = kNever - 1;

  // Radii 1 .. maxRadius (0 gives an empty table; maxRadius is kept within kLargestRadius).
  explicit DiscTable(int maxRadius);

  int MaxRadius() const { return maxRadius_; }
  // The first radius of (dy, dx), kNever beyond the largest radius or outside the table.
  int FirstRadius(int dy, int dx) const;
  // Row dy of the table, centred: cells dx = -MaxRadius() .. MaxRadius(); |dy| <= MaxRadius().
  const DiscCell* Row(int dy) const {
    return cells_.data() + static_cast<std::size_t>(dy + maxRadius_) * width_ + maxRadius_;
  }
  // The smallest first radius of row dy.
  int RowFloor(int dy) const { return rowFloor_[dy + maxRadius_]; }
  // Row dy grows away from dx = 0 on both sides (no offset enters a disc before one nearer 0 on
  // its side): the disc rows are then single runs around 0.
  bool RowUnimodal(int dy) const { return unimodal_[dy + maxRadius_] != 0; }

  // S(R): the cells of the disc of radius R (1 <= R <= MaxRadius()).
  std::int64_t Surface(int radius) const { return surface_[radius]; }
  // Runs of row dy of the disc of radius R, in increasing order; empty for |dy| > R.
  std::vector<DiscRun> Runs(int radius, int dy) const;

 private:
  int maxRadius_ = 0;
  std::size_t width_ = 1;
  std::vector<DiscCell> cells_;
  std::vector<int> rowFloor_;
  std::vector<char> unimodal_;
  std::vector<std::int64_t> surface_;
};
