#include "diagrams/kernels/GrayHistogram.h"

#include <algorithm>

GrayCounts GrayHistogram(const BytePlane& image, int border) {
  GrayCounts counts{};
  border = std::max(border, 0);
  for (int i = border; i < image.Lines() - border; ++i) {
    const std::uint8_t* row = image[i];
    for (int j = border; j < image.Columns() - border; ++j) ++counts[row[j]];
  }
  return counts;
}

GrayCounts LocalGrayHistogram(const BytePlane& image, const BytePlane& mask, int maskValue) {
  GrayCounts counts{};
  const int lines = std::min(image.Lines(), mask.Lines());
  const int columns = std::min(image.Columns(), mask.Columns());
  for (int i = 0; i < lines; ++i) {
    const std::uint8_t* row = image[i];
    const std::uint8_t* inside = mask[i];
    for (int j = 0; j < columns; ++j)
      if (inside[j] == maskValue) ++counts[row[j]];
  }
  return counts;
}
