#pragma once
// Binarizing: the pixels of a gray plane whose value lies in [MinValue, MaxValue] become items (1),
// all others background (255). A frame of Border pixels stays background, and an item pixel with no
// item among its eight neighbours is dropped unless KeepIsolated is set.
#include <cstdint>

#include "imaging/Plane.h"

constexpr std::uint8_t kItemPixel = 1;
constexpr std::uint8_t kBackgroundPixel = 255;

struct BinarizeParams {
  int MinValue = 0;  // included
  int MaxValue = 0;  // included; MinValue > MaxValue selects nothing
  int Border = 0;    // width of the background frame (the last moving-window half window)
  bool KeepIsolated = false;
};

struct BinarizeCounts {
  std::int64_t ItemPixels = 0;  // pixels of value 1 in the binary image
  std::int64_t BackgroundPixels = 0;
  double ItemPercentage = 0;  // over the whole image, frame included
  double BackgroundPercentage = 0;
};

struct BinarizeResult : BinarizeCounts {
  BytePlane Binary;  // items 1 on background 255, the source's size
};

// Reads `source` only, so the source may be the plane that the result will replace.
BinarizeResult Binarize(const BytePlane& source, const BinarizeParams& params);

// Writes the binary image into `binary`, whose memory is reused when it already has the source's
// size; `binary` may be `source` itself. An empty source leaves `binary` empty.
BinarizeCounts BinarizeInto(const BytePlane& source, const BinarizeParams& params, BytePlane& binary);
