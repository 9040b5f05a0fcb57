// Binar. Treat. > Moving Circle > Treatment: discs of growing radius fitted inside one item, all of
// them (sliding circle) or without overlap (jumping circle); the log-log points go to the circle
// counting diagram, with a least-squares line for the jumping circle.
#include <new>
#include <string>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "binary/Radius.h"
#include "binary/kernels/ItemIndex.h"
#include "binary/kernels/MovingCircle.h"
#include "diagrams/DiagRadius.h"
#include "imaging/PrintedValues.h"
#include "panels/ProgressWindow.h"
#include "ui/Cursors.h"
#include "ui/Driver.h"

namespace {

constexpr int kLastItemCode = 254;
constexpr int kDecimals = 6;  // "%lf"
constexpr int kJumping = 1;
constexpr const char* kTitle = "MOVING CIRCLE";

// The dialog until the code is an item of panel 2; false on Cancel.
bool AskCircleParameters(const TMainForm& m, const ItemIndex& index) {
  for (;;) {
    ui::ShowModal(*RadiusForm);
    if (m.DialogCancelBytes[cbRadius] == 1) return false;
    const int code = RadiusForm->ItemCode;
    if (code >= 0 && code <= kLastItemCode && index[code].Present()) return true;
    ui::MessageBox("Code Label not defined", "ERROR");
  }
}

// The main window has members of these names: the kernel's kinds are named here.
::CircleMode Placing(bool jumping) {
  return jumping ? ::CircleMode::Jumping : ::CircleMode::Sliding;
}
::CircleValue Sizes(bool surface) {
  return surface ? ::CircleValue::Surface : ::CircleValue::Radius;
}

std::string Value(double value) {
  return PrintedValue("%lf", value, kDecimals);
}

void ReportHeader(int code, bool jumping, bool surface) {
  ReportPrintf("\n\n SCANNING CIRCLE TREATMENT") && ReportPrintf("\n applied to the item %d", code) &&
      ReportPrintf(jumping ? "\nusing a jumping circle" : "\nusing a sliding circle") &&
      ReportPrintf(surface ? "\nand using the surface value\n\n" : "\nand the radius value\n\n");
}

void ReportPoints(const CirclePoints& points) {
  for (std::size_t k = 0; k < points.LogSize.size(); ++k)
    if (!ReportPrintf("\t%lf\t%lf\n", points.LogSize[k], points.LogCount[k])) return;
}

void ReportFit(const CircleFit& fit) {
  ReportText("\n\tJumping Treatment\n\tSlope = " + Value(fit.Slope) + "\tRatio = " + Value(fit.Ratio) +
             " ") &&
      ReportText("\n\tCorrelation coefficient = " + Value(fit.Correlation) + "\tR2 = " + Value(fit.R2) + " ");
}

}  // namespace

void TMainForm::MovingCircleTreatment1Click() {
  const ItemIndex index = IndexItems(BinaryImage);
  if (AskCircleParameters(*this, index)) {
    const int code = RadiusForm->ItemCode;
    const bool jumping = RadiusForm->CircleMode == kJumping;
    const bool surface = RadiusForm->ValueType != 0;
    ui::SetScreenCursor(ui::crHourGlass);
    ShowProgressWindow();
    MovingCircleResult result;
    bool computed = true;
    try {
      result = MovingCircle(BinaryImage, index[code], code, Placing(jumping),
                            [](double fraction) { SetProgressPosition(static_cast<float>(fraction)); });
    } catch (const std::bad_alloc&) {
      computed = false;
    }
    CloseProgressWindow();
    ui::SetScreenCursor(ui::crArrow);

    if (!computed) {
      ui::MessageBox("The item is too large for the memory available", kTitle);
    } else {
      const CirclePoints points = MakeCirclePoints(result, Placing(jumping), Sizes(surface));
      CircleLogSize = points.LogSize;
      CircleLogCount = points.LogCount;
      CirclePointCount = static_cast<int>(points.LogSize.size());
      CircleMode = RadiusForm->CircleMode;
      CircleValueType = RadiusForm->ValueType;
      NewDiagramResult(DiagramSavedFlags.CircleSaved, DiagramSavedFlags.CirclePending);
      if (ReportOn()) {
        ReportHeader(code, jumping, surface);
        ReportPoints(points);
      }
      if (jumping) {
        const CircleFit fit = FitCircleLine(points.LogSize, points.LogCount);
        CircleSlope = fit.Slope;
        CircleRatio = fit.Ratio;
        CircleCorrelation = fit.Correlation;
        CircleR2 = fit.R2;
        if (ReportOn()) ReportFit(fit);
        if (CirclePointCount < 2)
          ui::MessageBox("Fewer than two radii fit two discs in the item:\nno slope", kTitle);
      }
      ui::ShowModal(*DiagRadiusForm);
      LogDiagramFile(DiagramSavedFlags.CirclePending, kCircleReportText, DiagRadiusForm->FileName);
      Enable({"Diagram1", "CircleScanning1"});
    }
  }
  DialogCancelBytes[cbRadius] = 0;
}
