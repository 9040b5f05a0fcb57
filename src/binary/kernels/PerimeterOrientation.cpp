#include "binary/kernels/PerimeterOrientation.h"

#include <cmath>

namespace {

const double kPi = 4.0 * std::atan(1.0);
constexpr int kFullTurn = 360;
constexpr int kQuarterTurn = 90;
constexpr int kHalfTurn = 180;
constexpr int kDown = 270;

}  // namespace

int StepAngle(int dy, int dx, int previous) {
  if (dy == 0) return dx > 0 ? (previous > kDown ? kFullTurn : 0) : kHalfTurn;
  if (dx == 0) return dy > 0 ? kQuarterTurn : kDown;
  double angle = std::atan(static_cast<double>(dy) / dx) * kHalfTurn / kPi;
  if (dx < 0)
    angle += kHalfTurn;
  else if (dy < 0)
    angle += kFullTurn;
  return static_cast<int>(angle);
}

std::vector<int> OrientationSequence(const std::vector<ContourPoint>& points, int length) {
  std::vector<int> angles;
  if (length < 1 || points.empty()) return angles;
  int previous = 0;
  for (std::size_t k = length; k < points.size(); k += length) {
    const ContourPoint& from = points[k - length];
    const ContourPoint& to = points[k];
    const int dy = from.Line - to.Line, dx = to.Column - from.Column;
    if (dy == 0 && dx == 0) continue;
    previous = StepAngle(dy, dx, previous);
    angles.push_back(previous);
  }
  // A quarter turn: 0 (right) becomes 90 and 360 stays 90.
  for (int& angle : angles) {
    angle += kQuarterTurn;
    if (angle > kFullTurn) angle -= kFullTurn;
  }
  return angles;
}
