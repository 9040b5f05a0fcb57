#pragma once
// One pass over a labeled image that says, for every value, whether it is present, how many pixels
// bear it and the rectangle that holds them: the per-item treatments then work inside that
// rectangle instead of scanning the whole image once per item.
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

struct ItemBounds {
  std::int64_t Pixels = 0;  // 0: no pixel bears the value
  int MinLine = 0, MaxLine = -1, MinColumn = 0, MaxColumn = -1;

  bool Present() const { return Pixels > 0; }
  int Lines() const { return MaxLine - MinLine + 1; }
  int Columns() const { return MaxColumn - MinColumn + 1; }
};

struct ItemIndex {
  std::array<ItemBounds, 256> Values;  // by pixel value

  const ItemBounds& operator[](int value) const { return Values[static_cast<std::uint8_t>(value)]; }
  // The item codes present (1 .. 254), in increasing order.
  std::vector<int> PresentCodes() const;
  // The highest item code present, 0 when there is none.
  int HighestCode() const;
};

ItemIndex IndexItems(const BytePlane& labels);
