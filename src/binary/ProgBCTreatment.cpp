// Binar. Treat. > Progres. Box Counting > Treatment: the dimension of the items (or the background)
// of the binary image by boxes whose real side grows by a fixed step.
#include <cmath>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/ProgBoxCount.h"
#include "binary/kernels/ProgressiveBoxCount.h"
#include "diagrams/DiagBoxCounting.h"
#include "imaging/PrintedValues.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kPrintedDecimals = 6;  // "%lf"

// The dialog until both values are usable; false on Cancel. A step that is not positive, or so
// small that the rounds would never end, is not defined.
bool AskProgressiveParameters(TMainForm& m) {
  m.FirstBoxOrder = -1;
  m.ProgressiveStep = 0.0;
  for (;;) {
    ui::ShowModal(*ProgBoxCountForm);
    if (m.DialogCancelBytes[cbProgBoxCount] == 1) return false;
    if (m.FirstBoxOrder == -1)
      ui::MessageBox("First Box Order not defined", "ERROR");
    else if (!ProgressiveStepUsable(m.ImageLines, m.ImageColumns, m.ProgressiveStep))
      ui::MessageBox("Step interval not defined", "ERROR");
    else
      return true;
  }
}

void KeepResult(TMainForm& m, const ProgressiveResult& result) {
  m.RegressionX = result.LogSize;
  m.RegressionY = result.LogCount;
  m.ProgressiveLogSize = result.LogSize;
  m.ProgressiveLogCount = result.LogCount;
  m.ProgressivePointCount = result.PointCount();
  m.OccupiedCells = result.LastCount;
  m.LastFractalDimension = result.Dimension;
  m.ProgressiveDimension = result.Dimension;
}

std::string DimensionText(double dimension) {
  return std::isnan(dimension) ? "undefined (fewer than two points)"
                               : PrintedValue("%lf", dimension, kPrintedDecimals);
}

}  // namespace

void TMainForm::ProgBCTreatment1Click() {
  ui::SetScreenCursor(ui::crHourGlass);
  if (HasBinaryImage == 0 || BinaryImage.Empty()) {
    ui::MessageBox("The image_in is not a binary image", "ERROR");
  } else if (AskProgressiveParameters(*this)) {
    ui::SetScreenCursor(ui::crHourGlass);
    ShowProgressWindow();
    const ProgressiveResult result =
        ProgressiveBoxCounting(BinaryImage, ProgBoxCountForm->ItemValue, ProgressiveStep,
                               [](double fraction) { SetProgressPosition(static_cast<float>(fraction)); });
    CloseProgressWindow();
    KeepResult(*this, result);
    NewDiagramResult(DiagramSavedFlags.ProgressiveSaved, DiagramSavedFlags.ProgressivePending);

    ui::SetScreenCursor(ui::crArrow);
    ui::ShowModal(*DiagProgrBoxCountingForm);
    if (ReportOn()) {
      ReportPrintf("\n\n PROGRESSIVE BOX COUNTING TREATMENT") &&
          ReportPrintf("\n\n\tFirst Box Order = %d ", FirstBoxOrder) &&
          ReportText("\n\tStep = " + PrintedValue("%lf", ProgressiveStep, kPrintedDecimals)) &&
          ReportText("\n\tFractal Dimension = " + DimensionText(LastFractalDimension));
      LogDiagramFile(DiagramSavedFlags.ProgressivePending, kProgressiveReportText,
                     DiagProgrBoxCountingForm->FileName);
    } else {
      ui::MessageBox("Fractal Dimension = " + PrintedValue("%lf", ProgressiveDimension, kPrintedDecimals) +
                         "\n\nNota: no Report",
                     "PROGRESSIVE LOCAL FRACTAL DIMENSION");
    }
    Enable({"Diagram1", "ProgrBoxCounting1"});
  }
  ui::SetScreenCursor(ui::crArrow);
  DialogCancelBytes[cbProgBoxCount] = 0;
}
