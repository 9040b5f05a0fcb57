#include "panels/kernels/EditorPlanes.h"

#include <climits>
#include <new>

#include "imaging/Parallel.h"

void RecodeValue(BytePlane& plane, std::uint8_t from, std::uint8_t to) {
  if (plane.Empty() || from == to) return;
  const int columns = plane.Columns();
  parallel::For(plane.Lines(), parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
    for (auto i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* row = plane[i];
      for (int j = 0; j < columns; ++j) row[j] = row[j] == from ? to : row[j];
    }
  });
}

void PaintValueColour(const BytePlane& values, std::uint8_t value, Rgb colour, BytePlane& red,
                      BytePlane& green, BytePlane& blue) {
  const int lines = values.Lines(), columns = values.Columns();
  struct Target {
    BytePlane* plane;
    std::uint8_t component;
  };
  for (const Target target :
       {Target{&red, colour.red}, Target{&green, colour.green}, Target{&blue, colour.blue}}) {
    BytePlane& plane = *target.plane;
    if (values.Empty() || plane.Lines() != lines || plane.Columns() != columns) continue;
    parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
      for (auto i = static_cast<int>(first); i < last; ++i) {
        const std::uint8_t* row = values[i];
        std::uint8_t* out = plane[i];
        for (int j = 0; j < columns; ++j) out[j] = row[j] == value ? target.component : out[j];
      }
    });
  }
}

namespace {

// `colour` made lines x 3 columns bytes unless it has that size; false when it cannot be had.
bool FitColourImage(int lines, int columns, BytePlane& colour) {
  if (lines <= 0 || columns <= 0 || columns > INT_MAX / 3) return false;
  if (colour.Lines() == lines && colour.Columns() == 3 * columns) return true;
  try {
    colour = BytePlane(3 * columns, lines);
  } catch (const std::bad_alloc&) {
    colour.Reset();
    return false;
  }
  return true;
}

}  // namespace

bool PaintColourImage(const BytePlane& values, const ColourTable& table, BytePlane& colour) {
  const int lines = values.Lines(), columns = values.Columns();
  if (!FitColourImage(lines, columns, colour)) return false;
  parallel::For(lines, parallel::RowGrain(3 * std::int64_t{columns}),
                [&](std::int64_t first, std::int64_t last) {
                  for (auto i = static_cast<int>(first); i < last; ++i) {
                    const std::uint8_t* row = values[i];
                    std::uint8_t* out = colour[i];
                    for (int j = 0; j < columns; ++j, out += 3) {
                      const Rgb& c = table[row[j]];
                      out[0] = c.blue;
                      out[1] = c.green;
                      out[2] = c.red;
                    }
                  }
                });
  return true;
}

bool InterleaveColourPlanes(const BytePlane& red, const BytePlane& green, const BytePlane& blue,
                            BytePlane& colour) {
  const int lines = red.Lines(), columns = red.Columns();
  for (const BytePlane* plane : {&green, &blue})
    if (plane->Lines() != lines || plane->Columns() != columns) return false;
  if (!FitColourImage(lines, columns, colour)) return false;
  parallel::For(lines, parallel::RowGrain(3 * std::int64_t{columns}),
                [&](std::int64_t first, std::int64_t last) {
                  for (auto i = static_cast<int>(first); i < last; ++i) {
                    const std::uint8_t *r = red[i], *g = green[i], *b = blue[i];
                    std::uint8_t* out = colour[i];
                    for (int j = 0; j < columns; ++j, out += 3) {
                      out[0] = b[j];
                      out[1] = g[j];
                      out[2] = r[j];
                    }
                  }
                });
  return true;
}
