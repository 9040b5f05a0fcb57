// GTS Treatments > Wavelet > Treatment: the image filtered by the Mexican hat at three scales, a
// sequence taken from each, and the slope of log10(H + 1) against log10(sigma).
#include <algorithm>
#include <climits>
#include <cmath>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "imaging/PrintedValues.h"
#include "panels/ProgressWindow.h"
#include "sequence/WaveletTreatmentForm.h"
#include "sequence/ZoneMessages.h"
#include "sequence/kernels/WaveletHurst.h"
#include "ui/Cursors.h"

namespace {

constexpr int kMostSizes = 127;

WaveletParams ParamsOf(const TWaveletTreatmentForm& form) {
  WaveletParams p;
  p.Range = form.Range;
  p.Sigma = form.Sigma;
  p.SigmaIncrease = form.SigmaIncrease;
  p.FirstWindowSize = form.FirstWindowSize;
  p.Step = form.Step;
  p.StepNumber = form.StepNumber;
  p.Zone = ZoneOfForm(form);
  return p;
}

// Why the treatment cannot run with these values; empty when it can. Everything is checked before
// any filtering: the zone in the filtered frame, the scales, and the windows against the sequence.
std::string ParamsFault(const WaveletParams& p, const TMainForm& m) {
  if (p.Range < 0) return "Range (R) of the moving window not valid";
  const SequenceFrame frame = WaveletFrame(m.ImageLines, m.ImageColumns, p.Range);
  const ZoneFault zone = CheckZone(p.Zone, frame);
  if (zone != ZoneFault::None) return WaveletZoneMessage(zone, p.Zone, p.Range);
  if (!(p.Sigma > 0) || !std::isfinite(p.Sigma)) return "Sigma value must be greater than 0";
  if (p.SigmaIncrease == 0 || !std::isfinite(p.SigmaIncrease)) return "Step Increasing must not be 0";
  // The scales as the filtering steps through them: the last is the smallest or the largest.
  const double lastSigma = WaveletSigmas(p).back();
  if (!(lastSigma > 0)) return "The three values of Sigma must be greater than 0";
  if (!std::isfinite(lastSigma)) return OutOfRangeRefusal("Step Increasing");
  if (p.FirstWindowSize < 2) return "First Moving Window Size must be at least 2";
  if (p.Step < 1) return "Step value must be at least 1";
  if (p.StepNumber < 2 || p.StepNumber > kMostSizes) return "Step Number must lie between 2 and 127";
  // The Hurst exponent reads every value taken but the last.
  const std::int64_t length = CountSequenceValues(p.Zone, frame, m.BinaryImage) - 1;
  const std::int64_t largest = p.FirstWindowSize + static_cast<std::int64_t>(p.StepNumber - 1) * p.Step;
  if (largest > length)
    return Format("The largest moving window (%lld values) is longer than the sequence (%lld values)",
                  static_cast<long long>(largest), static_cast<long long>(std::max<std::int64_t>(length, 0)));
  return "";
}

}  // namespace

void TMainForm::WaveSelectTreatment1Click() {
  if (!RequireImage()) return;
  TWaveletTreatmentForm& form = *WaveletTreatmentForm;
  WaveletParams params;
  WaveletResult result;
  for (;;) {
    // There is no Cancel: closing the dialog abandons the treatment.
    if (ui::ShowModal(form) != ui::mrOk) return;
    params = ParamsOf(form);
    const std::string fault = ParamsFault(params, *this);
    if (!fault.empty()) {
      ui::MessageBox(fault, "ERROR");
      continue;
    }
    ui::SetScreenCursor(ui::crHourGlass);
    ShowProgressWindow();
    const BytePlane& source = form.DataIn == 1 ? ResultImage : OriginalImage;
    // The image and the sequence of the last run are overwritten in place.
    result = RunWavelet(source, BinaryImage, params, WaveletImage, WaveletGtsValues,
                        [](int scale) { SetProgressPosition(static_cast<float>(scale) / kWaveletScales); });
    CloseProgressWindow();
    WaveletGtsReady = WaveletGtsValues.empty() ? 0 : 1;
    WaveletGtsLength = static_cast<int>(std::min<std::size_t>(WaveletGtsValues.size(), INT_MAX)) - 1;
    ui::SetScreenCursor(ui::crArrow);
    if (!result.Flat) break;
    ui::MessageBox(Format("The image filtered with Sigma = %lf is flat:\nno sequence can be taken from it",
                          result.Sigmas[static_cast<std::size_t>(result.FlatScale - 1)]),
                   "ERROR");
  }

  const std::string hurst = PrintedValue("%lf", result.Slope, 6);
  ui::MessageBox("Hurst Exponent = " + hurst + "\nThis value will be reported\nin the general report",
                 "WAVELET");
  if (ReportOn()) {
    ReportPrintf("\n\n Wavelet Treatment");
    ReportText("\n Hurst Exponent = " + hurst + " ");
    ReportPrintf("\n Parameters employed :");
    ReportPrintf("\n\tSigma = %lf  Sigma Increasing = %lf ", params.Sigma, params.SigmaIncrease);
    ReportPrintf("\n\tFirst Window Size = %d Step = %d Number of steps = %d", params.FirstWindowSize,
                 params.Step, params.StepNumber);
  }
}
