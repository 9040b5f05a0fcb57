#pragma once
// The position of one pixel of a plane: its line and its column.

struct PixelPosition {
  int Line = 0;
  int Column = 0;
  friend bool operator==(const PixelPosition&, const PixelPosition&) = default;
};
