#pragma once
// The moving (scanning) circle: for R = 1, 2, ... up to half the smaller side of the item's bounding
// box, the discs of radius R (CircleDiscs) centred on item pixels that lie wholly inside the item
// are counted: all of them (sliding circle), or, in raster order of their centres, those that also
// share no cell with a disc counted before at that radius (jumping circle). The radii stop at the
// first that counts fewer than two discs.
//
// Since the disc of R + 1 holds the disc of R, every pixel has a fit radius, the largest R whose
// disc centred there lies in the item; it is the smallest first radius of an offset that leads
// outside the item, less one. The sliding counts are the pixels of fit radius R or more; the
// jumping circle places its discs among them, a disc excluding the centres whose discs would meet
// it (the differences of two discs).
#include <cstdint>
#include <functional>
#include <vector>

#include "binary/kernels/CircleDiscs.h"
#include "binary/kernels/ItemIndex.h"
#include "imaging/Plane.h"

enum class CircleMode { Sliding = 0, Jumping = 1 };
enum class CircleValue { Radius = 0, Surface = 1 };

struct CircleCount {
  int Radius = 0;
  std::int64_t Surface = 0;  // S(R), the cells of the disc
  std::int64_t Discs = 0;    // discs that fit, at least 2
};

struct MovingCircleResult {
  int MaxRadius = 0;  // trunc(min(lines, columns) / 2) of the bounding box
  std::int64_t ItemPixels = 0;
  std::vector<CircleCount> Counts;  // R = 1, 2, ...
};

// Largest radius tried for an item of these bounding box sides.
int CircleMaxRadius(int lines, int columns);

// Fit radius of every cell of `mask` (non-zero: item), at most discs.MaxRadius(); 0 outside the
// item. `progress` receives the fraction of the columns done.
WordPlane FitRadii(const BytePlane& mask, const DiscTable& discs,
                   const std::function<void(double)>& progress = nullptr);

// The fit radius of the one cell (i, j) of `mask`, as FitRadii finds it.
int FitRadiusAt(const BytePlane& mask, const DiscTable& discs, int i, int j);

// Discs of radius R placed in raster order of their centres among the cells of fit radius R or
// more, none meeting another.
std::int64_t JumpingDiscs(const WordPlane& fit, const DiscTable& discs, int radius);

// The counts of an item given as a mask of its bounding box (non-zero: item). `progress` receives
// the fraction done, 0 .. 1.
MovingCircleResult MovingCircleOfMask(const BytePlane& mask, CircleMode mode,
                                      const std::function<void(double)>& progress = nullptr);

// The counts of the item of `code` in a labeled image, inside its bounding box; no counts when no
// pixel bears the code.
MovingCircleResult MovingCircle(const BytePlane& labels, const ItemBounds& bounds, int code, CircleMode mode,
                                const std::function<void(double)>& progress = nullptr);

// The diagram's points: x = ln R (radius value) or ln S(R) (surface value), y = ln n; the surface
// value of the sliding circle starts with the item itself, x = 0 and y = ln(item pixels).
struct CirclePoints {
  std::vector<double> LogSize, LogCount;
};
CirclePoints MakeCirclePoints(const MovingCircleResult& result, CircleMode mode, CircleValue value);

// Least-squares line of the points: slope, ratio = -slope, correlation coefficient and its square.
// Slope and ratio are NaN for fewer than two points or no spread in x; the correlation also when
// the y values have no spread.
struct CircleFit {
  double Slope = 0, Ratio = 0, Correlation = 0, R2 = 0;
};
CircleFit FitCircleLine(const std::vector<double>& x, const std::vector<double>& y);
