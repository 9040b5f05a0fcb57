#include "diagrams/PerimeterDiagrams.h"

#include <algorithm>

#include "app/MainWindow.h"

TOrientationPerimForm* OrientationPerimForm = nullptr;
TPerimeterRoughnessForm2* PerimeterRoughnessForm2 = nullptr;

namespace {

constexpr int kWidth = 692, kHeight = 361;
constexpr const char* kSequenceFilter = "File .xls|*.xls|File .ts|*.ts";

// The angles of the sequence sit at entries 1 .. OrientationLength (entry 0 unused).
int OrientationEntries() {
  return std::max(
      0, std::min(MainForm->OrientationLength, static_cast<int>(MainForm->OrientationValues.size()) - 1));
}

}  // namespace

TOrientationPerimForm::TOrientationPerimForm(QWidget* owner) : TDiagramForm(owner, " Perimeter Orientation") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TOrientationPerimForm::PaintBoxPaint(Canvas& canvas) {
  // Angles are mirrored so that 0 is at the bottom.
  PaintSequenceCurve(canvas, kWidth, kHeight, 360, 180, MainForm->OrientationValues, 1, OrientationEntries());
}

void TOrientationPerimForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, kSequenceFilter, &flags.OrientationSaved, &flags.OrientationPending, true},
              [](FILE* file) { return WriteSequence(file, MainForm->OrientationValues, 1, OrientationEntries()); });
}

TPerimeterRoughnessForm2::TPerimeterRoughnessForm2(QWidget* owner)
    : TDiagramForm(owner, " Perimeter Roughness") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TPerimeterRoughnessForm2::PaintBoxPaint(Canvas& canvas) {
  const auto& m = *MainForm;
  const auto& d = m.Distances;
  const int n = HeldLength(m.PerimSequenceLength, d);
  // A profile of zero distances lies on the axis.
  auto py = [&](int i) { return 360 - ScaleToPixels(d[i], m.DistMax, 350); };
  canvas.Fill(kWidth, kHeight);
  canvas.SetPen(Pen::Black);
  if (n > 1) {
    canvas.MoveTo(16, py(1));
    for (int i = 2; i <= n - 2; ++i) {
      canvas.LineTo(i + 15, py(i));
      canvas.MoveTo(i + 15, py(i));
    }
  }
  canvas.TextOut(580, 10, Format("Dist Min = %d ", m.DistMin));
  canvas.TextOut(580, 30, Format("Dist Max = %d ", m.DistMax));
  canvas.TextOut(580, 50, ValueText("Dist Mean = %lf ", "Dist Mean = ", m.DistMean));
  canvas.TextOut(550, 80, ValueText("Ratio [Mean/StDesv] = %lf ", "Ratio [Mean/StDesv] = ", m.DistRatio));
  canvas.Line(14, 0, 14, 350);
  canvas.Line(10, 350, 680, 350);
}

void TPerimeterRoughnessForm2::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  // No guard: the same profile may be saved under several names.
  const bool saved = SaveDiagram(
      {kSaveDiagramTitle, kSequenceFilter, nullptr, &flags.RoughnessPending, true}, [](FILE* file) {
        const auto& d = MainForm->Distances;
        return WriteSequence(file, d, 0, HeldLength(MainForm->PerimSequenceLength, d) - 1);
      });
  if (saved) flags.RoughnessSaved = 1;
}
