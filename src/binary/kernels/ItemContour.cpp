#include "binary/kernels/ItemContour.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Neighbour weights of the thinning: up-left 1, up 2, up-right 4, right 8, down-right 16, down 32,
// down-left 64, left 128. Two neighbours at a right angle and nothing else: the corner goes.
constexpr int kUpRight = 2 + 8, kRightDown = 8 + 32, kDownLeft = 32 + 128, kLeftUp = 128 + 2;

// The walk's search order: up-left, up, up-right, right, down-right, down, down-left, left.
constexpr int kSteps = 8;
constexpr int kStepLine[kSteps] = {-1, -1, -1, 0, 1, 1, 1, 0};
constexpr int kStepColumn[kSteps] = {-1, 0, 1, 1, 1, 0, -1, -1};

// Reach of the two 3 x 3 dilations on each side.
constexpr int kReach = 2;

// The first non-zero byte of row[from, to), or `to`; eight bytes at a time over empty stretches.
int NextSet(const std::uint8_t* row, int from, int to) {
  int j = from;
  for (; j + 8 <= to; j += 8) {
    std::uint64_t word;
    std::memcpy(&word, row + j, sizeof word);
    if (word != 0) break;
  }
  while (j < to && row[j] == 0) ++j;
  return j;
}

bool BoundsInPlane(const BytePlane& labels, const ItemBounds& bounds) {
  return bounds.Present() && bounds.MinLine >= 0 && bounds.MinColumn >= 0 &&
         bounds.MaxLine < labels.Lines() && bounds.MaxColumn < labels.Columns() &&
         bounds.MinLine <= bounds.MaxLine && bounds.MinColumn <= bounds.MaxColumn;
}

}  // namespace

BytePlane ThinnedContourFrame(const BytePlane& labels, const ItemBounds& bounds, int code) {
  if (!BoundsInPlane(labels, bounds) || code < 0 || code > 255) return {};
  const int h = bounds.Lines(), w = bounds.Columns();
  const int lines = h + kContourFrameBefore + kContourFrameAfter;
  const int columns = w + kContourFrameBefore + kContourFrameAfter;
  // The dilated item stays within frame lines 1 .. h + 2 and columns 1 .. w + 2.
  const int lastLine = h + kReach, lastColumn = w + kReach;
  const auto value = static_cast<std::uint8_t>(code);

  // Horizontal half of the dilations: a 5-wide maximum along each item line, never left of column 1.
  BytePlane spread(columns, lines);
  std::vector<std::uint8_t> item(static_cast<std::size_t>(columns) + kReach, 0);
  for (int a = 0; a < h; ++a) {
    const std::uint8_t* source = labels[bounds.MinLine + a] + bounds.MinColumn;
    int any = 0;
    for (int b = 0; b < w; ++b) {
      item[1 + b] = source[b] == value;
      any |= item[1 + b];
    }
    if (!any) continue;
    std::uint8_t* out = spread[1 + a];
    for (int c = 1; c <= lastColumn; ++c)
      out[c] = item[c - 2 < 0 ? 0 : c - 2] | item[c - 1] | item[c] | item[c + 1] | item[c + 2];
  }

  // Vertical half: a 5-high maximum, never above line 1.
  BytePlane dilated(columns, lines);
  for (int i = 1; i <= lastLine; ++i) {
    std::uint8_t* out = dilated[i];
    const int from = std::max(1, i - kReach), to = std::min(h, i + kReach);
    for (int k = from; k <= to; ++k) {
      const std::uint8_t* in = spread[k];
      for (int c = 1; c <= lastColumn; ++c) out[c] |= in[c];
    }
  }

  // Pixels of the dilated item with a 4-neighbour outside it; the spread plane is reused.
  BytePlane& contour = spread;
  for (int i = 1; i <= lastLine; ++i) {
    const std::uint8_t* up = dilated[i - 1];
    const std::uint8_t* mid = dilated[i];
    const std::uint8_t* down = dilated[i + 1];
    std::uint8_t* out = contour[i];
    for (int c = 1; c <= lastColumn; ++c)
      out[c] = static_cast<std::uint8_t>(mid[c] & ~(up[c] & down[c] & mid[c - 1] & mid[c + 1]) & 1);
  }

  // Thinning, in place and in raster order: a removed corner is already gone for its neighbours.
  for (int i = 1; i <= lastLine; ++i) {
    const std::uint8_t* up = contour[i - 1];
    std::uint8_t* mid = contour[i];
    const std::uint8_t* down = contour[i + 1];
    for (int c = NextSet(mid, 1, lastColumn + 1); c <= lastColumn; c = NextSet(mid, c + 1, lastColumn + 1)) {
      const int sum = up[c - 1] * 1 + up[c] * 2 + up[c + 1] * 4 + mid[c + 1] * 8 + down[c + 1] * 16 +
                      down[c] * 32 + down[c - 1] * 64 + mid[c - 1] * 128;
      if (sum == kUpRight || sum == kRightDown || sum == kDownLeft || sum == kLeftUp) mid[c] = 0;
    }
  }
  return std::move(contour);
}

std::vector<ContourPoint> WalkContour(BytePlane& frame) {
  std::vector<ContourPoint> points;
  if (frame.Empty()) return points;
  const int lines = frame.Lines(), columns = frame.Columns();
  ContourPoint start{-1, -1};
  for (int i = lines - 1; i >= 0 && start.Line < 0; --i) {
    const int c = NextSet(frame[i], 0, columns);
    if (c < columns) start = {i, c};
  }
  if (start.Line < 0) return points;

  // Contour pixels never touch the frame's edges, so every neighbour lies inside it.
  auto taken = [&](ContourPoint p) {
    frame[p.Line][p.Column] = 0;
    points.push_back(p);
  };
  auto isContour = [&](ContourPoint p) { return frame[p.Line][p.Column] != 0; };
  auto nextFrom = [&](ContourPoint p, ContourPoint& next) {
    for (int s = 0; s < kSteps; ++s) {
      const ContourPoint q{p.Line + kStepLine[s], p.Column + kStepColumn[s]};
      if (isContour(q)) {
        next = q;
        return true;
      }
    }
    return false;
  };

  taken(start);
  const ContourPoint upRight{start.Line - 1, start.Column + 1};
  const ContourPoint right{start.Line, start.Column + 1};
  ContourPoint next;
  if (isContour(upRight))
    taken(upRight);
  else if (isContour(right))
    taken(right);
  else if (nextFrom(start, next))
    taken(next);
  while (nextFrom(points.back(), next)) taken(next);
  points.push_back(start);
  return points;
}

std::vector<ContourPoint> ItemContour(const BytePlane& labels, const ItemBounds& bounds, int code) {
  BytePlane frame = ThinnedContourFrame(labels, bounds, code);
  return WalkContour(frame);
}
