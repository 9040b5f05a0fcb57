#include "imaging/Image.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "imaging/Allocators.h"

namespace {

ImageSizeHook imageSizeHook = nullptr;

std::uint8_t Average(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  return static_cast<std::uint8_t>((blue + green + red) / 3);
}

}  // namespace

void SetImageSizeHook(ImageSizeHook hook) {
  imageSizeHook = hook;
}

IMAGE::IMAGE(int columns, int lines, int type) {
  Init(columns, lines, type);
}

IMAGE::IMAGE(IMAGE&& other) noexcept
    : lines_(std::exchange(other.lines_, 0)),
      columns_(std::exchange(other.columns_, 0)),
      type_(other.type_),
      pixels_(std::move(other.pixels_)),
      palette_(other.palette_) {}

IMAGE& IMAGE::operator=(IMAGE&& other) noexcept {
  if (this != &other) {
    lines_ = std::exchange(other.lines_, 0);
    columns_ = std::exchange(other.columns_, 0);
    type_ = other.type_;
    pixels_ = std::move(other.pixels_);
    palette_ = other.palette_;
  }
  return *this;
}

void IMAGE::Init(int columns, int lines, int type) {
  if (imageSizeHook != nullptr) imageSizeHook(columns, lines);
  type_ = static_cast<std::uint8_t>(type);
  for (int v = 0; v < 256; ++v) {
    palette_[4 * v] = palette_[4 * v + 1] = palette_[4 * v + 2] = static_cast<std::uint8_t>(v);
    palette_[4 * v + 3] = 0;
  }
  pixels_.Reset();
  columns_ = lines_ = 0;
  const int bytesPerPixel = BytesPerPixel();
  if (columns <= 0 || lines <= 0 || columns > INT_MAX / bytesPerPixel) return;
  pixels_ = AllocByteMatrix(columns * bytesPerPixel, lines);
  if (pixels_.Empty()) return;
  columns_ = columns;
  lines_ = lines;
}

void IMAGE::SetPixel(int x, int y, std::uint8_t value) {
  if (!Inside(x, y)) return;
  if (type_ == kRgb) {
    std::uint8_t* p = pixels_[y] + 3 * static_cast<std::size_t>(x);
    p[0] = p[1] = p[2] = value;
  } else {
    pixels_[y][x] = value;
  }
}

void IMAGE::SetPixelRGB(int x, int y, Rgb colour) {
  if (!Inside(x, y)) return;
  if (type_ == kRgb) {
    std::uint8_t* p = pixels_[y] + 3 * static_cast<std::size_t>(x);
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
  } else {
    pixels_[y][x] = Average(colour.blue, colour.green, colour.red);
  }
}

Rgb IMAGE::GetPixelRGB(int x, int y) const {
  if (!Inside(x, y)) return {};
  const std::uint8_t* row = pixels_[y];
  switch (type_) {
    case kRgb: {
      const std::uint8_t* p = row + 3 * static_cast<std::size_t>(x);
      return {p[0], p[1], p[2]};
    }
    case kPalette: {
      const std::uint8_t* entry = &palette_[4 * static_cast<std::size_t>(row[x])];
      return {entry[0], entry[1], entry[2]};
    }
    default:
      return {row[x], row[x], row[x]};
  }
}

void IMAGE::Fill(Rgb colour) {
  if (pixels_.Empty()) return;
  if (type_ != kRgb) {
    pixels_.Fill(colour.red);
    return;
  }
  std::uint8_t* first = pixels_[0];
  for (int x = 0; x < columns_; ++x) {
    first[3 * x] = colour.blue;
    first[3 * x + 1] = colour.green;
    first[3 * x + 2] = colour.red;
  }
  const std::size_t rowBytes = 3 * static_cast<std::size_t>(columns_);
  for (int y = 1; y < lines_; ++y) std::memcpy(pixels_[y], first, rowBytes);
}

void IMAGE::SetRow(int line, const std::uint8_t* values, int count) {
  if (line < 0 || line >= lines_ || values == nullptr) return;
  const int n = std::min(count, columns_);
  if (n <= 0) return;
  std::uint8_t* row = pixels_[line];
  if (type_ != kRgb) {
    std::memcpy(row, values, static_cast<std::size_t>(n));
    return;
  }
  for (int x = 0; x < n; ++x) row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = values[x];
}

void IMAGE::SetRowRGB(int line, const std::uint8_t* blueGreenRed, int count) {
  if (line < 0 || line >= lines_ || blueGreenRed == nullptr) return;
  const int n = std::min(count, columns_);
  if (n <= 0) return;
  std::uint8_t* row = pixels_[line];
  if (type_ == kRgb) {
    std::memcpy(row, blueGreenRed, 3 * static_cast<std::size_t>(n));
    return;
  }
  for (int x = 0; x < n; ++x) {
    const std::uint8_t* p = blueGreenRed + 3 * static_cast<std::size_t>(x);
    row[x] = Average(p[0], p[1], p[2]);
  }
}

void IMAGE::SetFromPlane(const BytePlane& plane) {
  const int lines = std::min(lines_, plane.Lines());
  for (int y = 0; y < lines; ++y) SetRow(y, plane[y], plane.Columns());
}

void IMAGE::SetFromPlaneRGB(const BytePlane& blueGreenRedPlane) {
  const int lines = std::min(lines_, blueGreenRedPlane.Lines());
  for (int y = 0; y < lines; ++y) SetRowRGB(y, blueGreenRedPlane[y], blueGreenRedPlane.Columns() / 3);
}

void FillGray(IMAGE& image, std::uint8_t value) {
  image.Fill({value, value, value});
}
