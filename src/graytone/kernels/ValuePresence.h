#pragma once
// Which of the 256 byte values an image holds, and how many of them fall in a range.
#include <array>
#include <cstdint>

#include "imaging/Plane.h"

using ValueSet = std::array<bool, 256>;

// The values present among the pixels at least `border` pixels from every edge (a negative border
// counts as 0; a border that leaves no pixel gives the empty set).
ValueSet PresentValues(const BytePlane& image, int border);

// The number of present values in first .. last (both included, clamped to 0 .. 255).
int CountPresent(const ValueSet& present, int first, int last);
