#pragma once
// The Morlet wavelet image: the convolution of an image with the two-dimensional kernel
// (2 - u) exp(-u / 2), u = r^2 / sigma^2 (r the distance to the kernel centre), in a square window of
// 2h + 1 pixels, rescaled to 0 .. 255.
#include <functional>

#include "imaging/Plane.h"

// h >= 1, the window 2h + 1 fits the image.
bool MorletWindowFits(int columns, int lines, int h);
// sigma is a number whose square neither vanishes nor overflows, and every kernel value of the
// half window h is a number.
bool MorletSigmaUsable(int h, double sigma);

struct MorletResult {
  bool Computed = false;
  double Min = 0, Max = 0;  // the extreme responses of the computed pixels
};

// Writes the response of every pixel h .. lines - h - 1, h .. columns - h - 1 into `response` (of the
// source's size; other cells are left as they are): the sum over the window of source x kernel, by
// the separable passes of HatFilter (the window's literal sum but for the last bits; one value
// everywhere for a constant source). `progress` is called with the fraction done, only on the
// calling thread.
MorletResult MorletResponse(const BytePlane& source, int h, double sigma, DoublePlane& response,
                            const std::function<void(double)>& progress = {});

// Every pixel of `gray` (made of the response's size when it is not): trunc((v - min) / (max - min) x
// 255) for the computed pixels, 0 when max = min, and 0 on the border of width h.
void MorletToGray(const DoublePlane& response, int h, double min, double max, BytePlane& gray);
