#include "graytone/kernels/ColourImage.h"

#include <climits>

#include "imaging/Allocators.h"

bool FitColourImage(BytePlane& bgr, int columns, int lines) {
  if (columns <= 0 || lines <= 0 || columns > INT_MAX / 3) return false;
  if (bgr.Lines() == lines && bgr.Columns() == 3 * columns) return true;
  bgr = AllocByteMatrix(3 * columns, lines);
  return !bgr.Empty();
}
