#pragma once
// Box counting at every side 1 .. greatestSide on bit-packed rows (used by BoxCount).
#include "binary/kernels/BoxCount.h"

// Fills table.Filled and table.Examined for the sides 1 .. greatestSide over the top-left
// lines x columns of `plane`; boxes are laid while they fit whole.
void CountEverySide(const BytePlane& plane, const ItemSelector& items, int lines, int columns,
                    int greatestSide, bool totalFitting, BoxCountTable& table);
