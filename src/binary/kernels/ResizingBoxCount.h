#pragma once
// Resizing box counting: each item of a labeled image gets a frame of its own, its bounding box
// raised on each side to the next multiple of 8 strictly above, in which boxes of side 1, 2, 4 and 8
// laid from the frame's top-left corner tile exactly; the boxes holding an item pixel are counted and
// the dimension is the negated slope of ln(count) against ln(side).
#include <array>
#include <cstdint>
#include <vector>

#include "binary/kernels/ItemIndex.h"
#include "imaging/Plane.h"

inline constexpr int kResizingSideCount = 4;
inline constexpr std::array<int, kResizingSideCount> kResizingSides = {1, 2, 4, 8};

// The frame side of a bounding box side: the next multiple of 8 strictly above (8 gives 16).
int ResizedFrameSide(int side);

struct ResizingCounts {
  int Code = 0;
  bool Present = false;  // false: no pixel bears the code, nothing was counted
  int FrameLines = 0, FrameColumns = 0;
  std::array<std::int64_t, kResizingSideCount> Boxes{};  // occupied boxes of side 1, 2, 4, 8
  double Dimension = 0;                                  // - slope; NaN when the code is absent
};

// Counts one item within its bounding rectangle (the frame's padding holds no item pixel).
ResizingCounts ResizingBoxCount(const BytePlane& labels, const ItemBounds& bounds, int code);

// Every code of the list, items measured in parallel; a code outside 0 .. 255 or absent from the
// index gives an absent entry.
std::vector<ResizingCounts> ResizingBoxCounts(const BytePlane& labels, const ItemIndex& index,
                                              const std::vector<int>& codes);
