#include "diagrams/RadialExpansion.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/MainWindow.h"

TRadialExpansionForm* RadialExpansionForm = nullptr;

namespace {

constexpr int kWidth = 450, kHeight = 280;

// Steps 1 .. S that every vector holds.
int HeldSteps() {
  const ExpansionResults& e = MainForm->Expansion;
  const int held = static_cast<int>(std::min(e.FractalDimensions.size(), e.Densities.size())) - 1;
  return std::max(0, std::min(e.StepCount, held));
}

// A radius in metres, truncated, within the int range.
int RadiusMetres(int radius, double pixelSize) {
  const double metres = std::trunc(radius * pixelSize);
  if (!std::isfinite(metres)) return 0;
  return static_cast<int>(std::clamp(metres, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// The radius step i was computed at.
int StepRadius(int i) {
  const ExpansionResults& e = MainForm->Expansion;
  return i < static_cast<int>(e.Radii.size()) ? e.Radii[i] : e.FirstRadius + i - 1;
}

}  // namespace

TRadialExpansionForm::TRadialExpansionForm(QWidget* owner)
    : TDiagramForm(owner, " Radial or Crown Expansion") {
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas, 0); });
  AddPaintBox(kWidth, kHeight, [this](Canvas& canvas) { PaintBoxPaint(canvas, 1); });
  AddButtons([this] { BitBtn1Click(); });
}

void TRadialExpansionForm::PaintBoxPaint(Canvas& canvas, int box) {
  const ExpansionResults& e = MainForm->Expansion;
  const int r0 = e.FirstRadius;
  const int steps = HeldSteps();
  canvas.Fill(kWidth, kHeight);
  canvas.SetPen(Pen::Black);
  canvas.Line(14, 0, 14, 250);
  canvas.Line(10, 250, 420, 250);
  canvas.Line(10, 10, 14, 10);
  canvas.Line(10, 130, 14, 130);
  canvas.TextOut(18, 10, box == 0 ? "D.F." : "Density");
  canvas.TextOut(1, 5, box == 0 ? "2" : "100");
  canvas.TextOut(1, 125, box == 0 ? "1" : "50");
  canvas.TextOut(1, 245, "0");
  canvas.TextOut(380, 230, "Radius");

  canvas.Line(r0 + 16, 250, r0 + 16, 255);
  canvas.TextOut(r0 + 16, 260, Format("%d", r0));
  const std::vector<double>& values = box == 0 ? e.FractalDimensions : e.Densities;
  const double top = box == 0 ? 2.0 : 100.0;
  auto py = [&](int i) { return 250 - ScaleToPixels(values[i], top, 240); };
  if (steps > 0) {
    canvas.MoveTo(r0 + 16, py(1));
    for (int i = 2; i <= steps; ++i) canvas.LineTo(i + r0 + 15, py(i));
  }
  // The last tick stands at the first radius not computed.
  const int last = e.StepCount + r0 + 16;
  canvas.Line(last, 250, last, 255);
  canvas.TextOut(last, 260, Format("%d", r0 + e.StepCount));
}

void TRadialExpansionForm::BitBtn1Click() {
  auto& m = *MainForm;
  const bool saved =
      SaveDiagram({kSaveDiagramTitle, "File .xls|*.xls", &m.ExpansionSavedFlag, nullptr}, [](FILE* file) {
        const ExpansionResults& e = MainForm->Expansion;
        if (std::fputs("Radius Pix.\tDim. Fract.\tDensity\tRadius meters\n", file) < 0) return false;
        for (int i = 1; i <= HeldSteps(); ++i) {
          const int radius = StepRadius(i);
          if (std::fprintf(file, "%d\t%2.4lf\t%2.4lf\t%d\n", radius, e.FractalDimensions[i], e.Densities[i],
                           RadiusMetres(radius, e.PixelSize)) < 0)
            return false;
        }
        return true;
      });
  // The expansion treatments log the file named here only once it is written.
  if (saved) m.UrbanXlsFlags[uxExpansion] = 1;
}
