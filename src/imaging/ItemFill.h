#pragma once
// The item walk: 8-connected regions of value 1 found in raster order and given the codes
// 1, 2, ... (10 is never given: it marks an order system in the labeled images).
//
// Border rules: starts are looked for on lines 1 .. lines - 2 and columns 1 .. columns - 2; the walk
// reaches any pixel with line > 0 and column > 0, so line 0 and column 0 are never reached while the
// last line and column are reached as neighbours but never start an item. Every reached pixel is set
// to 0 in the source (the walk consumes it).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

// A growable stack of pixel positions, kept by the caller so that its memory is reused by each walk.
// Nothing is popped while an item is walked: each pixel is pushed once, when it is reached, the walk
// reads the positions in order, and afterwards positions 0 .. Size() - 1 hold the item's pixels.
class PixelStack {
 public:
  struct Position {
    std::int32_t line;
    std::int32_t column;
  };

  void Clear() { positions_.clear(); }
  void Push(std::int32_t line, std::int32_t column) { positions_.push_back({line, column}); }
  const Position& operator[](std::size_t k) const { return positions_[k]; }
  std::size_t Size() const { return positions_.size(); }
  const Position* begin() const { return positions_.data(); }
  const Position* end() const { return positions_.data() + positions_.size(); }

 private:
  std::vector<Position> positions_;
};

// The code that follows `code`, skipping 10.
inline int NextItemCode(int code) {
  return code + 1 == 10 ? 11 : code + 1;
}

// Size of an item of `pixels` pixels as the size bounds see it: a single pixel has size 0.
inline std::int64_t ItemSize(std::int64_t pixels) {
  return pixels == 1 ? 0 : pixels;
}

struct ItemCountResult {
  int ItemCount = 0;               // highest code given (number of kept items, + 1 from ten items on)
  int KeptItems = 0;               // items whose size lay within the bounds
  std::int64_t LabeledPixels = 0;  // pixels that received a code
};

// Labels into `labels` (same size as `binary`, all 0 on entry: the walk keeps its marks there) every
// item of value 1 of `binary` whose size lies in [minSize, maxSize]; every other cell ends at 0. A kept
// single pixel is labeled like any item: its size 0 matters only to the bounds.
ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, PixelStack& stack);
ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize);

// CountItems with the plane cut into `bands` bands of lines walked side by side (1: one walk); every
// band count gives the same result. CountItems picks the count from the plane's size and the cores.
ItemCountResult CountItemsInBands(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, int bands);

// Labels every item of value 1 of `mask` into `labels` (no size bounds). The codes are ints: a caller
// that keeps them in bytes checks ItemCount first.
ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels, PixelStack& stack);
ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels);
