#pragma once
// Area-weighted resampling: a byte plane reduced to a smaller size by a grid of equal boxes whose
// sides are real numbers. Each output pixel is the mean of the source pixels under its box, each
// weighted by the part of the pixel the box covers, rounded to the nearest integer (halves up).
#include <cstdint>

#include "imaging/Plane.h"

// ceil(x), or x + 1 when x is already a whole number: the first pixel edge strictly after x.
double NextIntegerAbove(double x);

// The source pixels one box covers along one direction: First .. Last, weighted FirstWeight, then
// 1 for every pixel strictly between, then LastWeight (possibly 0). Last > First always.
struct BoxSpan {
  int First = 0;
  int Last = 0;
  double FirstWeight = 0;
  double LastWeight = 0;

  double Weight(int index) const {  // index counted from First
    return index == 0 ? FirstWeight : index == Last - First ? LastWeight : 1.0;
  }
  double Sum() const { return FirstWeight + (Last - First - 1) + LastWeight; }
};

// Box side of a reduction from `source` to `destination` cells, as 1 / (destination / source).
double BoxSide(int source, int destination);
// The span of the box that starts at `start` with side `side` (side >= 1).
BoxSpan SpanOf(double start, double side);

// The value of one output pixel: the weighted sum over the rows and columns of the two spans, rows
// outer and columns inner, pixels outside the source left out, divided by the box area, rounded
// (trunc(v + 0.5)) and kept within 0 .. 255.
std::uint8_t BoxValue(const BytePlane& source, int sourceLines, int sourceColumns, const BoxSpan& rows,
                      const BoxSpan& columns, double area);

// Writes every pixel of the destinationLines x destinationColumns top-left part of `destination`
// from the sourceLines x sourceColumns top-left part of `source`. Refuses (false, nothing written)
// sizes <= 0, a destination larger than the source in either direction, or planes smaller than
// the sizes given.
bool ResampleByBoxes(const BytePlane& source, BytePlane& destination, int sourceLines, int sourceColumns,
                     int destinationLines, int destinationColumns);

// The same into a new plane of the destination size; an empty plane when refused.
BytePlane ResampleByBoxes(const BytePlane& source, int destinationLines, int destinationColumns);
