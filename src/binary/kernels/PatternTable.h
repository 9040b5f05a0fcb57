#pragma once
// The ".xls" table of the pattern recognition: a header row of 26 column names, then one
// tab-separated row per item. Lengths scale with the pixel size p, surfaces with p^2.
#include <string>

#include "binary/kernels/ShapeMeasures.h"

extern const char* const kPatternTableHeader;

// The item's row, 26 fields ended by a new line. An item that cannot be measured gives its code,
// its surfaces and "undefined" in the other fields.
std::string PatternTableRow(const ItemShape& shape, double pixelSize);

// Whether every value of the item that scales with the pixel size (its lengths and surfaces in
// metres) is a finite number.
bool ScaledValuesFinite(const ItemShape& shape, double pixelSize);

// "name.xls", unless the name already ends with that extension (in any case).
std::string WithXlsExtension(const std::string& name);
