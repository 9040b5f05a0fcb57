#pragma once
// Fractal exploration: around every pixel, a local box-counting dimension of the pixels holding one
// value. A counting window of side 2h is tiled with boxes of each size (1, 2, 3, 4, and 6 for the
// large window); N boxes hold the value; the dimension is minus the least-squares slope of
// ln(N + 1) against ln(size). Each pixel averages the four windows that have it at one of their
// four central positions, and the map holds trunc(100 x mean + 0.5) within 0 .. 255.
#include <functional>

#include "imaging/Plane.h"

inline constexpr int kExplorationSmallSide = 13;  // half window 6, box sizes 1 .. 4
inline constexpr int kExplorationLargeSide = 25;  // half window 12, box sizes 1 .. 4 and 6

// Scale of the map: every value, or only values of at least 100 (a dimension of 1 or more).
inline constexpr int kExplorationFullScale = 1;
inline constexpr int kExplorationUpperScale = 2;

struct ExplorationParams {
  int Value = 0;        // the value explored; one outside 0 .. 255 is nowhere
  int WindowSide = 13;  // 13 or 25
  int ScaleType = 1;    // kExplorationFullScale or kExplorationUpperScale
};

// Half window of a side (6 or 12); 0 for a side the exploration does not know.
int ExplorationHalfWindow(int windowSide);

// The map, the size of `binary`: the frame of h lines and columns all round is 0, and so are the
// values below 100 with the upper scale. `progress` receives the fraction of the lines done, on the
// calling thread. An unknown side gives a plane of zeros.
BytePlane RunFractalExploration(const BytePlane& binary, const ExplorationParams& params,
                                const std::function<void(double)>& progress = nullptr);
