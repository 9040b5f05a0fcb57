#include "ui/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

namespace ui {
namespace {

constexpr long long kMaxPixels = 64LL * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

// The decoder's state lives on the heap: locals changed after setjmp are not to be trusted after the
// jump back.
struct Decoding {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  std::vector<unsigned char> row;
  QImage picture;
};

void ErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void Silent(j_common_ptr) {}

}  // namespace

QImage DecodeJpeg(const unsigned char* data, std::size_t size) {
  if (!data || size == 0) return {};
  const auto state = std::make_unique<Decoding>();
  jpeg_decompress_struct& info = state->info;
  ErrorManager& errors = state->errors;
  std::vector<unsigned char>& row = state->row;
  QImage& picture = state->picture;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = Silent;
  if (setjmp(errors.escape)) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  const bool gray = info.jpeg_color_space == JCS_GRAYSCALE;
  info.out_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  const long long pixels = static_cast<long long>(info.image_width) * info.image_height;
  if (info.image_width == 0 || info.image_height == 0 || pixels > kMaxPixels) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  const int components = info.output_components;
  picture = QImage(width, height, gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  row.resize(static_cast<std::size_t>(width) * components);
  while (info.output_scanline < info.output_height) {
    const int line = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    std::copy(row.begin(), row.end(), picture.scanLine(line));
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return picture;
}

}  // namespace ui
