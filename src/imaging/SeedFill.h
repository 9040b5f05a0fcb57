#pragma once
// Scan-line seed fill of a background region (value 255) of a byte plane, used by the screen editor
// on panel 2 and by the urban field treatments on planes of their own.
//
// The region is 4-connected through the rows above and below. Its rules, which callers rely on:
// - the seed pixel is written whatever it holds;
// - column 0 is the image's frame: it is never tested nor seeded from a neighbouring row, and it is
//   written (whatever it holds) on each row whose filled run reaches column 1;
// - the last column is written (whatever it holds) on each row whose filled run reaches the column
//   before it;
// - a pixel beyond the last column counts as not background.
// The seed stack grows as the region needs, so no region is too large or too ragged.
#include <cstdint>

#include "imaging/Plane.h"

inline constexpr std::uint8_t kSeedFillBackground = 255;

// Fills the region around (line, column) with `value`. When `marks` is given (same size as the
// plane), every pixel written gets the mark 1 there. Nothing is done, and false returned, for a seed
// outside the plane or a value outside 0..254 (255 would never end: the filled pixels would stay
// background).
bool SeedFill(BytePlane& plane, int line, int column, int value, BytePlane* marks = nullptr);

// The fill's first step alone: the seed pixel and the background runs to its left and right on its
// row (with the frame columns as above), without spreading to other rows.
bool SeedFillRow(BytePlane& plane, int line, int column, int value, BytePlane* marks = nullptr);
