#pragma once
// The item walk: 8-connected regions of value 1 found in raster order and given the codes
// 1, 2, ... (10 is never given: it marks an order system in the labeled images).
//
// Border rules: starts are looked for on lines 1 .. lines - 2 and columns 1 .. columns - 2; the walk
// reaches any pixel with line > 0 and column > 0, so line 0 and column 0 are never reached while the
// last line and column are reached as neighbours but never start an item. Every reached pixel is set
// to 0 in the source (the walk consumes it); a region with no pixel that can start an item is never
// reached and stays as it was.
//
// The regions are found as runs of pixels per line joined across lines, in bands of lines worked side
// by side; the items, their codes and sizes are those of a pixel-by-pixel walk in raster order,
// whatever the number of bands. The runs are read from the plane once and kept (4 bytes a run);
// the tables of the regions grow with the regions found, not with the image.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/Plane.h"

struct ItemWorkspace;

// The walk's memory (runs, region trees, per-band lists), kept by the caller so that it is reused by
// each walk. It also holds the items of the last walk, for ItemPixelsPerCode and PaintItemCodes.
class PixelStack {
 public:
  PixelStack();
  ~PixelStack();
  PixelStack(PixelStack&&) noexcept;
  PixelStack& operator=(PixelStack&&) noexcept;

  // Frees the memory (the next walk takes it again).
  void Clear();
  ItemWorkspace& Work() { return *work_; }
  const ItemWorkspace& Work() const { return *work_; }

 private:
  std::unique_ptr<ItemWorkspace> work_;
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

// Labels into `labels` (same size as `binary`) every item of value 1 of `binary` whose size lies in
// [minSize, maxSize]; the cells of other items and of the background are left as they are. A kept
// single pixel is labeled like any item: its size 0 matters only to the bounds.
ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, PixelStack& stack);
ItemCountResult CountItems(BytePlane& binary, IntPlane& labels, int minSize, int maxSize);

// CountItems with the plane cut into `bands` bands of lines (1: one band); every band count gives the
// same result. CountItems picks the count from the plane's size and the cores.
ItemCountResult CountItemsInBands(BytePlane& binary, IntPlane& labels, int minSize, int maxSize, int bands);

// Labels every item of value 1 of `mask` into `labels` (no size bounds). The codes are ints: a caller
// that keeps them in bytes checks ItemCount first.
ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels, PixelStack& stack);
ItemCountResult WalkItemsForDilation(BytePlane& mask, IntPlane& labels);

// The walk CountItems makes on a copy of `binary` whose outermost frame (lines 0 and lines - 1,
// columns 0 and columns - 1) is set to 0, made without the copy: `binary` is left unchanged and the
// items stay in `stack` for the two calls below. `bands` 0 picks the count as CountItems does.
ItemCountResult CountItemsInFrame(const BytePlane& binary, int minSize, int maxSize, PixelStack& stack,
                                  int bands = 0);

// Pixels of each code of the last walk made with `stack`: ItemCount + 1 entries, index = code.
std::vector<std::int64_t> ItemPixelsPerCode(const PixelStack& stack);

// Writes into `codes` (the size of `binary`, every cell written) the code of every kept pixel as a
// byte and `background` everywhere else, for the last walk of `stack` over `binary`; the kept runs
// are painted, so `binary` is not read again and `codes` may be `binary` itself. The codes must fit a
// byte (ItemCount <= 255).
void PaintItemCodes(const PixelStack& stack, const BytePlane& binary, BytePlane& codes,
                    std::uint8_t background);
