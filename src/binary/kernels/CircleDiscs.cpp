#include "binary/kernels/CircleDiscs.h"

#include <algorithm>
#include <cmath>

namespace {

// The finest angle step, 0.125 degree, and the radius from which each coarser multiple of it is
// drawn: whole degrees from 1, half degrees from 34, quarters from 65, eighths from 108.
constexpr int kFinestAngles = 2880;
constexpr double kFinestStep = 0.125;
constexpr int kHalfDegreeRadius = 34;
constexpr int kQuarterDegreeRadius = 65;
constexpr int kEighthDegreeRadius = 108;
constexpr int kEighthsPerDegree = 8;

int FirstRadiusOfAngle(int eighth) {
  if (eighth % kEighthsPerDegree == 0) return 1;
  if (eighth % 4 == 0) return kHalfDegreeRadius;
  if (eighth % 2 == 0) return kQuarterDegreeRadius;
  return kEighthDegreeRadius;
}

}  // namespace

int DiscAngleCount(int radius) {
  if (radius < kHalfDegreeRadius) return 360;
  if (radius < kQuarterDegreeRadius) return 720;
  if (radius < kEighthDegreeRadius) return 1440;
  return kFinestAngles;
}

DiscTable::DiscTable(int maxRadius) : maxRadius_(std::clamp(maxRadius, 0, kLargestRadius)) {
  const int m = maxRadius_;
  width_ = static_cast<std::size_t>(2 * m + 1);
  cells_.assign(width_ * width_, DiscCell{kNever, kNever});
  const double pi = 4.0 * std::atan(1.0);
  if (m > 0) {
    for (int eighth = 0; eighth < kFinestAngles; ++eighth) {
      const int angleRadius = FirstRadiusOfAngle(eighth);
      if (angleRadius > m) continue;
      // theta = k s is exact in binary for every step, so each angle's sine is the one a radius
      // of its own step would compute.
      const double theta = eighth * kFinestStep;
      const double sine = std::sin(theta * pi / 180), cosine = std::cos(theta * pi / 180);
      for (int rho = 0; rho <= m; ++rho) {
        const int dy = static_cast<int>(rho * sine), dx = static_cast<int>(rho * cosine);
        std::uint16_t& first = cells_[static_cast<std::size_t>(dy + m) * width_ + (dx + m)].First;
        first = std::min<std::uint16_t>(first, static_cast<std::uint16_t>(std::max(rho, angleRadius)));
      }
    }
  }

  rowFloor_.assign(width_, kNever);
  unimodal_.assign(width_, 1);
  std::vector<std::int64_t> count(static_cast<std::size_t>(m) + 1, 0);
  for (int dy = -m; dy <= m; ++dy) {
    DiscCell* row = cells_.data() + static_cast<std::size_t>(dy + m) * width_ + m;
    int floor = kNever;
    bool unimodal = true;
    for (int dx = -m; dx <= m; ++dx) {
      floor = std::min<int>(floor, row[dx].First);
      if (row[dx].First != kNever) ++count[row[dx].First];
      if (dx > 0 && row[dx].First < row[dx - 1].First) unimodal = false;
      if (dx < 0 && row[dx].First < row[dx + 1].First) unimodal = false;
    }
    row[0].Outward = row[0].First;
    if (m > 0) {
      row[m].Outward = row[m].First;
      row[-m].Outward = row[-m].First;
    }
    for (int dx = m - 1; dx >= 1; --dx) row[dx].Outward = std::min(row[dx].First, row[dx + 1].Outward);
    for (int dx = -m + 1; dx <= -1; ++dx) row[dx].Outward = std::min(row[dx].First, row[dx - 1].Outward);
    rowFloor_[dy + m] = floor;
    unimodal_[dy + m] = unimodal;
  }
  surface_.assign(static_cast<std::size_t>(m) + 1, 0);
  std::int64_t cells = 0;
  for (int r = 0; r <= m; ++r) surface_[r] = cells += count[r];
}

int DiscTable::FirstRadius(int dy, int dx) const {
  if (dy < -maxRadius_ || dy > maxRadius_ || dx < -maxRadius_ || dx > maxRadius_) return kNever;
  return Row(dy)[dx].First;
}

std::vector<DiscRun> DiscTable::Runs(int radius, int dy) const {
  std::vector<DiscRun> runs;
  if (radius < 1 || radius > maxRadius_ || dy < -radius || dy > radius) return runs;
  const DiscCell* row = Row(dy);
  for (int dx = -radius; dx <= radius; ++dx) {
    if (row[dx].First > radius) continue;
    if (!runs.empty() && runs.back().Last == dx - 1)
      runs.back().Last = dx;
    else
      runs.push_back({dx, dx});
  }
  return runs;
}
