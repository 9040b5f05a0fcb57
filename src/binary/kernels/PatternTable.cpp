#include "binary/kernels/PatternTable.h"

#include <cmath>

#include "imaging/Formatted.h"
#include "imaging/RawFile.h"

namespace {

constexpr int kColumns = 26;
constexpr int kSurfaceColumns = 3;  // code, surface in pixels and in square metres

}  // namespace

const char* const kPatternTableHeader =
    "Num. Item\tSurf (pixels)\tSurf (meters)\tRec. Surf (pix)\tRec. Surf (meters)\tPerim (pixels)\t"
    "Perim (meters)\tPerim length (pix)\tPerim length (meters)\tRod.index\tPerimSurf (pix)\t"
    "PerimSurf (eucl.)\tConvexity Index\tConvex Perim (pix.)\tPerim Conv. Index\tNum. Holes\t"
    "Porosity Rate\tConvex Porosity Rate\tExt.Conv.Index\tExt.Perim.Conv.Index\tRadius Circle\t"
    "Perim. Circle\tRatio 1\tExtern. Perim (pix.)\tExtern. Perim (meters)\tRatio 2\n";

std::string PatternTableRow(const ItemShape& s, double p) {
  const double area = p * p;
  const long long surface = s.Surface;
  if (!s.Measurable) {
    std::string row = Format("%d\t%lld\t%lf", s.Code, surface, static_cast<double>(surface) * area);
    for (int column = kSurfaceColumns; column < kColumns; ++column) row += "\tundefined";
    return row + "\n";
  }
  const long long perimeter = s.Perimeter;
  std::string row = Format("%d\t%lld\t%lf\t%lf\t%lf\t", s.Code, surface, static_cast<double>(surface) * area,
                           s.RecalculatedSurface, area * s.RecalculatedSurface);
  row += Format("%lld\t%lf\t%lf\t%lf\t", perimeter, static_cast<double>(perimeter) * p, s.PerimeterLength,
                s.PerimeterLength * p);
  row += Format("%lf\t%lf\t%lf\t%lf\t%lld\t%lf\t", s.Rodondity, s.PerimeterPerSurface, s.EuclidianPerSurface,
                s.ConvexityIndex, static_cast<long long>(s.ConvexPerimeter), s.PerimeterConvexity);
  row += Format("%d\t%lf\t%lf\t%lf\t%lf\t", s.Holes.Count, s.PorosityRate, s.ConvexPorosityRate,
                s.ExternalConvexity, s.ExternalPerimeterConvexity);
  row += Format("%lf\t%lf\t%lf\t%lf\t%lf\t%lf\n", s.CircleRadius, s.CirclePerimeter, s.Ratio1,
                s.ExternalPerimeter, s.ExternalPerimeter * p, s.Ratio2);
  return row;
}

bool ScaledValuesFinite(const ItemShape& s, double p) {
  const double area = p * p;
  if (!std::isfinite(static_cast<double>(s.Surface) * area)) return false;
  if (!s.Measurable) return true;
  for (const double value : {s.RecalculatedSurface * area, static_cast<double>(s.Perimeter) * p,
                             s.PerimeterLength * p, s.ExternalPerimeter * p})
    if (!std::isfinite(value)) return false;
  return true;
}

std::string WithXlsExtension(const std::string& name) {
  return WithExtension(name, ".xls");
}
