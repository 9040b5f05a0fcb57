#include "diagrams/LogLogPlot.h"

#include <algorithm>
#include <cmath>

#include "diagrams/DiagramForm.h"

void DrawSquareMark(Canvas& canvas, int x, int y) {
  canvas.LineTo(x - 1, y - 1);
  canvas.LineTo(x - 1, y + 1);
  canvas.LineTo(x + 1, y + 1);
  canvas.LineTo(x + 1, y - 1);
  canvas.MoveTo(x, y);
}

ValueSpan SpanOf(std::span<const double> values) {
  double low = 0, high = 0;
  bool any = false;
  for (const double v : values) {
    if (!std::isfinite(v)) continue;
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    any = true;
  }
  return {low, high - low};
}

int LabelBeforeTick(const Canvas& canvas, int x, int tickLeft, const std::string& text) {
  constexpr int kTickGap = 2;
  return std::max(0, std::min(x, tickLeft - kTickGap - canvas.TextWidth(text)));
}

PlacedText YTickLabel(const Canvas& canvas, int top, double value) {
  const std::string text = Format("%4.2lf", value);
  return {LabelBeforeTick(canvas, 10, 40, text), top, text};
}

void DrawLogLogPlot(Canvas& canvas, std::span<const double> x, std::span<const double> y, int n,
                    const LogLogLayout& layout) {
  n = std::max(0, std::min({n, static_cast<int>(x.size()), static_cast<int>(y.size())}));
  canvas.Fill(layout.width, layout.height);
  canvas.SetPen(Pen::Black);

  if (n > 0) {
    // The values may rise as well as fall: the first one need not be the largest.
    const ValueSpan ySpan = SpanOf(y.first(n));
    const double xRange = x[n - 1] - x[0];
    const double xOrigin = layout.xFromFirst ? x[0] : 0;
    auto px = [&](int i) { return 50 + ScaleToPixels(x[i] - xOrigin, xRange, layout.xPixels); };
    auto py = [&](int i) {
      return ySpan.range == 0 ? 150 : 250 - ScaleToPixels(y[i] - ySpan.min, ySpan.range, 200);
    };

    canvas.Line(50, py(0), 40, py(0));
    canvas.MoveTo(50, py(0));
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
    // The origin's label stays; a point's label that would cover it is left out.
    canvas.TextOut(45, 260, layout.originLabel);
    // The sizes above the points follow the points' spacing, as the tick labels do.
    const int stride = std::max(canvas.LabelStride(xLabels, true), canvas.LabelStride(sizeLabels, true));
    for (std::size_t i = 0; i < sizeLabels.size(); i += stride)
      canvas.LabelOut(sizeLabels[i].x, sizeLabels[i].y, sizeLabels[i].text);
    for (std::size_t i = 0; i < xLabels.size(); i += stride)
      canvas.LabelOut(xLabels[i].x, xLabels[i].y, xLabels[i].text);
    yLabels.push_back(YTickLabel(canvas, py(0) - 10, y[0]));
    for (int i = 1; i < n; ++i) {
      canvas.Line(50, py(i), 40, py(i));
      yLabels.push_back(YTickLabel(canvas, py(i) - 5, y[i]));
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
