#pragma once
// The number of occupied cells of a studied-pixel mask reduced by area-weighted resampling, without
// making the reduced plane. A cell is occupied when its resampled value lies in 1 .. 254: its box
// covers enough of a studied pixel (1) not to round to the background (255).
//
// The count equals that of ResampleByBoxes followed by a scan of its output, cell for cell. Most
// cells are settled from the studied pixels alone, packed one bit each: a box over none rounds to
// the background, a box covering a good part of one (its "core") cannot; where 64 columns hold no
// studied pixel, or only core ones, all the boxes within are settled at once. Only the boxes whose
// studied pixels all lie on their thin edges are resampled, exactly as ResampleByBoxes does.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

inline constexpr std::uint8_t kStudiedPixel = 1;
inline constexpr std::uint8_t kOtherPixel = 255;

class OccupiedCellCounter {
 public:
  // `mask` holds kStudiedPixel and kOtherPixel only; it must outlive the counter.
  explicit OccupiedCellCounter(const BytePlane& mask);
  // A temporary mask would not outlive it.
  explicit OccupiedCellCounter(BytePlane&&) = delete;

  // Cells of a lines x columns reduction whose value is in 1 .. 254; 0 for sizes <= 0 or larger
  // than the mask.
  std::int64_t Count(int lines, int columns) const;

  std::int64_t StudiedPixels() const { return studied_; }

 private:
  const BytePlane& mask_;
  int words_ = 0;                    // 64-bit words per packed line, a spare one included
  std::vector<std::uint64_t> bits_;  // the studied pixels, one bit each, line after line
  std::int64_t studied_ = 0;
};
