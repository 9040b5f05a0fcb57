#pragma once
// IMAGE: the display image a panel shows, in one of three pixel types, converted to a bitmap by the
// GUI. Pixels are stored row by row, top row first; a colour pixel is three bytes blue, green, red.
#include <array>
#include <cstdint>

#include "imaging/Plane.h"

struct Rgb {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Every construction of an IMAGE sets the program's image size. The core cannot see the main window,
// so the GUI installs this hook at start-up; with none installed nothing is told.
using ImageSizeHook = void (*)(int columns, int lines);
void SetImageSizeHook(ImageSizeHook hook);

class IMAGE {
 public:
  static constexpr int kGray = 0;
  static constexpr int kPalette = 1;
  static constexpr int kRgb = 2;
  static constexpr int kPaletteBytes = 256 * 4;

  IMAGE(int columns, int lines, int type);

  // A moved-from image is left empty, so its pixels are never reached again.
  IMAGE(IMAGE&& other) noexcept;
  IMAGE& operator=(IMAGE&& other) noexcept;
  IMAGE(const IMAGE&) = delete;
  IMAGE& operator=(const IMAGE&) = delete;

  // Tells the hook the new size, resets the palette to the gray ramp and makes zeroed pixels. When a
  // size is not positive or the pixels cannot be had the image is left empty (0 x 0).
  void Init(int columns, int lines, int type);

  // Outside the image these change nothing.
  void SetPixel(int x, int y, std::uint8_t value);
  void SetPixelRGB(int x, int y, Rgb colour);
  // Black outside the image.
  Rgb GetPixelRGB(int x, int y) const;
  // Colour images take the triple; gray and palette images take its red component.
  void Fill(Rgb colour);

  // Bulk forms of SetPixel / SetPixelRGB with the same result, for whole rows and planes; the parts
  // that fall outside the image are ignored.
  void SetRow(int line, const std::uint8_t* values, int count);
  void SetRowRGB(int line, const std::uint8_t* blueGreenRed, int count);
  void SetFromPlane(const BytePlane& plane);
  // The plane holds 3 x columns bytes a row, blue green red.
  void SetFromPlaneRGB(const BytePlane& blueGreenRedPlane);

  int Lines() const { return lines_; }
  int Columns() const { return columns_; }
  int Type() const { return type_; }
  int BytesPerPixel() const { return type_ == kRgb ? 3 : 1; }
  bool Empty() const { return pixels_.Empty(); }

  // Columns() x BytesPerPixel() bytes; null outside 0 <= line < Lines().
  std::uint8_t* Row(int line) { return line >= 0 && line < lines_ ? pixels_[line] : nullptr; }
  const std::uint8_t* Row(int line) const { return line >= 0 && line < lines_ ? pixels_[line] : nullptr; }

  // 256 entries of blue, green, red, 0; used by palette images.
  std::array<std::uint8_t, kPaletteBytes>& Palette() { return palette_; }
  const std::array<std::uint8_t, kPaletteBytes>& Palette() const { return palette_; }

 private:
  bool Inside(int x, int y) const { return x >= 0 && x < columns_ && y >= 0 && y < lines_; }

  int lines_ = 0;
  int columns_ = 0;
  std::uint8_t type_ = kGray;
  BytePlane pixels_;
  std::array<std::uint8_t, kPaletteBytes> palette_{};
};

void FillGray(IMAGE& image, std::uint8_t value);
