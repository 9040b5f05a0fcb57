// Tools > Fractal Thresholding > Treatment: the lineal fractal value of panel 1 or panel 3 binarised
// at thresholds across the gray range, in the report and the fractal values diagram.
#include <vector>

#include "app/MainWindow.h"
#include "app/Report.h"
#include "diagrams/DiagramForm.h"
#include "diagrams/Explor.h"
#include "graytone/FractalExplorationForm.h"
#include "graytone/kernels/FractalThreshold.h"
#include "ui/Cursors.h"

namespace {

constexpr const char* kDiagramReportText = "\n\n\tFractal Exploration Diagram registered\n\tin the file %s ";
constexpr const char* kModes[] = {"\n\n\tScanning from the origin", "\n\n\tJumping",
                                  "\n\n\tScanning until the last value"};

// The dialog once; false (the message shown) when its step cannot be used: a step of 1 would give
// more thresholds than the tables hold, one of 0 or below would never reach 256.
bool AskParameters() {
  const TFractalExplorationForm& form = *FractalExplorationForm;
  ui::ShowModal(*FractalExplorationForm);
  if (form.Step < kLowestStep) {
    ui::MessageBox("Step value lower than 2", "INCORRECT VALUE");
  } else if (form.Step > kHighestStep) {
    ui::MessageBox("Step value greater than 255", "INCORRECT VALUE");
  } else if (form.DataIn < 0 || form.DataIn > 1 || form.Treatment < 0 || form.Treatment > 2) {
    ui::MessageBox("Data in or Treatment not defined", "ERROR");
  } else {
    return true;
  }
  return false;
}

}  // namespace

void TMainForm::FractalThTreatment1Click() {
  if (!RequireImage()) return;
  if (!AskParameters()) return;
  const TFractalExplorationForm& form = *FractalExplorationForm;
  NewDiagramResult(DiagramSavedFlags.ExplorationSaved, DiagramSavedFlags.ExplorationPending);
  ReportPrintf("\n\n EXPLORATION OF THE LINEAL FRACTAL RESPONSE ") &&
      ReportPrintf(form.DataIn == 0 ? "\n\tapplied to the original image "
                                    : "\n\tapplied to the parametric image ") &&
      ReportPrintf("%s", kModes[form.Treatment]) && ReportPrintf("\n\tStep = %d \n", form.Step);

  ui::SetScreenCursor(ui::crHourGlass);
  const std::vector<FractalThPoint> points =
      FractalThresholding(form.DataIn == 0 ? OriginalImage : ResultImage, form.Treatment, form.Step);
  ui::SetScreenCursor(ui::crArrow);
  FractalThGrays.clear();
  FractalThDimensions.clear();
  for (const FractalThPoint& point : points) {
    FractalThGrays.push_back(point.Gray);
    FractalThDimensions.push_back(point.Value);
  }
  FractalThCount = static_cast<int>(points.size());
  ExplorationTreatment = form.Treatment;
  bool writing = true;
  for (const FractalThPoint& point : points)
    writing = writing && ReportPrintf("\n\t%d\t%lf", point.Gray, point.Value + 0.0);

  ui::ShowModal(*ExplorForm);
  LogDiagramFile(DiagramSavedFlags.ExplorationPending, kDiagramReportText, ExplorForm->FileName);
  Enable({"Diagram1", "FractalCurve1"});
}
