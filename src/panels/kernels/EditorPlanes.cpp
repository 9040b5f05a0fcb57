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

bool PaintColourImage(const BytePlane& values, const ColourTable& table, BytePlane& colour) {
  const int lines = values.Lines(), columns = values.Columns();
  if (values.Empty() || columns > INT_MAX / 3) return false;
  if (colour.Lines() != lines || colour.Columns() != 3 * columns) {
    try {
      colour = BytePlane(3 * columns, lines);
    } catch (const std::bad_alloc&) {
      colour.Reset();
      return false;
    }
  }
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
