#include "graytone/kernels/ColourSegment.h"

#include <algorithm>
#include <cstring>

#include "imaging/Allocators.h"
#include "imaging/Parallel.h"

namespace {

bool FitPlane(BytePlane& plane, int columns, int lines) {
  if (plane.Lines() == lines && plane.Columns() == columns) return true;
  plane = AllocByteMatrix(columns, lines);
  return !plane.Empty();
}

bool SameSize(const BytePlane& a, const BytePlane& b) {
  return a.Lines() == b.Lines() && a.Columns() == b.Columns();
}

}  // namespace

bool ColourPlanes::Fits(const BytePlane& gray) const {
  return !gray.Empty() && SameSize(Red, gray) && SameSize(Green, gray) && SameSize(Blue, gray);
}

bool ColourPlanesFromGray(const BytePlane& gray, ColourPlanes& planes) {
  if (gray.Empty()) return false;
  for (BytePlane* plane : {&planes.Red, &planes.Green, &planes.Blue}) {
    if (!FitPlane(*plane, gray.Columns(), gray.Lines())) return false;
    std::memcpy(plane->Data(), gray.Data(), gray.Size());
  }
  return true;
}

bool PaintGraySegment(const BytePlane& gray, int low, int high, Rgb colour, ColourPlanes& planes,
                      BytePlane& bgr) {
  if (!planes.Fits(gray)) return false;
  const int lines = gray.Lines(), columns = gray.Columns();
  if (!FitColourImage(bgr, columns, lines)) return false;
  // An empty segment (low above high, or outside 0 .. 255) paints nothing.
  const int first = std::max(low, 0), last = std::min(high, 255);
  const bool paints = first <= last;
  const unsigned span = paints ? static_cast<unsigned>(last - first) : 0;
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t begin, std::int64_t end) {
    for (int i = static_cast<int>(begin); i < end; ++i) {
      const std::uint8_t* g = gray[i];
      std::uint8_t* red = planes.Red[i];
      std::uint8_t* green = planes.Green[i];
      std::uint8_t* blue = planes.Blue[i];
      std::uint8_t* out = bgr[i];
      for (int j = 0; j < columns; ++j) {
        const bool inside = paints && static_cast<unsigned>(g[j] - first) <= span;
        const std::uint8_t r = inside ? colour.red : red[j];
        const std::uint8_t gr = inside ? colour.green : green[j];
        const std::uint8_t b = inside ? colour.blue : blue[j];
        red[j] = r;
        green[j] = gr;
        blue[j] = b;
        out[3 * j] = b;
        out[3 * j + 1] = gr;
        out[3 * j + 2] = r;
      }
    }
  });
  return true;
}

bool InterleavePlanes(const ColourPlanes& planes, BytePlane& bgr) {
  if (!planes.Fits(planes.Red)) return false;
  const int lines = planes.Red.Lines(), columns = planes.Red.Columns();
  if (!FitColourImage(bgr, columns, lines)) return false;
  parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t begin, std::int64_t end) {
    for (int i = static_cast<int>(begin); i < end; ++i) {
      const std::uint8_t* red = planes.Red[i];
      const std::uint8_t* green = planes.Green[i];
      const std::uint8_t* blue = planes.Blue[i];
      std::uint8_t* out = bgr[i];
      for (int j = 0; j < columns; ++j) {
        out[3 * j] = blue[j];
        out[3 * j + 1] = green[j];
        out[3 * j + 2] = red[j];
      }
    }
  });
  return true;
}
