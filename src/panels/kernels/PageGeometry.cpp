#include "panels/kernels/PageGeometry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "imaging/TextNumbers.h"

namespace {

// trunc(x) kept within the int range.
int Truncate(double x) {
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  if (!(x > kLow)) return std::numeric_limits<int>::min();
  if (!(x < kHigh)) return std::numeric_limits<int>::max();
  return static_cast<int>(x);
}

}  // namespace

void CentreOnPage(PageGeometry& g) {
  g.LeftMarginMM = (g.PageWidthMM - g.ImageWidthMM) * 0.5;
  g.TopMarginMM = (g.PageHeightMM - g.ImageHeightMM) * 0.5;
}

void ApplyLimits(PageGeometry& g, bool centred) {
  if (!g.HasPage() || !g.HasPicture()) return;
  if (g.ImageWidthMM > g.PageWidthMM) {
    g.ImageWidthMM = g.PageWidthMM;
    g.ImageHeightMM = g.ImageWidthMM * g.BitmapHeight / g.BitmapWidth;
  }
  if (g.ImageHeightMM > g.PageHeightMM) {
    g.ImageHeightMM = g.PageHeightMM;
    g.ImageWidthMM = g.ImageHeightMM * g.BitmapWidth / g.BitmapHeight;
  }
  if (centred) {
    CentreOnPage(g);
    return;
  }
  // The whole picture stays on the page: no margin below 0, none that pushes it past the edge.
  g.LeftMarginMM = std::clamp(g.LeftMarginMM, 0.0, g.PageWidthMM - g.ImageWidthMM);
  g.TopMarginMM = std::clamp(g.TopMarginMM, 0.0, g.PageHeightMM - g.ImageHeightMM);
}

void FillPage(PageGeometry& g, bool centred) {
  g.ImageWidthMM = g.PageWidthMM + 1;
  g.ImageHeightMM = g.PageHeightMM + 1;
  ApplyLimits(g, centred);
}

void PlaceOnPage(PageGeometry& g, double bitmapWidth, double bitmapHeight, bool wholePage) {
  g.BitmapWidth = bitmapWidth;
  g.BitmapHeight = bitmapHeight;
  if (!g.HasPicture()) return;
  if (wholePage) {
    FillPage(g, true);
    return;
  }
  g.ImageWidthMM = 0.5 * g.PageWidthMM;
  g.ImageHeightMM = g.ImageWidthMM * g.BitmapHeight / g.BitmapWidth;
  // A picture much taller than wide would not fit at half the page width.
  ApplyLimits(g, true);
}

void SetImageWidth(PageGeometry& g, double widthMM, bool centred) {
  if (!g.HasPicture()) return;
  g.ImageWidthMM = widthMM;
  g.ImageHeightMM = g.ImageWidthMM * g.BitmapHeight / g.BitmapWidth;
  ApplyLimits(g, centred);
}

void SetImageHeight(PageGeometry& g, double heightMM, bool centred) {
  if (!g.HasPicture()) return;
  g.ImageHeightMM = heightMM;
  g.ImageWidthMM = g.ImageHeightMM * g.BitmapWidth / g.BitmapHeight;
  ApplyLimits(g, centred);
}

void SetLeftMargin(PageGeometry& g, double marginMM, bool centred) {
  g.LeftMarginMM = marginMM;
  ApplyLimits(g, centred);
}

void SetTopMargin(PageGeometry& g, double marginMM, bool centred) {
  g.TopMarginMM = marginMM;
  ApplyLimits(g, centred);
}

PixelRect PageRectOf(const PageGeometry& g, int pageWidth, int pageHeight) {
  if (!g.HasPage()) return {};
  const double w = pageWidth;
  const double h = pageHeight;
  return {Truncate(w * g.LeftMarginMM / g.PageWidthMM), Truncate(h * g.TopMarginMM / g.PageHeightMM),
          Truncate(w * (g.LeftMarginMM + g.ImageWidthMM) / g.PageWidthMM),
          Truncate(h * (g.TopMarginMM + g.ImageHeightMM) / g.PageHeightMM)};
}

PreviewLayout PreviewOf(const PageGeometry& g, int boxWidth, int boxHeight) {
  if (!g.HasPage() || boxWidth <= 0 || boxHeight <= 0) return {};
  // Millimetres per preview pixel: the page fits the box.
  const double k = std::max(g.PageWidthMM / boxWidth, g.PageHeightMM / boxHeight);
  const int pw = Truncate(g.PageWidthMM / k);
  const int ph = Truncate(g.PageHeightMM / k);
  const int x0 = (boxWidth - pw) / 2;
  const int y0 = (boxHeight - ph) / 2;
  PreviewLayout layout;
  layout.Page = {x0, y0, x0 + pw, y0 + ph};
  const int ix0 = Truncate(x0 + g.LeftMarginMM / k);
  const int iy0 = Truncate(y0 + g.TopMarginMM / k);
  layout.Picture = {ix0, iy0, Truncate(ix0 + g.ImageWidthMM / k), Truncate(iy0 + g.ImageHeightMM / k)};
  return layout;
}

std::optional<double> ReadMillimetres(const std::string& text) {
  std::size_t i = text.empty() || text[0] != '-' ? 0 : 1;
  int digits = 0, points = 0;
  for (; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i])))
      ++digits;
    else if (text[i] == '.' || text[i] == ',')
      ++points;
    else
      return std::nullopt;
  }
  if (digits == 0 || points > 1) return std::nullopt;
  std::string normal = text;
  std::replace(normal.begin(), normal.end(), ',', '.');
  const double value = TextToDouble(normal);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string TenthsText(double millimetres) {
  const double tenths = std::trunc(10 * millimetres + 0.5);
  char text[64];
  std::snprintf(text, sizeof text, "%.1f", tenths / 10);
  std::string shown = text;
  if (shown.ends_with(".0")) shown.resize(shown.size() - 2);
  if (shown == "-0") shown = "0";
  return shown;
}
