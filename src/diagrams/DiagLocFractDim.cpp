#include "diagrams/DiagLocFractDim.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "diagrams/LogLogPlot.h"

TDiagLocFractDimForm* DiagLocFractDimForm = nullptr;

namespace {
constexpr int kWidth = 417, kHeight = 250;
}

TDiagLocFractDimForm::TDiagLocFractDimForm(QWidget* owner)
    : TDiagramForm(owner, " Local Fractal Dimension Diagram") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddLabelRow(kWidth, {{0, "1"},
                       {36, "1.2"},
                       {76, "1,4"},
                       {116, "1.6"},
                       {156, "1.8"},
                       {198, "2"},
                       {236, "2.2"},
                       {276, "2.4"},
                       {316, "2.6"},
                       {356, "2.8"},
                       {398, "3"}});
  AddButtons([this] { BitBtnSaveClick(); });
}

void TDiagLocFractDimForm::PaintBoxPaint(Canvas& canvas) {
  const auto& bins = MainForm->BinCounts;
  const int h = kHeight - 5;
  // The bins end at 300: a range reaching past them is cut, never read beyond.
  const int upper = std::clamp(MainForm->LocalFractalRange[0], 0, kLocalFractalBins - 1);
  const int lower = std::clamp(MainForm->LocalFractalRange[1], 0, kLocalFractalBins - 1);
  int max = 0;
  for (int b = 101; b < upper; ++b) max = std::max(max, bins[b]);
  // Every dimension in one bin: that bin alone makes the curve.
  if (upper <= lower) max = bins[lower];

  canvas.Fill(kWidth, kHeight);
  if (max > 0) {
    canvas.SetPen(Pen::Blue);
    auto py = [&](int b) { return static_cast<int>((1 - static_cast<double>(bins[b]) / max) * h); };
    canvas.MoveTo(2 * (lower - 100), py(lower));
    bool joined = false;
    for (int b = lower + 1; b < upper; ++b) {
      if (bins[b] == 0) continue;
      canvas.LineTo(2 * (b - 100), py(b));
      joined = true;
    }
    if (!joined) {
      // A curve of one point is a spike from the axis to a mark, kept inside the box: a lone dot at
      // the top of the box is easily missed.
      const int x = std::max(2 * (lower - 100), 1), y = std::clamp(py(lower), 1, h - 1);
      canvas.Line(x, h, x, y);
      canvas.MoveTo(x, y);
      DrawSquareMark(canvas, x, y);
    }
  }
  canvas.SetPen(Pen::Black);
  canvas.Line(0, h, 412, h);
  for (int x = 0; x <= 400; x += 40) canvas.Line(x, h + 4, x, h);
  canvas.Line(0, h, 0, h - 250);
}

void TDiagLocFractDimForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, "File .xls|*.xls", &flags.LocalFractalSaved, &flags.LocalFractalPending},
              [](FILE* file) {
                for (int b = 200; b <= 300; ++b)
                  if (std::fprintf(file, "%lf\t%d\n", b / 100.0, MainForm->BinCounts[b]) < 0) return false;
                return true;
              });
}
