#include "diagrams/DiagRadius.h"

#include <algorithm>
#include <tuple>

#include "app/MainWindow.h"
#include "diagrams/LogLogPlot.h"

TDiagRadiusForm* DiagRadiusForm = nullptr;

TDiagRadiusForm::TDiagRadiusForm(QWidget* owner) : TDiagramForm(owner, " Log Circle") {
  AddPaintBox(550, 280, [this](Canvas& canvas) { PaintBoxPaint(canvas); });
  AddButtons([this] { SaveButtonClick(); });
}

void TDiagRadiusForm::PaintBoxPaint(Canvas& canvas) {
  const auto& x = MainForm->CircleLogSize;
  const auto& y = MainForm->CircleLogCount;
  const int n = std::max(
      0, std::min({MainForm->CirclePointCount, static_cast<int>(x.size()), static_cast<int>(y.size())}));
  const bool jumping = MainForm->CircleMode == 1;
  canvas.Fill(550, 280);
  canvas.SetPen(Pen::Black);
  if (n > 0) {
    // The y values are scaled by the first one, but never higher than 200 pixels above the lowest;
    // a first value of 0 lays every point on the axis.
    const ValueSpan ySpan = SpanOf(std::span(y).first(n));
    double yDivisor = y[0] > 0 ? y[0] : 0, yPixels = jumping ? 200 : 300;
    if (yDivisor > 0 && yPixels * ySpan.range / yDivisor > 200)
      std::tie(yDivisor, yPixels) = std::tuple(ySpan.range, 200.0);
    auto px = [&](int i) { return 50 + ScaleToPixels(x[i], x[n - 1], 400); };
    auto py = [&](int i) { return 250 - ScaleToPixels(y[i] - ySpan.min, yDivisor, yPixels); };
    const std::string first = Format("%4.2lf", y[0]);
    canvas.Line(px(0), py(0), px(0) - 10, py(0));
    canvas.TextOut(LabelBeforeTick(canvas, px(0) - 40, px(0) - 10, first), py(0) - 10, first);
    canvas.MoveTo(px(0), py(0));
    for (int i = 1; i < n; ++i) {
      canvas.LineTo(px(i), py(i));
      DrawSquareMark(canvas, px(i), py(i));
    }
    std::vector<PlacedText> xLabels, yLabels;
    for (int i = 1; i < n; ++i) {
      canvas.Line(px(i), 250, px(i), 260);
      xLabels.push_back({px(i) - 10, 260, Format("%4.2lf", x[i])});
      yLabels.push_back(YTickLabel(canvas, py(i) - 5, y[i]));
    }
    canvas.TextOut(45, 260, "0");
    canvas.AxisLabels(xLabels, true);
    canvas.AxisLabels(yLabels, false);
  }
  canvas.TextOut(20, 10, "Log Num. Fitting Circles");
  canvas.TextOut(470, 230, "Log Circle Size");
  if (jumping) {
    canvas.TextOut(400, 45, ValueText("Slope = %lf", "Slope = ", MainForm->CircleSlope));
    canvas.TextOut(400, 60, ValueText("Ratio = %lf", "Ratio = ", MainForm->CircleRatio));
    canvas.TextOut(400, 75,
                   ValueText("Correlation coefficient = %lf ",
                             "Correlation coefficient = ", MainForm->CircleCorrelation));
    canvas.TextOut(400, 90, ValueText("R2 = %lf ", "R2 = ", MainForm->CircleR2));
  }
  canvas.TextOut(400, 10, jumping ? "Jumping Circle" : "Sliding Circle");
  canvas.TextOut(400, 25, MainForm->CircleValueType != 0 ? "Surface Value" : "Radius Value");
  canvas.Line(40, 250, 500, 250);
  canvas.Line(50, 30, 50, 260);
}

void TDiagRadiusForm::SaveButtonClick() {
  auto& flags = MainForm->DiagramSavedFlags;
  SaveDiagram({kSaveDiagramTitle, "File *.xls|*.xls", &flags.CircleSaved, &flags.CirclePending},
              [](FILE* file) {
                return WritePointRows(file, "%2.4lf\t%lf\n", MainForm->CircleLogSize,
                                      MainForm->CircleLogCount, 0, MainForm->CirclePointCount);
              });
}
