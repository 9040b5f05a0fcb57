#pragma once
// Parametric result images: a plane of real values drawn in gray, linearly between their minimum
// and maximum, inside a rectangle; the frame around it is white.
#include "imaging/Plane.h"

// gray = trunc((v - Min) / (Max - Min) x 254) + Offset, kept within Floor .. 255. When Max = Min (or a
// bound or the value is not a number) the gray is Offset: a flat result is drawn in one tone.
struct GrayScaling {
  double Min = 0, Max = 0;
  int Offset = 0;
  int Floor = 0;  // the darkest gray a value below Min may take

  int Gray(double value) const;
};

// Lines FirstLine .. LastLine and columns FirstColumn .. LastColumn, both bounds included.
struct PixelRectangle {
  int FirstLine = 0, LastLine = -1, FirstColumn = 0, LastColumn = -1;
};

constexpr std::uint8_t kResultFrame = 255;

// Writes every pixel of `gray` (values' size): the scaled values inside `shown`, 255 elsewhere.
void ScaleToGray(const DoublePlane& values, const GrayScaling& scaling, const PixelRectangle& shown,
                 BytePlane& gray);
