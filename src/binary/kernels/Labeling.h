#pragma once
// Labeling: the items of a binary image (1 on 255) whose size lies in a range become the codes
// 1, 2, ... (10 skipped) of a labeled image, everything else background 255. The source is not
// changed, so a handler can refuse the result (more than 253 items do not fit a byte) with no effect.
#include <cstdint>
#include <vector>

#include "imaging/ItemFill.h"
#include "imaging/Plane.h"

// One byte holds the codes 1 .. 254 without 10, and 255 is the background.
constexpr int kMaxByteItems = 253;

struct LabelingResult {
  int ItemCount = 0;                        // highest code given
  int KeptItems = 0;                        // number of items labeled
  std::int64_t LabeledPixels = 0;           // all labeled pixels (the "versus items" total)
  std::vector<std::int64_t> PixelsPerCode;  // ItemCount + 1 entries, index = code (10 stays 0)
  BytePlane Labeled;                        // codes on 255; empty when the codes do not fit a byte

  bool FitsInBytes() const { return KeptItems <= kMaxByteItems; }
};

// Number of pixels of `plane` equal to `value` (the proposed maximum item size).
std::int64_t CountPixelsOfValue(const BytePlane& plane, std::uint8_t value);

// Labels `binary` as if its outermost frame were cleared first, so no item touches the edge.
LabelingResult LabelItems(const BytePlane& binary, int minSize, int maxSize, PixelStack& stack);
LabelingResult LabelItems(const BytePlane& binary, int minSize, int maxSize);

// The report's percentages; 0 when the total is 0.
double PercentageOfImage(std::int64_t pixels, int lines, int columns);
double PercentageOfItems(std::int64_t pixels, std::int64_t labeledPixels);
