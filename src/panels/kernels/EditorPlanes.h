#pragma once
// Whole-plane steps of the screen editor: recoding a value, and the colour pictures of a plane and of
// the colour planes.
#include <array>
#include <cstdint>

#include "imaging/Image.h"
#include "imaging/Plane.h"

// The colour each value is shown in.
using ColourTable = std::array<Rgb, 256>;

// Every pixel of value `from` takes the value `to`.
void RecodeValue(BytePlane& plane, std::uint8_t from, std::uint8_t to);

// Every pixel of value `value` takes `colour` in the three colour planes; a plane of another size than
// `values` is left as it is.
void PaintValueColour(const BytePlane& values, std::uint8_t value, Rgb colour, BytePlane& red,
                      BytePlane& green, BytePlane& blue);

// Writes the colour of each pixel of `values` into `colour`, three bytes blue, green, red a pixel. The
// colour plane is overwritten entirely; it is (re)made when it does not have the size
// values.Lines() x 3 values.Columns(). Returns false when it cannot be had.
bool PaintColourImage(const BytePlane& values, const ColourTable& table, BytePlane& colour);

// Writes the colours held by the three colour planes into `colour`, as PaintColourImage does. Returns
// false when the planes differ in size, are empty, or the colour plane cannot be had.
bool InterleaveColourPlanes(const BytePlane& red, const BytePlane& green, const BytePlane& blue,
                            BytePlane& colour);
