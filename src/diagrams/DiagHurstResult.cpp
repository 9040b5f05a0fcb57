#include "diagrams/DiagHurstResult.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "diagrams/LogLogPlot.h"

TDiagHurstResultForm* DiagHurstResultForm = nullptr;

namespace {

// Points are at indices 1 .. n; the count never reaches past either vector.
int HurstPoints() {
  const int held = std::min(MainForm->HurstLogDeviation.size(), MainForm->HurstLogWindow.size());
  return std::max(0, std::min(MainForm->HurstPointCount, held - 1));
}

void DrawDiamond(Canvas& canvas, int x, int y) {
  canvas.MoveTo(x, y);
  canvas.LineTo(x - 2, y);
  canvas.LineTo(x, y + 2);
  canvas.LineTo(x + 2, y);
  canvas.LineTo(x, y - 2);
  canvas.LineTo(x - 2, y);
  canvas.LineTo(x, y - 2);
  canvas.LineTo(x, y + 2);
  canvas.LineTo(x + 1, y);
}

}  // namespace

TDiagHurstResultForm::TDiagHurstResultForm(QWidget* owner) : TDiagramForm(owner, " Hurst exponent") {
  AddPaintBox(650, 280, [this](Canvas& canvas) { FormPaint(canvas); });
  AddButtons([this] { BitBtnSaveClick(); });
}

void TDiagHurstResultForm::FormPaint(Canvas& canvas) {
  const auto& s = MainForm->HurstLogDeviation;
  const auto& w = MainForm->HurstLogWindow;
  const int n = HurstPoints();
  canvas.Fill(650, 280);
  canvas.SetPen(Pen::Black);
  if (n > 0) {
    // The deviations need not grow with the windows: both spans run from the smallest value.
    const ValueSpan sSpan = SpanOf(std::span(s).subspan(1, n)), wSpan = SpanOf(std::span(w).subspan(1, n));
    auto px = [&](int i) { return 50 + ScaleToPixels(s[i] - sSpan.min, sSpan.range, 400); };
    auto py = [&](int i) { return 250 - ScaleToPixels(w[i] - wSpan.min, wSpan.range, 200); };
    for (int i = 1; i <= n; ++i) DrawDiamond(canvas, px(i), py(i));
    std::vector<PlacedText> xLabels, yLabels;
    for (int i = 1; i <= n; ++i) {
      canvas.Line(px(i), 250, px(i), 260);
      xLabels.push_back({px(i) - 10, 260, Format("%4.2lf", s[i])});
    }
    for (int i = 1; i <= n; ++i) {
      canvas.Line(50, py(i), 40, py(i));
      yLabels.push_back(YTickLabel(canvas, py(i) - 5, w[i]));
    }
    canvas.AxisLabels(xLabels, true);
    canvas.AxisLabels(yLabels, false);
  }
  const double r = MainForm->HurstCorrelation;
  canvas.TextOut(410, 230, "Log Standard Deviation");
  canvas.TextOut(20, 10, "Log Window Sizes");
  canvas.TextOut(410, 10, ValueText("Hurst Exponent = %lf", "Hurst Exponent = ", MainForm->HurstSlope));
  canvas.TextOut(410, 30, ValueText("Correlation Coefficient = %lf ", "Correlation Coefficient = ", r));
  canvas.TextOut(410, 50, ValueText("                     R2 = %lf ", "                     R2 = ", r * r));
  if (MainForm->HurstWindowMode == 0) {
    canvas.TextOut(410, 160, Format("Divider Max. Value = %d ", MainForm->HurstLastDivider));
    canvas.TextOut(410, 180, Format("Divider Min. Value = %d ", MainForm->HurstFirstDivider));
  }
  canvas.Line(40, 250, 500, 250);
  canvas.Line(50, 30, 50, 260);
}

void TDiagHurstResultForm::BitBtnSaveClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  // This window's save dialog has neither title nor filter.
  SaveDiagram({"", "", &flags.HurstSaved, &flags.HurstPending}, [](FILE* file) {
    return WritePointRows(file, "%2.4lf\t%lf\n", MainForm->HurstLogDeviation, MainForm->HurstLogWindow, 1,
                          HurstPoints() + 1);
  });
}
