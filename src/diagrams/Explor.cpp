#include "diagrams/Explor.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "diagrams/LogLogPlot.h"

TExplorForm* ExplorForm = nullptr;

namespace {

constexpr int kWidth = 737, kHeight = 313;

int HeldPoints() {
  const auto& m = *MainForm;
  return std::max(0, std::min({m.FractalThCount, static_cast<int>(m.FractalThGrays.size()),
                               static_cast<int>(m.FractalThDimensions.size())}));
}

// Ticks and points share one scale: 600 pixels for the gray values 0 .. 255.
int GrayToX(double gray) {
  return 50 + ScaleToPixels(gray, 255, 600);
}

}  // namespace

TExplorForm::TExplorForm(QWidget* owner) : TDiagramForm(owner, " Fractal values according to ranges") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TExplorForm::PaintBoxPaint(Canvas& canvas) {
  const auto& g = MainForm->FractalThGrays;
  const auto& d = MainForm->FractalThDimensions;
  const int n = HeldPoints();
  canvas.Fill(kWidth, kHeight);
  canvas.SetPen(Pen::Black);
  auto px = [&](int i) { return GrayToX(g[i]); };
  auto py = [&](int i) { return 250 - ScaleToPixels(d[i] - 1, 1, 200); };
  if (n > 1) {
    canvas.MoveTo(px(1), py(1));
    if (d[1] - 1 > 0) DrawSquareMark(canvas, px(1), py(1));
    for (int i = 1; i < n; ++i) {
      canvas.LineTo(px(i), py(i));
      if (d[i] - 1 > 0) DrawSquareMark(canvas, px(i), py(i));
    }
  }
  std::vector<PlacedText> ticks;
  for (int v = 10; v <= 250; v += 10) {
    canvas.Line(GrayToX(v), 250, GrayToX(v), 260);
    ticks.push_back({GrayToX(v) - 10, 260, Format("%d", v)});
  }
  canvas.AxisLabels(ticks, true);
  canvas.TextOut(45, 260, "0");
  static const char* const kModes[] = {"Scanning from the origin", "Jumping Step",
                                       "Scanning until the last value"};
  const int mode = MainForm->ExplorationTreatment;
  if (mode >= 0 && mode <= 2) canvas.TextOut(600, 20, kModes[mode]);
  canvas.TextOut(10, 20, "Fractal Dimension");
  canvas.TextOut(600, 230, "Reflectance Values");
  canvas.Line(40, 250, 700, 250);
  canvas.Line(50, 50, 50, 260);
  canvas.Line(40, 50, 50, 50);
  canvas.TextOut(30, 43, "2");
  canvas.TextOut(30, 243, "1");
}

void TExplorForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, "File .xls|*.xls", &flags.ExplorationSaved, &flags.ExplorationPending},
              [](FILE* file) {
                for (int i = 0; i < HeldPoints(); ++i)
                  if (std::fprintf(file, "%d\t%lf\n", MainForm->FractalThGrays[i],
                                   MainForm->FractalThDimensions[i]) < 0)
                    return false;
                return true;
              });
}
