#include "graytone/kernels/ColourSegment.h"

#include <algorithm>
#include <cstring>
#include <vector>

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

// A plane's row takes `value` where the gray lies in first .. first + span.
void PaintRow(const std::uint8_t* gray, std::uint8_t first, std::uint8_t span, std::uint8_t value,
              std::uint8_t* plane, int columns) {
  for (int j = 0; j < columns; ++j) {
    const bool inside = static_cast<std::uint8_t>(gray[j] - first) <= span;
    plane[j] = inside ? value : plane[j];
  }
}

// Writes lines first .. last - 1 of the colour image of the planes, a row of words at a time.
void InterleaveRows(const ColourPlanes& planes, std::int64_t first, std::int64_t last, std::uint32_t* words,
                    BytePlane& bgr) {
  const int columns = planes.Red.Columns();
  for (int i = static_cast<int>(first); i < last; ++i) {
    const std::uint8_t* red = planes.Red[i];
    const std::uint8_t* green = planes.Green[i];
    const std::uint8_t* blue = planes.Blue[i];
    for (int j = 0; j < columns; ++j) words[j] = BgrWord(blue[j], green[j], red[j]);
    PackBgrRow(words, columns, bgr[i]);
  }
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
  const auto from = static_cast<std::uint8_t>(paints ? first : 0);
  const auto span = static_cast<std::uint8_t>(paints ? last - first : 0);
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<std::uint32_t> words(static_cast<std::size_t>(parallel::ChunkCount(lines, grain)) * columns);
  parallel::For(lines, grain, [&](std::int64_t begin, std::int64_t end) {
    if (paints)
      for (int i = static_cast<int>(begin); i < end; ++i) {
        PaintRow(gray[i], from, span, colour.red, planes.Red[i], columns);
        PaintRow(gray[i], from, span, colour.green, planes.Green[i], columns);
        PaintRow(gray[i], from, span, colour.blue, planes.Blue[i], columns);
      }
    InterleaveRows(planes, begin, end, words.data() + parallel::ChunkIndex(begin, grain) * columns, bgr);
  });
  return true;
}

bool InterleavePlanes(const ColourPlanes& planes, BytePlane& bgr) {
  if (!planes.Fits(planes.Red)) return false;
  const int lines = planes.Red.Lines(), columns = planes.Red.Columns();
  if (!FitColourImage(bgr, columns, lines)) return false;
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<std::uint32_t> words(static_cast<std::size_t>(parallel::ChunkCount(lines, grain)) * columns);
  parallel::For(lines, grain, [&](std::int64_t begin, std::int64_t end) {
    InterleaveRows(planes, begin, end, words.data() + parallel::ChunkIndex(begin, grain) * columns, bgr);
  });
  return true;
}
