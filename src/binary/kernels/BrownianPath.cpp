#include "binary/kernels/BrownianPath.h"

#include <algorithm>

#include "imaging/Parallel.h"

PixelPoint BrownianPath::PixelOfRank(std::int64_t rank) const {
  const auto line = std::upper_bound(PixelsUpToLine.begin(), PixelsUpToLine.end(), rank);
  const int i = static_cast<int>(line - PixelsUpToLine.begin());
  if (rank < 0 || i >= Visits.Lines()) return {0, 0};
  std::int64_t left = rank - (i > 0 ? PixelsUpToLine[i - 1] : 0);
  const std::uint8_t* row = Visits[i];
  for (int j = 0; j < Visits.Columns(); ++j)
    if (row[j] == kPathPixel && left-- == 0) return {i, j};
  return {i, 0};  // not reached for a rank below Pixels()
}

BrownianPath BuildBrownianPath(const BytePlane& image, int minThreshold, int maxThreshold) {
  BrownianPath path;
  const int lines = image.Lines(), columns = image.Columns();
  if (image.Empty()) return path;
  path.Marks = BytePlane(columns, lines);
  path.Visits = BytePlane(columns, lines);
  std::vector<std::int64_t> perLine(lines);
  const auto onPath = [&](std::uint8_t value) { return minThreshold <= value && value <= maxThreshold; };

  // A lone pixel leaving the path never makes a neighbour lone (it had none on the path), so one
  // pass over the thresholded image gives what a pass in place, line after line, would.
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (int i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* row = image[i];
      std::uint8_t* marks = path.Marks[i];
      std::uint8_t* visits = path.Visits[i];
      const bool inner = i > 0 && i < lines - 1;
      std::int64_t count = 0;
      for (int j = 0; j < columns; ++j) {
        const bool on = onPath(row[j]);
        marks[j] = on ? kPathPixel : kOffPath;
        bool walkable = on;
        if (on && inner && j > 0 && j < columns - 1)
          walkable =
              onPath(image[i - 1][j]) || onPath(image[i + 1][j]) || onPath(row[j - 1]) || onPath(row[j + 1]);
        visits[j] = walkable ? kPathPixel : kOffPath;
        count += walkable;
      }
      perLine[i] = count;
    }
  });
  path.PixelsUpToLine.resize(lines);
  std::int64_t total = 0;
  for (int i = 0; i < lines; ++i) path.PixelsUpToLine[i] = total += perLine[i];
  return path;
}
