#pragma once
// The path of the Brownian movement: the pixels of an image whose values lie between two
// thresholds. Walkers start on it and turn back where they would leave it. A path pixel inside
// the frame whose four neighbours are all off the path is no place for a walker.
#include <cstdint>
#include <vector>

#include "binary/kernels/ConvexHull.h"
#include "imaging/Plane.h"

inline constexpr std::uint8_t kPathPixel = 0;
inline constexpr std::uint8_t kOffPath = 255;

struct BrownianPath {
  // 0 on the path (lone pixels included), 255 elsewhere; the walks mark their pixels 1 (first
  // visit) or 2 (crossing) in it.
  BytePlane Marks;
  // 0 where a walker may go, 255 elsewhere; the walks count their visits in it and clear them again.
  BytePlane Visits;
  // Walkable pixels on lines 0 .. i, for drawing a start uniformly among them.
  std::vector<std::int64_t> PixelsUpToLine;

  std::int64_t Pixels() const { return PixelsUpToLine.empty() ? 0 : PixelsUpToLine.back(); }
  // The walkable pixel of rank `rank` (0 .. Pixels() - 1) in raster order.
  PixelPoint PixelOfRank(std::int64_t rank) const;
};

BrownianPath BuildBrownianPath(const BytePlane& image, int minThreshold, int maxThreshold);
