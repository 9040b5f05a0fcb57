#pragma once
// Colour thresholding: three colour planes that keep what was painted, and the interleaved colour
// image (blue, green, red a pixel, 3 x columns bytes a row) made from them.
#include "graytone/kernels/ColourImage.h"
#include "imaging/Image.h"
#include "imaging/Plane.h"

struct ColourPlanes {
  BytePlane Red, Green, Blue;
  bool Fits(const BytePlane& gray) const;
};

// The three planes := the gray image (remade only when their size differs). False when memory lacks.
bool ColourPlanesFromGray(const BytePlane& gray, ColourPlanes& planes);

// Paints the pixels whose gray lies in low .. high with `colour` in the planes, then writes every
// pixel of the planes into `bgr` (remade only when its size differs). False when the planes do not
// fit the gray image or memory lacks.
bool PaintGraySegment(const BytePlane& gray, int low, int high, Rgb colour, ColourPlanes& planes,
                      BytePlane& bgr);

// Only the second half of the above: the colour image of the planes.
bool InterleavePlanes(const ColourPlanes& planes, BytePlane& bgr);
