#pragma once
// The shape of one item of a labeled image: surface, perimeter and its length, convexity against
// the convex hull of the perimeter pixels, the census of its holes, the same measures on the item
// with its holes filled, and the circle of the same surface. Each item is worked on a grid of its
// bounding rectangle enlarged by one pixel, the image's outer frame counting as background (the
// surface and the gravity centre take the frame pixels too).
#include <cstdint>
#include <vector>

#include "binary/kernels/HoleCensus.h"
#include "binary/kernels/ItemIndex.h"
#include "imaging/Plane.h"

struct ItemShape {
  int Code = 0;
  std::int64_t Surface = 0;  // S, pixels of the code
  std::int64_t CentreLine = 0, CentreColumn = 0;
  // False when no pixel of the item lies inside the frame: it has no perimeter, hull or indices.
  bool Measurable = false;

  std::int64_t Perimeter = 0;        // P: item pixels with a non-item 4-neighbour
  double RecalculatedSurface = 0;    // Sr = S - P / 2
  double PerimeterLength = 0;        // Pl: 0.5 a side link, 0.707 a corner link between perimeter pixels
  double Rodondity = 0;              // P^2 / S
  double PerimeterPerSurface = 0;    // 100 P / S
  double EuclidianPerSurface = 0;    // 100 Pl / Sr
  std::int64_t ConvexPerimeter = 0;  // npc: cells of the hull's outline
  std::int64_t ConvexZone = 0;       // npz: cells of the outline and its inside
  double ConvexityIndex = 0;         // 100 S / npz, at most 100
  double PerimeterConvexity = 0;     // 100 npc / P, at most 100

  HoleCensus Holes;
  double PorosityRate = 0;        // 100 holes / (holes + S)
  double ConvexPorosityRate = 0;  // 100 holes / npz

  std::int64_t ExternalPerimeterPixels = 0;  // Pxn, on the item with its holes filled
  double ExternalPerimeter = 0;              // Pe
  double ExternalConvexity = 0;              // 100 (S + holes) / npz, at most 100
  double ExternalPerimeterConvexity = 0;     // 100 npc / Pxn, at most 100

  double CircleRadius = 0;     // r = sqrt(Sr / pi)
  double CirclePerimeter = 0;  // 2 pi r
  double Ratio1 = 0;           // P / (2 pi r)
  double Ratio2 = 0;           // Pe / (2 pi r)
};

// The measures of the item of `code`, whose pixels `bounds` describes (IndexItems).
ItemShape MeasureItem(const BytePlane& labels, int code, const ItemBounds& bounds);

// The measures of each code, in the order given; items are measured side by side.
std::vector<ItemShape> MeasureItems(const BytePlane& labels, const ItemIndex& index,
                                    const std::vector<int>& codes);
