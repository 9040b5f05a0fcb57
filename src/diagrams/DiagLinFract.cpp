#include "diagrams/DiagLinFract.h"

#include "app/MainWindow.h"
#include "diagrams/LogLogPlot.h"

TDiagLinFractLineForm* DiagLinFractLineForm = nullptr;
TDiagLinFractColForm* DiagLinFractColForm = nullptr;

TDiagLinFractForm::TDiagLinFractForm(QWidget* owner, const std::string& caption)
    : TDiagramForm(owner, caption) {
  AddPaintBox(475, 280, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TDiagLinFractForm::PaintBoxPaint(Canvas& canvas) {
  const LinealPoints points = Points();
  LogLogLayout layout;
  layout.width = 475;
  layout.xPixels = 300;
  layout.xAxisEnd = 400;
  layout.texts = {{20, 10, "Log Num. Filled Segm."},
                  {350, 230, "Log Segm. Size"},
                  {335, 10, ValueText("Slope = %lf", "Slope = ", points.slope)},
                  {280, 25, ValueText("Fractal Dimension = %lf", "Fractal Dimension = ", points.dimension)}};
  DrawLogLogPlot(canvas, points.logSize, points.logCount, 6, layout);
}

void TDiagLinFractForm::BitBtnSaveClick() {
  SaveDiagram({kSaveDiagramTitle, "File [*.xls]|*.xls|File [*.ts]|*.ts", &SavedFlag(), &PendingFlag()},
              [this](FILE* file) {
                const LinealPoints points = Points();
                return WritePointRows(file, "%2.4lf\t%lf\n", points.logSize, points.logCount, 0, 6);
              });
}

TDiagLinFractLineForm::TDiagLinFractLineForm(QWidget* owner)
    : TDiagLinFractForm(owner, " DIAGRAM Horizontal Lineal Computation") {}

LinealPoints TDiagLinFractLineForm::Points() const {
  return {MainForm->LinealLineLogSize, MainForm->LinealLineLogCount, MainForm->LinealLineDimension,
          MainForm->LinealLineSlope};
}
int& TDiagLinFractLineForm::SavedFlag() const {
  return MainForm->DiagramSavedFlags.LinealLineSaved;
}
int& TDiagLinFractLineForm::PendingFlag() const {
  return MainForm->DiagramSavedFlags.LinealLinePending;
}

TDiagLinFractColForm::TDiagLinFractColForm(QWidget* owner)
    : TDiagLinFractForm(owner, " DIAGRAM Vertical Lineal Computation") {}

LinealPoints TDiagLinFractColForm::Points() const {
  return {MainForm->LinealColumnLogSize, MainForm->LinealColumnLogCount, MainForm->LinealColumnDimension,
          MainForm->LinealColumnSlope};
}
int& TDiagLinFractColForm::SavedFlag() const {
  return MainForm->DiagramSavedFlags.LinealColumnSaved;
}
int& TDiagLinFractColForm::PendingFlag() const {
  return MainForm->DiagramSavedFlags.LinealColumnPending;
}
