#pragma once
// Box counting: the image is covered by square boxes of side s laid edge to edge from the top-left
// corner; the boxes holding item pixels are counted for each side, and the dimension is the negated
// slope of ln(filled boxes) against ln(side).
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

// Which pixel values are item pixels.
struct ItemSelector {
  std::array<std::uint8_t, 256> IsItem{};

  static ItemSelector Value(int value);                 // a binary or labeled image's item code
  static ItemSelector Range(int minimum, int maximum);  // original-image thresholds, both included
};

struct BoxCountParams {
  int Lines = 0;  // the size in use: the top-left Lines x Columns part of the plane
  int Columns = 0;
  int GreatestBox = 0;        // sides 1 .. GreatestBox are tried
  bool EverySize = false;     // every side, a last partial row or column of boxes not laid; otherwise
                              // only the sides that divide both Lines and Columns
  bool TotalFitting = false;  // a box is filled when all its s x s pixels are item pixels;
                              // partial fitting: when one of them is
};

// Per side s (index s), boxes counted as filled and boxes laid; sides not counted hold 0. The tables
// end at min(GreatestBox, Lines, Columns): no box of a larger side can be laid.
struct BoxCountTable {
  std::vector<std::int64_t> Filled;
  std::vector<std::int64_t> Examined;

  int GreatestSide() const { return static_cast<int>(Filled.size()) - 1; }
};

BoxCountTable CountBoxes(const BytePlane& plane, const ItemSelector& items, const BoxCountParams& params);

// The regression points in ascending side order (natural logarithms).
struct BoxCountPoints {
  std::vector<int> Sides;
  std::vector<double> LogSize;   // ln s, or ln(s x s) under total fitting
  std::vector<double> LogCount;  // ln filled[s]

  int Count() const { return static_cast<int>(Sides.size()); }
};

// Sides with no filled box give no point. Until equality, the points stop at the second side whose
// laid boxes are all filled (that side excluded, the first such side kept).
BoxCountPoints KeepBoxCountPoints(const BoxCountTable& table, bool untilEquality, bool totalFitting);

struct BoxCountResult {
  BoxCountTable Table;
  BoxCountPoints Points;
  double Dimension = 0;  // - slope; NaN when undefined
  bool Defined = false;  // false with fewer than two points (or no spread of sides)
};

// The three steps in one call: count, keep the points, take the dimension.
BoxCountResult BoxCounting(const BytePlane& plane, const ItemSelector& items, const BoxCountParams& params,
                           bool untilEquality);
