#include "diagrams/PerimeterDiagrams.h"

#include <algorithm>

#include "app/MainWindow.h"

TOrientationPerimForm* OrientationPerimForm = nullptr;
TPerimeterRoughnessForm2* PerimeterRoughnessForm2 = nullptr;

namespace {

constexpr int kWidth = 692, kHeight = 361;
constexpr const char* kSequenceFilter = "File .xls|*.xls|File .ts|*.ts";

// Values 0 .. n - 1 of a sequence, never past its end.
int HeldLength(int length, const std::vector<int>& values) {
  return std::max(0, std::min(length, static_cast<int>(values.size())));
}

bool WriteSequence(FILE* file, const std::vector<int>& values, int n) {
  for (int i = 0; i < n; ++i)
    if (std::fprintf(file, "%d\n", values[i]) < 0) return false;
  return true;
}

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
  const auto& v = MainForm->OrientationValues;
  const int m = OrientationEntries();
  canvas.Fill(kWidth, kHeight);
  canvas.SetPen(Pen::Black);
  canvas.Line(2, 180, 700, 180);
  canvas.Line(9, 0, 9, 360);
  canvas.TextOut(12, 182, "180");
  if (m > 0) {
    // Angles are mirrored so that 0 is at the bottom.
    canvas.SetPen(Pen::Blue);
    canvas.MoveTo(10, 360 - v[1]);
    for (int i = 2; i <= m; ++i) canvas.LineTo(i + 10, 360 - v[i]);
  }
}

void TOrientationPerimForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, kSequenceFilter, &flags.OrientationSaved, &flags.OrientationPending, true},
              [](FILE* file) {
                const auto& v = MainForm->OrientationValues;
                const int m = OrientationEntries();
                for (int i = 1; i <= m; ++i)
                  if (std::fprintf(file, "%d\n", v[i]) < 0) return false;
                return true;
              });
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
        return WriteSequence(file, d, HeldLength(MainForm->PerimSequenceLength, d));
      });
  if (saved) flags.RoughnessSaved = 1;
}
