// Gray Tones Treat. > Lacunarity > Treatment: gliding-box lacunarity of panel 2 or panel 1 over a
// range of window sizes, its table in the report and its two diagrams.
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagLacun.h"
#include "diagrams/DiagramForm.h"
#include "graytone/Lacun.h"
#include "graytone/kernels/Lacunarity.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kTitle = "LACUNARITY";
// The window sizes a run can give: the lacunarity tables hold this many points.
constexpr std::int64_t kMostWindowSizes = 128;
constexpr int kUndefinedKMin = 100000;
constexpr const char* kDiagramReportText = "\n\tLacunarity Diagram registered\n\tin the file %s ";

// The dialog until its values are usable; false on Cancel.
bool AskParameters() {
  TLacunForm& form = *LacunForm;
  for (;;) {
    ui::ShowModal(form);
    if (MainForm->DialogCancelBytes[cbLacun] == 1) {
      MainForm->DialogCancelBytes[cbLacun] = 0;
      return false;
    }
    if (form.DataIn != 0 && form.DataIn != 1) {
      ui::MessageBox("Data_in not defined", "ERROR");
    } else if (form.KMin == kUndefinedKMin) {
      ui::MessageBox("Window Size Minimum not defined", "ERROR");
    } else if (form.KMax == 0) {
      ui::MessageBox("Window Size Maximum not defined", "ERROR");
    } else if (form.KMin < 0) {
      ui::MessageBox("Window Size Minimum is negative", "ERROR");
    } else if (static_cast<std::int64_t>(form.KMax) - form.KMin + 1 > kMostWindowSizes) {
      ui::MessageBox("More than " + std::to_string(kMostWindowSizes) +
                         " window sizes asked\nPlease reduce the range of K",
                     "ERROR");
    } else {
      return true;
    }
  }
}

}  // namespace

void TMainForm::LacunTreatment1Click() {
  if (!RequireImage()) return;
  if (!AskParameters()) {
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  const TLacunForm& form = *LacunForm;
  const bool binary = form.DataIn == 0;
  // 64 bits: the window sizes of a K near the int range do not wrap round.
  const long long firstWindow = 2LL * form.KMin + 1, lastWindow = 2LL * form.KMax + 1;
  ReportPrintf("\n\n LACUNARITY\n") &&
      ReportPrintf(binary ? " applied to the binary image\n\n" : " applied to the gray tone image\n\n") &&
      ReportPrintf("\tK Min. = %d K Max. = %d \n", form.KMin, form.KMax) &&
      ReportPrintf("\twindow size = %lld until %lld \n\n", firstWindow, lastWindow) &&
      ReportPrintf("\tK value\twindow\tlacunarity\tlog X\t\tlog Y\n\n");
  ui::SetScreenCursor(ui::crHourGlass);

  std::vector<LacunarityPoint> points;
  try {
    points = LacunarityCurve(binary ? BinaryImage : OriginalImage, form.KMin, form.KMax);
  } catch (const std::bad_alloc&) {
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("Not enough memory for the gliding boxes of this image", "CAUTION");
    return;
  }

  LacunCount = 0;
  LacunWindowSizes.clear();
  LacunValues.clear();
  LacunLogWindowSizes.clear();
  LacunLogValues.clear();
  int kp = form.KMin;  // the report counts the accepted points from KMin
  for (const LacunarityPoint& point : points) {
    LacunWindowSizes.push_back(point.Window);
    LacunValues.push_back(point.Value);
    LacunLogWindowSizes.push_back(point.LogWindow);
    LacunLogValues.push_back(point.LogValue);
    ReportPrintf("\t%d\t%d\t%lf\t%lf\t%lf\n", kp, point.Window, point.Value, point.LogWindow + 0.0,
                 point.LogValue + 0.0);
    ++kp;
  }
  const LacunarityFit fit = FitLacunarity(points);
  LacunCount = static_cast<int>(points.size());
  constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();
  LacunCorrelation = fit.Defined ? fit.Correlation : kUndefined;
  LacunR2 = fit.Defined ? fit.R2 : kUndefined;
  if (fit.Defined)
    ReportPrintf("\n\tCorrelation Coefficient = %lf\tR2 = %lf\n", fit.Correlation + 0.0, fit.R2);
  ui::SetScreenCursor(ui::crArrow);

  if (points.empty()) {
    ui::MessageBox("No window size gives a lacunarity:\nno box holds any mass", kTitle);
    return;
  }
  NewDiagramResult(DiagramSavedFlags.LacunaritySaved, DiagramSavedFlags.LacunarityPending);
  ui::ShowModal(*DiagLacunForm);
  LogDiagramFile(DiagramSavedFlags.LacunarityPending, kDiagramReportText, DiagLacunForm->FileName);
  Enable({"Diagram1"});
  ui::SetScreenCursor(ui::crArrow);
}
