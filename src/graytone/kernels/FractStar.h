#pragma once
// Fract star: the "3D lineal fractal dimension" of a gray-tone image read as a surface. At each pixel
// the gray profile along four arms of 8 pixels is measured as a length with the steps 1, 2, 4 and 8;
// the dimension is 1 minus the log-log slope of the total length against the step. The Greek cross
// takes the vertical and horizontal arms, the St Andrew cross the diagonals, the star the mean of both.
#include <cmath>
#include <cstdint>
#include <functional>

#include "imaging/Plane.h"

enum StarTreatment : int { kGreekCross = 1, kStAndrewCross = 2, kStar = 3 };

inline constexpr int kStarArm = 8;  // arm length, and the border left without value

// Steps 1, 2, 4, 8 whose log lengths differ by less than this count as equal: the pixel gets 0.
inline constexpr double kStarFlatTolerance = 1e-9;

// The item studied besides the whole scene: the interior pixels whose value in `Labels` is `Code`.
struct StarItem {
  const BytePlane* Labels = nullptr;  // none: the whole scene only
  int Code = -1;
};

struct FractStarResult {
  bool Computed = false;   // false when no pixel lies kStarArm pixels from every edge
  std::int64_t Count = 0;  // interior pixels: lines 8 .. lines - 9, columns 8 .. columns - 9
  // Scene means (sums in raster order) of the crosses run; Mean is the one of the values shown
  // ((GreekMean + StAndrewMean) x 0.5 for the star).
  double GreekMean = 0, StAndrewMean = 0, Mean = 0;
  std::int64_t ItemCount = 0;  // interior pixels of the item
  double GreekItemMean = 0, StAndrewItemMean = 0, ItemMean = 0;
  // Range of the values shown: Min starts at 3.0, Max at 0.0 (Greek cross) or 2.0 (the others).
  double Min = 3.0, Max = 0;
};

// Dimension of one cross at one pixel from the logarithms of its total lengths at the steps 1, 2, 4
// and 8 and the logarithms of the steps (ln s, or ln(s sqrt 2) for the diagonals): 0 when the four
// lengths are equal, otherwise 1 - slope capped at 2.
// (Inline: the kernel's pixel loops run it on vectors.)
inline double StarCrossDimension(const double logSteps[4], const double logLengths[4]) {
  bool equal = true;
  for (int k = 1; k < 4; ++k) equal = equal && std::fabs(logLengths[k] - logLengths[0]) < kStarFlatTolerance;
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int k = 0; k < 4; ++k) {
    sx += logSteps[k];
    sy += logLengths[k];
    sxx += logSteps[k] * logSteps[k];
    sxy += logSteps[k] * logLengths[k];
  }
  const double d = 1 - (4 * sxy - sx * sy) / (4 * sxx - sx * sx);
  return equal ? 0 : d > 2 ? 2 : d;
}

// Interior pixels of an image of this size.
std::int64_t StarInteriorCount(int columns, int lines);
// Interior pixels whose value in `labels` is `code`.
std::int64_t StarItemPixels(const BytePlane& labels, int code);

// Writes the value shown of every interior pixel into `shown` (of the image's size; the border is left
// as it is). `progress` is called with the fraction done, only on the calling thread. Throws
// std::bad_alloc when the work planes of the star cannot be had.
FractStarResult FractStar(const BytePlane& image, int treatment, const StarItem& item, DoublePlane& shown,
                          const std::function<void(double)>& progress = {});
