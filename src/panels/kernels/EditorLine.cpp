#include "panels/kernels/EditorLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

std::vector<PixelPosition> LinePixels(PixelPosition start, PixelPosition end) {
  const double lineDelta = static_cast<double>(end.Line) - start.Line;
  const double columnDelta = static_cast<double>(end.Column) - start.Column;
  const int steps = static_cast<int>(std::max(std::fabs(lineDelta), std::fabs(columnDelta)));
  std::vector<PixelPosition> pixels;
  if (steps == 0) return pixels;
  const double lineStep = lineDelta / steps;
  const double columnStep = columnDelta / steps;
  double line = start.Line, column = start.Column;
  pixels.reserve(static_cast<std::size_t>(steps) + 1);
  for (int k = 0; k <= steps; ++k) {
    pixels.push_back({static_cast<int>(std::trunc(line + 0.5)), static_cast<int>(std::trunc(column + 0.5))});
    line += lineStep;
    column += columnStep;
  }
  return pixels;
}

int DrawEditorLine(BytePlane& plane, PixelPosition start, PixelPosition end, std::uint8_t value,
                   std::vector<int>& values, std::vector<PixelPosition>& pixels) {
  if (!plane.Contains(start.Line, start.Column) || !plane.Contains(end.Line, end.Column)) return 0;
  std::vector<PixelPosition> visited = LinePixels(start, end);
  if (visited.empty()) return 0;
  if (values.size() < visited.size()) values.resize(visited.size());
  for (std::size_t k = 0; k < visited.size(); ++k) {
    std::uint8_t& pixel = plane[visited[k].Line][visited[k].Column];
    values[k] = pixel;
    pixel = value;
  }
  pixels = std::move(visited);
  return static_cast<int>(pixels.size());
}

void RestoreLinePixels(BytePlane& plane, const std::vector<int>& values,
                       const std::vector<PixelPosition>& pixels, int count) {
  const int n = std::min({count, static_cast<int>(pixels.size()), static_cast<int>(values.size())});
  for (int k = n - 1; k >= 0; --k) {
    const PixelPosition& p = pixels[k];
    if (plane.Contains(p.Line, p.Column)) plane[p.Line][p.Column] = static_cast<std::uint8_t>(values[k]);
  }
}
