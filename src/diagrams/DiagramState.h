#pragma once
// Results the treatments leave for the diagram windows, held by the main window.
// Vectors grow with the treatment's output; the windows read only the entries
// their count says and never past a vector's end.
#include <array>
#include <vector>

// The last radial or crown expansion, 1-based like its steps (entry 0 unused).
struct ExpansionResults {
  std::vector<double> FractalDimensions;  // dimension per step
  std::vector<double> Densities;          // density in percent per step
  std::vector<int> Radii;                 // radius in pixels of each step
  int FirstRadius = 0;
  double PixelSize = 0;  // metres per pixel
  int StepCount = 0;
  int LastRadius = 0;
};

// Number of bins of the local fractal dimension frequency curve: trunc(100 D), D in 0 .. 3.
inline constexpr int kLocalFractalBins = 301;

struct DiagramState {
  // Box counting.
  int BoxCountingPointCount = 0;
  std::vector<double> BoxCountingLogSize, BoxCountingLogCount;
  std::vector<int> BoxCountingSizes;  // box size counted for each kept point
  double BoxCountingDimension = 0;
  std::vector<int> DividerList = std::vector<int>(128);
  int DividerCount = 0;

  // Progressive box counting.
  int ProgressivePointCount = 0;
  std::vector<double> ProgressiveLogSize, ProgressiveLogCount;
  double ProgressiveDimension = 0;

  // Lineal fractal dimension: six points per direction.
  std::array<double, 6> LinealLineLogSize{}, LinealLineLogCount{};
  double LinealLineDimension = 0, LinealLineSlope = 0;
  std::array<double, 6> LinealColumnLogSize{}, LinealColumnLogCount{};
  double LinealColumnDimension = 0, LinealColumnSlope = 0;

  // Moving circle; the mode and value type are copied from its dialog.
  int CirclePointCount = 0;
  std::vector<double> CircleLogSize, CircleLogCount;
  double CircleSlope = 0, CircleRatio = 0, CircleCorrelation = 0, CircleR2 = 0;
  int CircleMode = 0;       // 1 jumping circle, 0 sliding
  int CircleValueType = 0;  // 0 radius value, else surface value

  // Hurst exponent, points at indices 1 .. HurstPointCount.
  int HurstPointCount = 0;
  std::vector<double> HurstLogDeviation, HurstLogWindow;
  double HurstSlope = 0, HurstCorrelation = 0, HurstR2 = 0;
  int HurstWindowMode = 0;  // 0 jumping windows, 1 sliding
  int HurstFirstDivider = 0, HurstLastDivider = 0;

  // Local fractal dimension: pixels per bin, and the upper and lower bin of the last result.
  std::array<int, kLocalFractalBins> BinCounts{};
  std::array<int, 2> LocalFractalRange{};

  // Lacunarity.
  int LacunCount = 0;
  std::vector<double> LacunWindowSizes, LacunValues, LacunLogWindowSizes, LacunLogValues;
  double LacunCorrelation = 0, LacunR2 = 0;

  // Perimeter distance profile (the orientation sequence lives in MainState).
  std::vector<int> Distances;
  int DistMin = 0, DistMax = 0;
  double DistMean = 0, DistRatio = 0;

  // Fractal thresholding exploration; the treatment mode is copied from its dialog.
  int FractalThCount = 0;
  std::vector<int> FractalThGrays;
  std::vector<double> FractalThDimensions;
  int ExplorationTreatment = 0;  // 0 scanning from the origin, 1 jumping, 2 until the last value

  // Radial and crown expansions.
  ExpansionResults Expansion;
};

// Adds one pixel of local dimension fd to its bin; dimensions outside 0 .. 3 go to the end bins.
inline void AddLocalFractalBin(std::array<int, kLocalFractalBins>& bins, double fd) {
  int bin = 0;
  if (fd >= kLocalFractalBins / 100.0)
    bin = kLocalFractalBins - 1;
  else if (fd > 0)
    bin = static_cast<int>(fd * 100);
  if (bin >= kLocalFractalBins) bin = kLocalFractalBins - 1;
  bins[bin] += 1;
}
