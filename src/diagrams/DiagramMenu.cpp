// The Diagram menu shows the last result of each window again and, where the
// window has a pending saved file, names it in the report; and the Tools menu's
// two histograms.
#include "app/MainWindow.h"
#include "diagrams/DiagramForms.h"

void TMainForm::DiagLinFract1Click() {
  ui::ShowModal(*DiagLinFractLineForm);
  LogDiagramFile(DiagramSavedFlags.LinealLinePending, kLinealLineReportText, DiagLinFractLineForm->FileName);
}

void TMainForm::DiagLinFract2Click() {
  ui::ShowModal(*DiagLinFractColForm);
  LogDiagramFile(DiagramSavedFlags.LinealColumnPending, kLinealColumnReportText,
                 DiagLinFractColForm->FileName);
}

void TMainForm::DiagFractal1Click() {
  ui::ShowModal(*DiagBoxCountingForm);
  LogDiagramFile(DiagramSavedFlags.BoxCountingPending, kBoxCountingReportText, DiagBoxCountingForm->FileName);
}

void TMainForm::ProgrBoxCounting1Click() {
  ui::ShowModal(*DiagProgrBoxCountingForm);
  LogDiagramFile(DiagramSavedFlags.ProgressivePending, kProgressiveReportText,
                 DiagProgrBoxCountingForm->FileName);
}

void TMainForm::CircleScanning1Click() {
  ui::ShowModal(*DiagRadiusForm);
  LogDiagramFile(DiagramSavedFlags.CirclePending, kCircleReportText, DiagRadiusForm->FileName);
}

void TMainForm::DiagLocalFractal1Click() {
  ui::ShowModal(*DiagLocFractDimForm);
  LogDiagramFile(DiagramSavedFlags.LocalFractalPending, kLocalFractalReportText,
                 DiagLocFractDimForm->FileName);
}

// The fractal thresholding treatment writes its own lines.
void TMainForm::FractalCurve1Click() {
  ui::ShowModal(*ExplorForm);
}

void TMainForm::DiagCircleScanClick() {
  ui::ShowModal(*OrientationPerimForm);
  LogDiagramFile(DiagramSavedFlags.OrientationPending, kOrientationReportText,
                 OrientationPerimForm->FileName);
}

void TMainForm::PerimeterRoughness1Click() {
  ui::ShowModal(*PerimeterRoughnessForm2);
  LogDiagramFile(DiagramSavedFlags.RoughnessPending, kRoughnessReportText, PerimeterRoughnessForm2->FileName);
}

// The Hurst treatment writes its own lines, the saved file among them.
void TMainForm::HurstExponent1Click() {
  ui::ShowModal(*DiagHurstResultForm);
}

// A file saved from here is named with the same line the expansion treatments write.
void TMainForm::RadialExpansion1Click() {
  ui::ShowModal(*RadialExpansionForm);
  LogDiagramFile(UrbanXlsFlags[uxExpansion], kExpansionReportText, RadialExpansionForm->FileName);
}

void TMainForm::Histo1Click() {
  if (!MainForm->RequireImage()) return;
  ui::ShowModal(*DiagHistoForm);
  HistoGrisForm->ComputeCounts();
  ui::ShowModal(*HistoGrisForm);
}

void TMainForm::LocalHistogramClick() {
  if (!MainForm->RequireImage()) return;
  ui::ShowModal(*DiagLocalHistoForm);
  LocalHistoGrisForm->ComputeCounts();
  ui::ShowModal(*LocalHistoGrisForm);
}
