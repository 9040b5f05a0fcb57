#include "sequence/kernels/WaveletHurst.h"

#include <cmath>
#include <limits>

#include "imaging/LeastSquares.h"
#include "sequence/kernels/HurstExponent.h"
#include "sequence/kernels/MexicanHat.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

SequenceFrame WaveletFrame(int lines, int columns, int range) {
  SequenceFrame frame;
  frame.Lines = lines;
  frame.Columns = columns;
  frame.Border = range;
  frame.SceneBorder = range;
  return frame;
}

void ExtractWaveletGTS(const BytePlane& image, const BytePlane& zones, const SequenceZone& zone, int range,
                       std::vector<int>& sequence) {
  ExtractSequence(image, zones, zone, WaveletFrame(image.Lines(), image.Columns(), range), sequence);
}

double ComputeWaveletHurst(const int* values, std::int64_t length, int firstSize, int step, int stepNumber) {
  const HurstFit fit = FitHurst(SlidingDeviations(values, length, SlidingSizes(firstSize, step, stepNumber)));
  return fit.Defined() ? fit.Slope : kNaN;
}

std::array<double, kWaveletScales> WaveletSigmas(const WaveletParams& params) {
  std::array<double, kWaveletScales> sigmas{};
  double sigma = params.Sigma;
  for (double& s : sigmas) {
    s = sigma;
    sigma += params.SigmaIncrease;
  }
  return sigmas;
}

WaveletResult RunWavelet(const BytePlane& source, const BytePlane& zones, const WaveletParams& params,
                         BytePlane& image, std::vector<int>& sequence,
                         const std::function<void(int)>& scaleDone) {
  WaveletResult result;
  std::array<double, kWaveletScales> x{}, y{};
  result.Sigmas = WaveletSigmas(params);
  bool defined = true;
  for (int k = 0; k < kWaveletScales; ++k) {
    const double sigma = result.Sigmas[k];
    if (!MakeMexicanHatImage(source, params.Range, sigma, image)) {
      result.Flat = true;
      result.FlatScale = k + 1;
      result.Slope = kNaN;
      sequence.clear();
      return result;
    }
    ExtractWaveletGTS(image, zones, params.Zone, params.Range, sequence);
    // The last value taken is not used, as in every gray-tone sequence.
    const std::int64_t used = static_cast<std::int64_t>(sequence.size()) - 1;
    result.Hurst[k] =
        ComputeWaveletHurst(sequence.data(), used, params.FirstWindowSize, params.Step, params.StepNumber);
    x[k] = std::log10(sigma);
    y[k] = std::log10(result.Hurst[k] + 1);
    defined = defined && std::isfinite(x[k]) && std::isfinite(y[k]);
    if (scaleDone) scaleDone(k + 1);
  }
  result.Slope = defined ? LeastSquaresSlope(x.data(), y.data(), kWaveletScales) : kNaN;
  if (result.Slope == 0) result.Slope = 0;  // never -0
  return result;
}
