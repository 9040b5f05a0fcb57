#pragma once
// Adaptive closing linking: the pieces of one value (8-connected, inside the frame of the outermost
// lines and columns) grow until they form one piece, then shrink back by as many steps.
//   Growth, in cycles until one piece is left: every outside pixel inside the frame that touches the
//   shape through one of its 4 neighbours joins it; then, unless that made two pieces touch, every one
//   that touches it through one of its 8 neighbours. Each growth is recorded as a step (4 or 8).
//   Notches: one pass in which every outside pixel inside the frame with 3 or 4 of its 4 neighbours in
//   the shape joins it.
//   Shrinking: the recorded steps again, in order, as erosions: a pixel of the shape that touches, with
//   the step's neighbours, a pixel inside the frame outside the shape leaves it. The frame counts as
//   shape, so nothing is eaten from the image border.
// The result holds the shrunk shape and every pixel of the value, frame included: linking never loses
// a pixel of the original.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

inline constexpr int kGrowth4 = 1;  // a step with the 4 neighbours
inline constexpr int kGrowth8 = 2;  // a step with the 8 neighbours

struct AdaptiveClosingResult {
  int StartPieces = 0;     // pieces of the value inside the frame; 0: nothing was done
  std::vector<int> Steps;  // the growth steps, kGrowth4 or kGrowth8, in order
  int Pieces = 0;          // 8-connected pieces of the result, anywhere in the plane
};

// Writes the result into `mask` (made the size of `binary`): 1 on the linked shape, 255 elsewhere.
// With no piece (StartPieces 0) `mask` is left as it was.
AdaptiveClosingResult AdaptiveClosingLinking(const BytePlane& binary, int value, BytePlane& mask);
