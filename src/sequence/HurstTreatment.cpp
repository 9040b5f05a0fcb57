// GTS Treatments > Hurst Exponent > Treatment: the Hurst exponent of the gray-tone sequence, the
// perimeter orientation or the perimeter distances, over jumping or sliding windows.
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/kernels/Dividers.h"
#include "diagrams/DiagHurstResult.h"
#include "imaging/PrintedValues.h"
#include "panels/ProgressWindow.h"
#include "sequence/Hurst.h"
#include "sequence/HurstSources.h"
#include "sequence/kernels/HurstExponent.h"
#include "ui/Cursors.h"

namespace {

// The two result arrays hold entries 1 .. 127.
constexpr int kMostSizes = 127;
constexpr int kFewestSizes = 2;

// Why the sliding sizes cannot be used on a sequence of `length` values; empty when they can.
std::string SlidingSizesFault(const THurstForm& form, std::int64_t length) {
  if (form.FirstSize < 2) return "First Window Size must be at least 2";
  if (form.Step < 1) return "Step of increasing must be at least 1";
  if (form.NumSteps < kFewestSizes || form.NumSteps > kMostSizes)
    return "Total Number of steps must lie between 2 and 127";
  const std::int64_t largest = form.FirstSize + static_cast<std::int64_t>(form.NumSteps - 1) * form.Step;
  if (largest > length)
    return Format("The largest window (%lld values) is longer than the sequence (%lld values)",
                  static_cast<long long>(largest), static_cast<long long>(length));
  return "";
}

// The dialog until it gives a usable source (and usable sliding sizes); nothing on Cancel.
std::optional<SequenceSource> AskSource(TMainForm& m) {
  for (;;) {
    ui::ShowModal(*HurstForm);
    if (m.DialogCancelBytes[cbHurst] == 1) return std::nullopt;
    SequenceSource source = HurstSource(HurstForm->DataIn, m);
    std::string fault = source.Refusal;
    if (fault.empty() && HurstForm->WindowType == 0)
      fault = SlidingSizesFault(*HurstForm, static_cast<std::int64_t>(source.Values.size()));
    if (fault.empty()) return source;
    ui::MessageBox(fault, "ERROR");
  }
}

// Positions a .. b (from 1) of the divisor list, asked until usable; nothing when the dialog is closed.
std::optional<std::pair<int, int>> AskDividerRange(int usedLength, int originalLength,
                                                   const std::vector<int>& list) {
  THurstDividerForm& form = *HurstDividerForm;
  form.ShowDividers(usedLength, originalLength, list);
  const int count = static_cast<int>(list.size());
  for (;;) {
    if (ui::ShowModal(form) != ui::mrOk) return std::nullopt;
    const int a = form.DividerChoice == 1 ? 1 : form.LowerValueRange;
    const int b = form.DividerChoice == 1 ? count : form.UpperValueRange;
    std::string fault;
    if (form.DividerChoice == 0)
      fault = "Divider Selection not defined";
    else if (a < 1 || a > count)
      fault = "Lower Value Range out of the list of dividers";
    else if (b < 1 || b > count)
      fault = "Upper Value Range out of the list of dividers";
    else if (a >= b)
      fault = "The Lower Value Range must be smaller than the Upper Value Range";
    else if (b - a + 1 > kMostSizes)
      fault = "More than 127 dividers selected";
    if (fault.empty()) return std::pair{a, b};
    ui::MessageBox(fault, "ERROR");
  }
}

// Keeps the fitted points (entries 1 .. n) and the fit for the diagram window.
void StoreFit(TMainForm& m, const HurstFit& fit) {
  const int n = fit.Count();
  m.HurstPointCount = n;
  m.HurstLogWindow.assign(static_cast<std::size_t>(n) + 1, 0.0);
  m.HurstLogDeviation.assign(static_cast<std::size_t>(n) + 1, 0.0);
  std::copy(fit.LogWindow.begin(), fit.LogWindow.end(), m.HurstLogWindow.begin() + 1);
  std::copy(fit.LogDeviation.begin(), fit.LogDeviation.end(), m.HurstLogDeviation.begin() + 1);
  m.HurstSlope = fit.Slope;
  m.HurstCorrelation = fit.Correlation;
  m.HurstR2 = fit.R2;
  // A new result may be saved afresh; a file saved before and not yet reported stays waiting.
  m.DiagramSavedFlags.HurstSaved = 0;
}

bool RefuseUndefined(const HurstFit& fit) {
  if (fit.Defined()) return false;
  ui::SetScreenCursor(ui::crArrow);
  ui::MessageBox("Hurst Exponent undefined:\nfewer than 2 window sizes\nwith values that differ", "HURST");
  return true;
}

void ReportSource(int dataIn) {
  ReportPrintf(dataIn == kGrayToneSequence ? "\n\tapplied to a Gray Tone Sequence"
                                           : "\n\tapplied to the Perimeter orientation");
}

void ReportFit(const TMainForm& m) {
  ReportText("\n\tHurst Value = " + PrintedValue("%lf", m.HurstSlope, 6) + " ");
  ReportText("\n\tR2 = " + PrintedValue("%lf", m.HurstR2, 6) + " ");
}

void JumpingWindows(TMainForm& m, const SequenceSource& source) {
  const int length = static_cast<int>(source.Values.size());
  const int used = JumpingLength(length);
  const std::vector<int> list = ListDividers(used);
  const auto range = AskDividerRange(used, length, list);
  if (!range) return;
  ui::SetScreenCursor(ui::crHourGlass);
  const std::vector<int> sizes(list.begin() + (range->first - 1), list.begin() + range->second);
  // The values at 1 .. L' are cut: the first one is left out.
  ShowProgressWindow();
  const HurstFit fit = FitHurst(JumpingDeviations(source.Values.data() + 1, used, sizes, [](double fraction) {
    SetProgressPosition(static_cast<float>(fraction));
  }));
  CloseProgressWindow();
  if (RefuseUndefined(fit)) return;
  StoreFit(m, fit);
  m.HurstWindowMode = 0;
  m.HurstFirstDivider = sizes.front();
  m.HurstLastDivider = sizes.back();
  ui::SetScreenCursor(ui::crArrow);

  ui::MessageBox("R2 = " + PrintedValue("%lf", m.HurstR2, 6) +
                     " Hurst Exponent = " + PrintedValue("%lf", m.HurstSlope, 6) + " ",
                 "HURST");
  ui::ShowModal(*DiagHurstResultForm);
  if (ReportOn()) {
    ReportPrintf("\n\nHURST EXPONENT");
    ReportPrintf("\n\tJumping Window Treatment from %d until %d ", m.HurstFirstDivider, m.HurstLastDivider);
    ReportSource(HurstForm->DataIn);
    ReportFit(m);
  }
  LogDiagramFile(m.DiagramSavedFlags.HurstPending, kHurstReportText, DiagHurstResultForm->FileName);
}

void SlidingWindows(TMainForm& m, const SequenceSource& source) {
  const THurstForm& form = *HurstForm;
  ui::SetScreenCursor(ui::crHourGlass);
  const HurstFit fit =
      FitHurst(SlidingDeviations(source.Values.data(), static_cast<std::int64_t>(source.Values.size()),
                                 SlidingSizes(form.FirstSize, form.Step, form.NumSteps)));
  if (RefuseUndefined(fit)) return;
  StoreFit(m, fit);
  m.HurstWindowMode = 1;
  ui::SetScreenCursor(ui::crArrow);

  ui::MessageBox(Format("num_step = %d Hurst Exponent = ", m.HurstPointCount) +
                     PrintedValue("%lf", m.HurstSlope, 6) + " ",
                 "HURST");
  ui::ShowModal(*DiagHurstResultForm);
  if (ReportOn()) {
    ReportPrintf("\n\nHURST EXPONENT");
    ReportPrintf("\n\tSliding Window Treatment");
    ReportSource(form.DataIn);
    ReportPrintf("\n\tParameters :");
    ReportPrintf("\n\tFirst Segment Size = %d Step Value = %d Number of Steps = %d ", form.FirstSize,
                 form.Step, form.NumSteps);
    ReportFit(m);
  }
  LogDiagramFile(m.DiagramSavedFlags.HurstPending, kHurstReportText, DiagHurstResultForm->FileName);
  m.Enable({"Diagram1", "HurstExponent1"});
}

}  // namespace

void TMainForm::HurstTreatment1Click() {
  if (const auto source = AskSource(*this)) {
    if (HurstForm->WindowType == 1)
      JumpingWindows(*this, *source);
    else
      SlidingWindows(*this, *source);
  }
  DialogCancelBytes[cbHurst] = 0;
  ui::SetScreenCursor(ui::crArrow);
}
