#pragma once
// Superposition of one value of a binary or labeled image (the mask) over a gray image, written as an
// interleaved colour image (blue, green, red a pixel, 3 x columns bytes a row). The gray planes are
// only read. Each returns false when the planes differ in size or are empty, or memory lacks.
#include "imaging/Image.h"
#include "imaging/Plane.h"

// Opaque: the gray base (a 0 shown as 1, so that no base pixel is pure black), and the colour on the
// pixels whose mask value equals `value`.
bool SuperposeSingle(const BytePlane& base, const BytePlane& mask, int value, Rgb colour, BytePlane& bgr);

struct TransparentParams {
  int Value = 0;       // the mask value superposed
  double Alpha = 0;    // opacity, limited to 0 .. 1
  Rgb Colour;          // the overlay on the value's pixels; white elsewhere
  bool Local = false;  // the mask's background (above 254) shows `original` instead
};

// Blended: each component trunc(min(base x (1 - alpha) + overlay x alpha, 255)), the overlay being
// the colour on the value's pixels and white elsewhere; with Local, the background pixels of the
// mask take the gray of `original` (which may be `base` itself).
bool SuperposeTransparent(const BytePlane& base, const BytePlane& mask, const BytePlane& original,
                          const TransparentParams& params, BytePlane& bgr);
