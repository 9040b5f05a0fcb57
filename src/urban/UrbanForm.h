#pragma once
// The holder of the urban field's results that no window draws: the planes and the ratio of the last
// perimeter distance run. (The expansion curves and the distances themselves are kept with the
// diagram windows' state, DiagramState.)
#include "imaging/Plane.h"

class TMainForm;

struct TUrbanForm {
  BytePlane ItemMask;         // the pruned outline walked (1 on 255)
  BytePlane PerimeterMask;    // its pixels the walk did not take
  double PerimeterRatio = 0;  // 100 mean / trunc(mean + deviation) of the distances
};

// What the urban treatments computed from an image goes with it: the holder's planes, the perimeter
// distances, the expansion curves, their files waiting to be named, the perimeter extracted, and the
// Diagram entries that show them.
void ReleaseUrbanResults(TMainForm& m);
