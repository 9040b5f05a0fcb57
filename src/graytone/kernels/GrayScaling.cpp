#include "graytone/kernels/GrayScaling.h"

#include <algorithm>
#include <cmath>

#include "imaging/Parallel.h"

namespace {
constexpr double kGraySpan = 254;
constexpr int kWhite = 255;
}  // namespace

int GrayScaling::Gray(double value) const {
  const double range = Max - Min;
  const double scaled = (value - Min) / range * kGraySpan;
  // No range, or no number: the offset alone rather than a division by zero.
  if (!(range != 0) || !std::isfinite(scaled)) return std::clamp(Offset, 0, kWhite);
  const double gray = std::trunc(scaled) + Offset;
  return static_cast<int>(
      std::clamp(gray, static_cast<double>(std::clamp(Floor, 0, kWhite)), static_cast<double>(kWhite)));
}

void ScaleToGray(const DoublePlane& values, const GrayScaling& scaling, const PixelRectangle& shown,
                 BytePlane& gray) {
  const int lines = values.Lines(), columns = values.Columns();
  if (gray.Lines() != lines || gray.Columns() != columns) gray = BytePlane(columns, lines);
  const int firstLine = std::max(shown.FirstLine, 0), lastLine = std::min(shown.LastLine, lines - 1);
  const int firstColumn = std::max(shown.FirstColumn, 0),
            lastColumn = std::min(shown.LastColumn, columns - 1);
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* out = gray[i];
      if (i < firstLine || i > lastLine || firstColumn > lastColumn) {
        std::fill(out, out + columns, kResultFrame);
        continue;
      }
      const double* row = values[i];
      std::fill(out, out + firstColumn, kResultFrame);
      for (int j = firstColumn; j <= lastColumn; ++j)
        out[j] = static_cast<std::uint8_t>(scaling.Gray(row[j]));
      std::fill(out + lastColumn + 1, out + columns, kResultFrame);
    }
  });
}
