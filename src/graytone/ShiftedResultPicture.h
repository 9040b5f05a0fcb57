#pragma once
// The picture of a panel-3 result that is shown one gray above its stored values (cubic density,
// Morlet wavelet): the pixels at least `border` from every edge are value + 1, at most 255, the frame
// is white.
#include "imaging/Image.h"

IMAGE ShiftedResultPicture(const BytePlane& panel, int border);
