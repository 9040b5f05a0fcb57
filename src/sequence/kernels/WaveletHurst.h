#pragma once
// The wavelet treatment of a gray-tone sequence: the image filtered by the Mexican hat at three
// scales sigma, sigma + delta, sigma + 2 delta, a sequence taken from each filtered image, its
// sliding-window Hurst exponent H, and the slope of log10(H + 1) against log10(sigma).
#include <array>
#include <functional>
#include <vector>

#include "imaging/Plane.h"
#include "sequence/kernels/SequenceExtraction.h"

inline constexpr int kWaveletScales = 3;

struct WaveletParams {
  int Range = 5;  // R: the kernel is 2R + 1 wide; the sequence keeps R from the edges
  double Sigma = 1.0;
  double SigmaIncrease = 1.0;
  int FirstWindowSize = 10;
  int Step = 2;
  int StepNumber = 10;
  SequenceZone Zone;
};

struct WaveletResult {
  std::array<double, kWaveletScales> Sigmas{};
  std::array<double, kWaveletScales> Hurst{};  // NaN where a sequence gave no fit
  double Slope = 0;                            // NaN when any scale gave none, or H + 1 <= 0
  bool Flat = false;                           // a filtered image had nothing to rescale: stopped there
  int FlatScale = 0;                           // which one (1 .. 3)
};

// The three scales: sigma, then each the one before plus the increase.
std::array<double, kWaveletScales> WaveletSigmas(const WaveletParams& params);

// The frame the wavelet sequences are read in: R from every edge, the whole scene included.
SequenceFrame WaveletFrame(int lines, int columns, int range);

// The sequence of a filtered image: the extraction's rules in the frame of R from every edge
// (labeled zones included), every value taken.
void ExtractWaveletGTS(const BytePlane& image, const BytePlane& zones, const SequenceZone& zone, int range,
                       std::vector<int>& sequence);

// The sliding-window Hurst exponent of values[0 .. length - 1] at the sizes first, first + step, ...
// NaN when fewer than two sizes have a positive mean deviation.
double ComputeWaveletHurst(const int* values, std::int64_t length, int firstSize, int step, int stepNumber);

// The three scales. `image` holds the last filtered image and `sequence` every value taken from it
// (the Hurst exponent reads all but the last); `scaleDone(k)` is called after scale k = 1 .. 3.
WaveletResult RunWavelet(const BytePlane& source, const BytePlane& zones, const WaveletParams& params,
                         BytePlane& image, std::vector<int>& sequence,
                         const std::function<void(int)>& scaleDone = nullptr);
