#include "diagrams/DiagBoxCounting.h"

#include "app/MainWindow.h"
#include "diagrams/LogLogPlot.h"

TDiagBoxCountingForm* DiagBoxCountingForm = nullptr;
TDiagProgrBoxCountingForm* DiagProgrBoxCountingForm = nullptr;

namespace {

constexpr const char* kBoxCountingFilter = "File .xls|*.xls|File .ts|*.ts";

std::vector<PlacedText> DimensionTexts(double dimension) {
  return {{20, 10, "Log Num. Filled Boxes"},
          {480, 230, "Log Box Sizes"},
          {410, 10, ValueText("Slope = %lf", "Slope = ", -dimension)},
          {355, 25, ValueText("Fractal Dimension = %lf", "Fractal Dimension = ", dimension)}};
}

}  // namespace

TDiagBoxCountingForm::TDiagBoxCountingForm(QWidget* owner) : TDiagramForm(owner, " DIAGRAM Box Counting") {
  AddPaintBox(550, 280, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TDiagBoxCountingForm::PaintBoxPaint(Canvas& canvas) {
  LogLogLayout layout;
  layout.sizeLabels = MainForm->BoxCountingSizes;
  layout.texts = DimensionTexts(MainForm->BoxCountingDimension);
  DrawLogLogPlot(canvas, MainForm->BoxCountingLogSize, MainForm->BoxCountingLogCount,
                 MainForm->BoxCountingPointCount, layout);
}

void TDiagBoxCountingForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, kBoxCountingFilter, &flags.BoxCountingSaved, &flags.BoxCountingPending},
              [](FILE* file) {
                return WritePointRows(file, "%2.6lf\t%lf\n", MainForm->BoxCountingLogSize,
                                      MainForm->BoxCountingLogCount, 0, MainForm->BoxCountingPointCount);
              });
}

TDiagProgrBoxCountingForm::TDiagProgrBoxCountingForm(QWidget* owner)
    : TDiagramForm(owner, " DIAGRAM Progressive Box Counting") {
  AddPaintBox(550, 280, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TDiagProgrBoxCountingForm::PaintBoxPaint(Canvas& canvas) {
  LogLogLayout layout;
  layout.texts = DimensionTexts(MainForm->ProgressiveDimension);
  DrawLogLogPlot(canvas, MainForm->ProgressiveLogSize, MainForm->ProgressiveLogCount,
                 MainForm->ProgressivePointCount, layout);
}

void TDiagProgrBoxCountingForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, kBoxCountingFilter, &flags.ProgressiveSaved, &flags.ProgressivePending},
              [](FILE* file) {
                return WritePointRows(file, "%2.4lf\t%lf\n", MainForm->ProgressiveLogSize,
                                      MainForm->ProgressiveLogCount, 0, MainForm->ProgressivePointCount);
              });
}
