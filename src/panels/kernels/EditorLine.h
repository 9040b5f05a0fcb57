#pragma once
// The line tool of the screen editor: a digital differential analyser from a start pixel to an end
// pixel, and the undo of the last line drawn.
#include <cstdint>
#include <vector>

#include "imaging/PixelPosition.h"
#include "imaging/Plane.h"

// The pixels the line visits, start first: steps = max(|dl|, |dc|) increments of (dl, dc) / steps
// from the start, each position rounded as trunc(p + 0.5). Empty when the two ends are one pixel.
std::vector<PixelPosition> LinePixels(PixelPosition start, PixelPosition end);

// Draws the line with `value`. The undo record receives, in visiting order from index 0, each visited
// pixel and the value it held before (`values` grows when it is too short). Returns the number of
// pixels drawn: 0, and the record left as it was, when the ends are one pixel or either lies outside
// the plane.
int DrawEditorLine(BytePlane& plane, PixelPosition start, PixelPosition end, std::uint8_t value,
                   std::vector<int>& values, std::vector<PixelPosition>& pixels);

// Gives back to the first `count` recorded pixels their former values, last drawn first.
void RestoreLinePixels(BytePlane& plane, const std::vector<int>& values,
                       const std::vector<PixelPosition>& pixels, int count);
