#pragma once
// The perimeter distance of one value of a panel-2 image: its outline (the pixels of the value, or of
// the value dilated three times, that touch the background; L-shaped corners pruned), walked pixel by
// pixel by contour following, and the distance of each pixel walked to a centre (the centre of
// gravity of the outline or a given point), rounded half up.
//
// The walk starts at the outline pixel of the greatest line and, on it, the smallest column, and goes
// first to the first outline neighbour in the order NW, N, NE, E; from then on it takes, turning
// clockwise from the pixel it came from, the first outline neighbour, and so follows the outer
// contour of the start's piece of outline until it is back at the start. A pixel reached again (on
// the way back from a spur or along an open line) is not taken twice. On a thin closed outline (each
// pixel with two outline neighbours: rectangles, discs) this is the plain neighbour-to-neighbour walk.
// Pixels off that contour (other items, hole borders, the inner side of a thick stretch) are not
// walked.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

struct PerimeterDistanceParams {
  int Value = 0;
  bool Dilate = false;  // the value is dilated three times before its outline is taken
  bool GivenCentre = false;
  int CentreLine = 0, CentreColumn = 0;  // the centre when given
};

enum class PerimeterFault {
  None,
  NoOutline,      // no pixel of the value off the image's outer lines and columns
  CentreOutside,  // the given centre is not a pixel of the image
  NoNeighbour,    // the start pixel has no outline neighbour: the walk cannot take a pixel
  TooShort,       // the walk takes two pixels or fewer
  SameDistances,  // every distance walked is the same (the walk and its distances are kept)
};

struct PerimeterDistanceResult {
  PerimeterFault Fault = PerimeterFault::None;
  BytePlane ItemMask;       // 1 on 255: the outline on lines and columns 1 .. size - 2, the studied
                            // pixels on the outer lines and columns
  BytePlane PerimeterMask;  // 1 on 255: the outline pixels the walk did not take
  int CentreLine = 0, CentreColumn = 0;
  int StartLine = 0, StartColumn = 0;
  int WalkLength = 0;          // pixels taken, the start (taken last, on the return) included
  std::vector<int> Distances;  // WalkLength - 1: the distances of the pixels after the start, in order
  int DistMin = 0, DistMax = 0;
  double DistMean = 0;
  double Deviation = 0;  // standard deviation of the distances about their mean
  double Ratio = 0;      // 100 mean / trunc(mean + deviation)
};

PerimeterDistanceResult PerimeterDistance(const BytePlane& binary, const PerimeterDistanceParams& params);
