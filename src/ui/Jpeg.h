#pragma once
// JPEG pictures of the program's own resources, decoded with libjpeg.
#include <QImage>
#include <cstddef>

namespace ui {

// The picture in RGB (gray files in gray); a null image when the bytes are no JPEG picture of a
// sensible size. Never reads past `size` bytes.
QImage DecodeJpeg(const unsigned char* data, std::size_t size);

}  // namespace ui
