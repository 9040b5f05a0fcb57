#pragma once
// Local fractal dimension of a gray-tone image read as a surface. Around each pixel two windows of
// 2h - 1 pixels a side (offset by one pixel on the diagonal) are voxelised into a cube of side 2h:
// each window pixel fills a column of voxels whose top follows its height difference to a reference
// pixel. The cube is box-counted at several box sizes, the dimension of a window is the negated
// log-log slope, and the pixel's dimension is the mean of its two windows.
//
// The box count of a size s is computed on the height field: a column of boxes over a tile of s x s
// window pixels holds ceil(top / s) filled boxes for the highest top in the tile, and the highest top
// is the top of the highest (or, for a negative height scale, the lowest) gray value of the tile.
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/Plane.h"

struct LocalFractalParams {
  int WindowSize = 12;  // 12 or 24
  double HFactor = 0;   // the height scale is 100 x HFactor gray values per voxel; finite, not 0
  // The work is cut into pieces of this many lines and columns of pixels; the result does not
  // depend on it (tests make it small to cross many piece edges).
  int PieceLines = 256;
  int PieceColumns = 512;
};

// Half window h for a window size: 6 for 12, 12 for 24; 0 for any other size.
int LocalFractalHalfWindow(int windowSize);
// The height scale 100 H of the voxel columns; the factor is usable when it is a non-zero finite number.
double LocalFractalHeightScale(double hFactor);
// The box sizes counted in a cube of side 2h: 1, 2, 3, 4, 6 (and 12 for h = 12).
std::vector<int> LocalFractalBoxSizes(int h);
// The top of the voxel column of a window pixel whose gray value exceeds the reference by d, clamped
// to 0 .. 2h (for either sign of the scale, before any conversion to an integer).
int LocalFractalTop(int d, int h, double heightScale);

struct LocalFractalResult {
  bool Computed = false;  // false when the image is smaller than 2h on a side: no pixel computed
  int Border = 0;         // h
  // Pixels computed: lines h .. lines - h and columns h .. columns - h, both bounds included.
  int FirstLine = 0, LastLine = -1, FirstColumn = 0, LastColumn = -1;
  double Min = 100000.0;  // over the computed pixels; Min starts at 100000 and Max at 0
  double Max = 0;
  double Sum = 0;  // in raster order
  std::int64_t Count = 0;
  double LastDimension = 0;  // of the last pixel computed
  // The log-log points of the last window counted (the second window of the last pixel).
  std::vector<double> LastLogSizes, LastLogCounts;
};

// Writes the dimension of every computed pixel into `dimensions` (of the image's size; other cells
// are left as they are). `progress` is called with the fraction done, only on the calling thread.
LocalFractalResult LocalFractalDimension(const BytePlane& image, const LocalFractalParams& params,
                                         DoublePlane& dimensions,
                                         const std::function<void(double)>& progress = {});
