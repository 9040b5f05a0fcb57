#pragma once
// Cubic density: a cube of (2h + 1)^3 cells centred on each pixel and on its height. Each pixel of the
// (2h + 1)^2 window fills a column of cells whose height follows its gray difference to the centre,
// quantised by the radiometric jump s; the density is the filled fraction of the cube, scaled to
// 0 .. 254.
#include <functional>

#include "imaging/Plane.h"

// Height of the column of a window pixel whose gray exceeds the centre's by d (d may be negative):
// d <= 0: h + 1 - k with k = trunc(|d| / s + 0.5), or 0 when k > h + 1; d >= 1: h + k + 1 with
// k = trunc(d / s + 0.5), or 2h + 1 when k > h.
int CubicColumnHeight(int d, int h, int jump);

// The window 2h + 1 fits the image and h, jump >= 1.
bool CubicDensityComputable(int columns, int lines, int h, int jump);

// Writes every pixel of `density` (made of the image's size when it is not): for the pixels h ..
// lines - h - 1 and h .. columns - h - 1, trunc(sum / (2h + 1)^3 x 254 + 0.5) with `sum` the heights of
// the window's columns; 255 on the border. False, with nothing written, when not computable.
// `progress` is called with the fraction done, only on the calling thread.
bool CubicDensity(const BytePlane& image, int h, int jump, BytePlane& density,
                  const std::function<void(double)>& progress = {});
