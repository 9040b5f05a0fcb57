#pragma once
// Reshaping the pixels of one value of a binary or labeled plane, in place. Both treatments leave a
// binary plane: 1 on the value's (new) pixels, 255 everywhere else, frame included.
#include "imaging/Plane.h"

// Majority smoothing: every pixel of lines 1 .. lines - 2 and columns 1 .. columns - 2 with 5 or more
// of the value in its 3 x 3 window (itself included) joins the value, round after round, each round
// judged on the plane as the previous one left it, until a round changes nothing. Pixels only join.
// Returns the number of rounds that changed something.
int MajoritySmoothing(BytePlane& plane, int itemValue);

// Kinds of the mathematical morphology, as the dialog numbers them.
enum MorphoKind : int { kMorphoDilation = 0, kMorphoErosion = 1, kMorphoClosing = 2, kMorphoOpening = 3 };

// Dilation, erosion, closing (dilations then erosions) or opening (erosions then dilations) of the
// value with `iterations` steps of each. A step is two passes, with the 4 neighbours then with the 8.
// Only the pixels at least 2 x iterations from the edge are examined: a dilation pass adds every
// examined pixel that touches the value; an erosion pass removes every pixel of the value that
// touches an examined pixel outside it. Each pass sees the plane as the previous pass left it.
// Fewer than one iteration, or an unknown kind, only makes the plane binary.
void MorphoMath(BytePlane& plane, int value, int kind, int iterations);
