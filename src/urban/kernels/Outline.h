#pragma once
// The outline of one value of a panel-2 image: its perimeter (the pixels of the value that touch the
// background reached from the image corner) and its holes (the background it encloses), both as
// binary images (1 on 255), and the corner pruning the perimeter distance uses too.
//
// The pixels of the value are taken without the two outermost lines and columns on each side, so
// the outside always surrounds the image and items touching the border are cut there.
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

inline constexpr std::uint8_t kOutlinePixel = 1;
inline constexpr std::uint8_t kOutlineBackground = 255;

// Removes, in place and in row order (a removal is seen by the pixels after it), each outline pixel
// (1) of lines and columns 1 .. size - 2 whose outline neighbours make one of the L-shaped corners:
// with the weights NW 1, N 2, NE 4, E 8, SE 16, S 32, SW 64, W 128, the sums 10, 40, 160, 130, 104,
// 44, 161 and 176.
void PruneCorners(BytePlane& outline);

// The same, looking only at the listed pixels: the outline pixels of the plane, in row order, all on
// lines and columns 1 .. size - 2.
void PruneCorners(BytePlane& outline, const std::vector<std::array<int, 2>>& pixels);

// Columns 1 .. columns - 2 of an outline line: 1 where `row` holds 1 and a 4-neighbour (in `above`,
// `below` or `row`) holds `outside`, 255 elsewhere. The lines must not overlap `out`.
void OutlineRow(const std::uint8_t* above, const std::uint8_t* row, const std::uint8_t* below,
                std::uint8_t outside, std::uint8_t* out, int columns);

// Appends (line, column) of each outline pixel (1) of a line, in increasing columns.
void ListOutlinePixels(const std::uint8_t* row, int line, int columns,
                       std::vector<std::array<int, 2>>& pixels);

// The perimeter of `value`: its pixels with a 4-neighbour outside, on lines and columns 1 .. size - 2,
// corners pruned. A value found nowhere (or not a byte) gives 255 only.
BytePlane ExtractPerimeter(const BytePlane& image, int value);

// The holes of `value`: the pixels that are neither of the value nor reached from the corner.
BytePlane ExtractHoles(const BytePlane& image, int value);
