#pragma once
// The Mexican-hat (Laplacian of Gaussian) filtering of a gray plane, rescaled to gray values.
#include <vector>

#include "imaging/Plane.h"

// The (2R + 1) x (2R + 1) kernel, row by row: K[i][j] = (2 - d) exp(-d / 2) with
// d = ((R - i)^2 + (R - j)^2) / sigma^2. Empty for R < 0.
std::vector<double> MexicanHatKernel(int range, double sigma);

// Filters `source` with the kernel at every pixel at least R from the edges, then writes `image`
// (the source's size, reused when it already has it): those pixels rescaled linearly from the
// filtered minimum and maximum to 0 .. 255, truncated, and 0 on the border of width R. False, with
// `image` all 0, when no pixel is at least R from the edges or the filtered values are all equal
// (nothing to rescale).
//
// By the separable passes of HatFilter: 2 (2R + 1) taps a pixel instead of (2R + 1)^2.
bool MakeMexicanHatImage(const BytePlane& source, int range, double sigma, BytePlane& image);
