#pragma once
// Radial and crown expansion: around a centre, for each radius of a range, the disc (or the ring of a
// fixed width) as DrawnDisc makes it, the share of it whose pixels lie in a gray interval (the
// density), and the box-counting dimension of that covered part: the covered pixels (1 on 255)
// reduced by area-weighted resampling to lines / s x columns / s for s = 2 .. 6, the cells not 255
// counted, and the negated slope of ln N(s) against ln s.
//
// A step costs O(r), not O(image): the covered pixels are kept from one radius to the next and only
// the pixels of the disc that changed are rewritten, and only the reduced cells whose boxes hold a
// rewritten pixel are resampled again, each exactly as ResampleByBoxes would.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/Plane.h"

struct ExpansionParams {
  int CentreLine = 0, CentreColumn = 0;
  int FirstRadius = 0;  // radii FirstRadius .. LastRadius - 1, one step each
  int LastRadius = 0;
  int CrownWidth = 0;  // 0: filled discs; else rings, the disc of r without that of r - CrownWidth
  int MinValue = 0, MaxValue = 0;  // a pixel of value v is covered when MinValue <= v <= MaxValue
};

struct ExpansionStep {
  int Radius = 0;
  double FractalDimension = 0;
  double Density = 0;  // percent of the disc or ring covered
  std::int64_t DiscPixels = 0, CoveredPixels = 0;
};

inline constexpr std::array<int, 5> kExpansionSides = {2, 3, 4, 5, 6};

// The largest last radius around (cy, cx): its distance to the nearest edge of the image, so that
// every circle drawn (up to that radius - 1) keeps a pixel of background around it.
int LargestLastRadius(int lines, int columns, int cy, int cx);

// The parameters can be used on a lines x columns image: the centre inside it, 1 <= FirstRadius <
// LastRadius <= LargestLastRadius, and for rings 0 <= CrownWidth < FirstRadius.
bool ExpansionFits(int lines, int columns, const ExpansionParams& params);

// The density of `covered` pixels among `pixels`, in percent; 0 for no pixel.
double ExpansionDensity(std::int64_t covered, std::int64_t pixels);
// The negated slope of (ln s, ln N(s)) over the sides, or 0 when it is negative or a count is 0.
double ExpansionDimension(const std::array<std::int64_t, kExpansionSides.size()>& counts);

// One step per radius, in increasing radii; none when the parameters do not fit the image.
// `progress`, when given, is told k / steps before step k (k from 1).
std::vector<ExpansionStep> Expand(const BytePlane& image, const ExpansionParams& params,
                                  const std::function<void(double)>& progress = nullptr);
