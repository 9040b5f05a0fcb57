#include "diagrams/LogLogPlot.h"

#include <algorithm>

#include "diagrams/DiagramForm.h"

void DrawSquareMark(Canvas& canvas, int x, int y) {
  canvas.LineTo(x - 1, y - 1);
  canvas.LineTo(x - 1, y + 1);
  canvas.LineTo(x + 1, y + 1);
  canvas.LineTo(x + 1, y - 1);
  canvas.MoveTo(x, y);
}

void DrawLogLogPlot(Canvas& canvas, std::span<const double> x, std::span<const double> y, int n,
                    const LogLogLayout& layout) {
  n = std::max(0, std::min({n, static_cast<int>(x.size()), static_cast<int>(y.size())}));
  canvas.Fill(layout.width, layout.height);
  canvas.SetPen(Pen::Black);

  if (n > 0) {
    canvas.Line(50, 50, 40, 50);

    const double yRange = y[0] - y[n - 1];
    const double yMin = y[n - 1];
    const double xRange = x[n - 1] - x[0];
    const double xOrigin = layout.xFromFirst ? x[0] : 0;
    auto px = [&](int i) { return 50 + ScaleToPixels(x[i] - xOrigin, xRange, layout.xPixels); };
    auto py = [&](int i) { return 250 - ScaleToPixels(y[i] - yMin, yRange, 200); };

    canvas.MoveTo(50, 50);
    for (int i = 1; i < n; ++i) {
      canvas.LineTo(px(i), py(i));
      DrawSquareMark(canvas, px(i), py(i));
    }
    std::vector<PlacedText> xLabels, yLabels, sizeLabels;
    for (int i = 1; i < n; ++i) {
      canvas.Line(px(i), 250, px(i), 260);
      xLabels.push_back(
          {px(i) - layout.xLabelShift, 260, layout.xLabel ? layout.xLabel(i) : Format("%4.2lf", x[i])});
      if (i < static_cast<int>(layout.sizeLabels.size()))
        sizeLabels.push_back({px(i), py(i) - 15, Format("%d", layout.sizeLabels[i])});
    }
    // The sizes above the points follow the points' spacing, as the tick labels do.
    const int stride = std::max(canvas.LabelStride(xLabels, true), canvas.LabelStride(sizeLabels, true));
    for (std::size_t i = 0; i < sizeLabels.size(); i += stride)
      canvas.TextOut(sizeLabels[i].x, sizeLabels[i].y, sizeLabels[i].text);
    for (std::size_t i = 0; i < xLabels.size(); i += stride)
      canvas.TextOut(xLabels[i].x, xLabels[i].y, xLabels[i].text);
    canvas.TextOut(45, 260, layout.originLabel);
    yLabels.push_back({10, 40, Format("%4.2lf", y[0])});
    for (int i = 1; i < n; ++i) {
      canvas.Line(50, py(i), 40, py(i));
      yLabels.push_back({10, py(i) - 5, Format("%4.2lf", y[i])});
    }
    canvas.AxisLabels(yLabels, false);
  }
  for (const PlacedText& text : layout.texts) canvas.TextOut(text.x, text.y, text.text);
  canvas.Line(40, 250, layout.xAxisEnd, 250);
  canvas.Line(50, 30, 50, 260);
}

bool WritePointRows(FILE* file, const char* format, std::span<const double> x, std::span<const double> y,
                    int first, int end) {
  for (int i = std::max(first, 0);
       i < end && i < static_cast<int>(x.size()) && i < static_cast<int>(y.size()); ++i)
    if (std::fprintf(file, format, x[i], y[i]) < 0) return false;
  return true;
}
