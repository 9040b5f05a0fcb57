#pragma once
// The dilation contour: after a closing has grown the items of a labeled image, the pixels each item
// gained are those that carry its code now and were background (255) in the image kept before.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

struct DilationContourResult {
  // The item codes present (1 .. 254), in increasing order.
  std::vector<int> Codes;
  // Running sums over Codes[0 .. k]: the items' pixels, and the pixels they gained.
  std::vector<std::int64_t> TotalPixels;
  std::vector<std::int64_t> BorderPixels;
};

// Leaves in `panel` only the gained pixels, each with its item's code, on the background 255. A
// pixel that `before` does not reach (another size) counts as not gained.
DilationContourResult ExtractDilationContour(BytePlane& panel, const BytePlane& before);
