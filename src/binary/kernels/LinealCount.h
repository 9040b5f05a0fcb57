#pragma once
// Lineal fractal dimension: every line (or column) of the image is a trace cut into segments of
// 1, 2, 3, 4, 6 and 12 pixels laid from its start; the segments holding a pixel of the item are
// counted. Two estimates: the mean of the per-trace slopes over the first five sizes, and the slope
// of the counts summed over all traces (six sizes for lines, five for columns).
#include <array>
#include <cstdint>

#include "imaging/Plane.h"

enum class LinealOrientation { Lines, Columns };

inline constexpr int kSegmentSizeCount = 6;
inline constexpr std::array<int, kSegmentSizeCount> kSegmentSizes = {1, 2, 3, 4, 6, 12};
// The per-trace fits use the first five sizes.
inline constexpr int kTraceFitPoints = 5;

// A trace is padded to the next multiple of 12 strictly above its length (24 gives 36).
int PaddedTraceLength(int length);

struct LinealResult {
  std::array<std::int64_t, kSegmentSizeCount> Totals{};         // occupied segments over all traces, by size
  int TraceCount = 0;                                           // traces holding the item
  double SlopeSum = 0;                                          // sum of the negated per-trace slopes
  double MeanSlope = 0;                                         // the mean per-trace slope
  double MeanDimension = 0;                                     // 1 - the mean per-trace slope
  double GlobalSlope = 0;                                       // slope of ln(total) against ln(size)
  double GlobalDimension = 0;                                   // 1 - GlobalSlope
  std::array<double, kSegmentSizeCount> LogSize{}, LogCount{};  // the six global points

  // False when no pixel bears the code: every value above is then NaN.
  bool Defined() const { return TraceCount > 0; }
};

// The global fit takes six points for lines and five for columns.
int GlobalFitPoints(LinealOrientation orientation);

LinealResult LinealCounting(const BytePlane& binary, int code, LinealOrientation orientation);
