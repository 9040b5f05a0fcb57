// Gray Tones Treat. > Local Fractal Dimension > Treatment: the parametric image of the local
// fractal dimension in panel 3, its frequency curve, and its range and mean.
#include <cmath>
#include <new>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagLocFractDim.h"
#include "diagrams/DiagramForm.h"
#include "graytone/LocalFract.h"
#include "graytone/kernels/LocalFractal.h"
#include "imaging/Allocators.h"
#include "imaging/PrintedValues.h"
#include "panels/ProgressWindow.h"
#include "panels/ResultPublishing.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kTitle = "LOCAL FRACTAL DIMENSION";

// The dialog until its values are usable; false on Cancel.
bool AskParameters() {
  TLocalFractForm& form = *LocalFractForm;
  for (;;) {
    ui::ShowModal(form);
    if (MainForm->DialogCancelBytes[cbLocalFract] == 1) {
      MainForm->DialogCancelBytes[cbLocalFract] = 0;
      return false;
    }
    if (LocalFractalHalfWindow(form.WindowSize) == 0) {
      ui::MessageBox("Moving Window Size not defined", "ERROR");
      continue;
    }
    form.ShowWindowSize();
    // "nan" or "inf" typed in the edit are no factor either.
    if (form.HFactor == 0 || !std::isfinite(form.HFactor)) {
      ui::MessageBox("H Factor not defined", "ERROR");
      continue;
    }
    if (!std::isfinite(LocalFractalHeightScale(form.HFactor))) {
      ui::MessageBox(OutOfRangeRefusal("H Factor"), "ERROR");
      continue;
    }
    return true;
  }
}

std::string Statistics(double min, double max, double mean) {
  return Format("Min = %lf Max = %lf \nMean value = %lf", min + 0.0, max + 0.0, mean + 0.0);
}

}  // namespace

void TMainForm::LocFracTreatment1Click() {
  if (!RequireImage()) return;
  if (!AskParameters()) {
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  const TLocalFractForm& form = *LocalFractForm;
  const int h = LocalFractalHalfWindow(form.WindowSize);
  const int lines = OriginalImage.Lines(), columns = OriginalImage.Columns();
  if (lines < 2 * h || columns < 2 * h) {
    ui::MessageBox("The image is smaller than the moving window:\nno pixel can be computed", kTitle);
    ui::SetScreenCursor(ui::crArrow);
    return;
  }
  DoublePlane dimensions = AllocDoubleMatrix(columns, lines);
  if (dimensions.Empty()) {
    ui::MessageBox("Not enough memory for the local fractal dimensions of this image", "CAUTION");
    return;
  }

  ClearResultRegisteredFlags();
  ResultCaption = " LOCAL FRACTAL DIMENSION  WINDOW SIZE " + Format(" %d ", form.WindowSize) +
                  Format(" Coeff H = %4.2lf ", form.HFactor);
  PanelCaption = SavedPanelCaption = ResultCaption;
  NewDiagramResult(DiagramSavedFlags.LocalFractalSaved, DiagramSavedFlags.LocalFractalPending);
  ui::SetScreenCursor(ui::crHourGlass);
  ResetState();

  LocalFractalParams params;
  params.WindowSize = form.WindowSize;
  params.HFactor = form.HFactor;
  ShowProgressWindow();
  LocalFractalResult result;
  try {
    // The progress window lets the GUI run meanwhile: the workers read a copy no handler can replace.
    const BytePlane surface = OriginalImage.Clone();
    result = LocalFractalDimension(surface, params, dimensions, [](double fraction) {
      SetProgressPosition(static_cast<float>(fraction));
    });
  } catch (const std::bad_alloc&) {
    CloseProgressWindow();
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("Not enough memory for the local fractal dimensions of this image", "CAUTION");
    return;
  }
  CloseProgressWindow();
  if (!result.Computed || result.Count <= 0) {  // the sizes were checked above: never expected
    ui::SetScreenCursor(ui::crArrow);
    ui::MessageBox("The image is smaller than the moving window:\nno pixel can be computed", kTitle);
    return;
  }

  LastFractalDimension = result.LastDimension;
  // The points of the last window, from entry 1.
  RegressionX.assign(1, 0.0);
  RegressionY.assign(1, 0.0);
  RegressionX.insert(RegressionX.end(), result.LastLogSizes.begin(), result.LastLogSizes.end());
  RegressionY.insert(RegressionY.end(), result.LastLogCounts.begin(), result.LastLogCounts.end());

  const double mean = result.Sum / static_cast<double>(result.Count);
  const bool reported =
      ReportOn() && ReportPrintf("\n\nLOCAL FRACTAL DIMENSION") &&
      ReportPrintf("\n\n\tMoving window size: %d H coefficient %lf ", form.WindowSize, form.HFactor) &&
      ReportPrintf("\n\tMin = %lf Max = %lf Mean = %lf ", result.Min + 0.0, result.Max + 0.0, mean + 0.0);
  ui::MessageBox(Statistics(result.Min, result.Max, mean) +
                     (reported ? "\n\nValues reported in the general report" : "\n\nNota: no report"),
                 kTitle);

  LocalFractalRange = {static_cast<int>(result.Max * 100), static_cast<int>(result.Min * 100)};
  BinCounts.fill(0);
  // The last computed line and column are not shown.
  const PixelRectangle shown{h, lines - h - 1, h, columns - h - 1};
  for (int i = shown.FirstLine; i <= shown.LastLine; ++i)
    for (int j = shown.FirstColumn; j <= shown.LastColumn; ++j)
      AddLocalFractalBin(BinCounts, dimensions[i][j]);
  PublishScaledResult(dimensions, {result.Min, result.Max, 0}, shown, {p3LocalFractal, PanelCaption, h});
  FreeDoubleMatrix(dimensions);
  ui::SetScreenCursor(ui::crArrow);

  ui::ShowModal(*DiagLocFractDimForm);
  LogDiagramFile(DiagramSavedFlags.LocalFractalPending, kLocalFractalReportText,
                 DiagLocFractDimForm->FileName);
  Enable({"Diagram1", "DiagLocalFractal1"});
  ui::SetScreenCursor(ui::crArrow);
}
