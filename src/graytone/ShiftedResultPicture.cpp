#include "graytone/ShiftedResultPicture.h"

#include <algorithm>
#include <vector>

#include "graytone/kernels/GrayScaling.h"

IMAGE ShiftedResultPicture(const BytePlane& panel, int border) {
  const int lines = panel.Lines(), columns = panel.Columns();
  IMAGE picture(columns, lines, IMAGE::kGray);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(std::max(columns, 0)), kResultFrame);
  for (int i = 0; i < lines; ++i) {
    std::fill(row.begin(), row.end(), kResultFrame);
    if (i >= border && i < lines - border) {
      const std::uint8_t* values = panel[i];
      for (int j = border; j < columns - border; ++j)
        row[j] = static_cast<std::uint8_t>(std::min(values[j] + 1, 255));
    }
    picture.SetRow(i, row.data(), columns);
  }
  return picture;
}
