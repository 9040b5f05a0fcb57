#pragma once
// The layout shared by the log-log diagrams: origin (50, 250), the first point at
// (50, 50), small square marks, ticks and labels along both axes.
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "diagrams/Canvas.h"

struct LogLogLayout {
  int width = 550, height = 280;  // paint box
  double xPixels = 400;           // pixels spanned by the x range
  int xAxisEnd = 500;
  // Label under the x tick of point i, drawn xLabelShift pixels left of the tick.
  std::function<std::string(int)> xLabel;
  int xLabelShift = 10;
  std::string originLabel = "0";    // under the origin, at (45, 260)
  std::span<const int> sizeLabels;  // "%d" above each point when given
  std::vector<PlacedText> texts;    // the window's own texts
  // The x range starts at the first point instead of 0: for x values far from 0, which would
  // otherwise fall past the paint box.
  bool xFromFirst = false;
};

// Draws the points (x[i], y[i]) for i < min(n, sizes); x[0] is not subtracted from the
// x values unless the layout says so, the first point lies at x = 50. The y values span the 200
// pixels above the axis from the smallest to the largest, equal values lie halfway; a zero x range
// collapses the points onto the y axis.
void DrawLogLogPlot(Canvas& canvas, std::span<const double> x, std::span<const double> y, int n,
                    const LogLogLayout& layout);

// The smallest finite value and how far the largest lies above it; zeros when none is finite.
struct ValueSpan {
  double min = 0, range = 0;
};
ValueSpan SpanOf(std::span<const double> values);

// The left edge of a label asked at x, moved left where it would reach a tick starting at tickLeft.
int LabelBeforeTick(const Canvas& canvas, int x, int tickLeft, const std::string& text);
// The label "%4.2lf" of a y tick at `top`, from x = 10 and ending before the ticks, which start at x = 40.
PlacedText YTickLabel(const Canvas& canvas, int top, double value);

// The square mark around (x, y); the pen ends at (x, y).
void DrawSquareMark(Canvas& canvas, int x, int y);

// Writes the rows format(x[i], y[i]) for i = first .. end - 1 that both vectors hold; false on a write error.
bool WritePointRows(FILE* file, const char* format, std::span<const double> x, std::span<const double> y,
                    int first, int end);
