#include "ui/Bitmap.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "imaging/Parallel.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

QRgb ToQRgb(Rgb colour) {
  return qRgb(colour.red, colour.green, colour.blue);
}

// Blocks above 32 MiB are fresh mappings from the C library every time, and their thousands of page
// faults cost more than the filling; backed by huge pages they take a few dozen. Smaller blocks are
// recycled by the allocator, so Qt's own is best for them.
QImage NewBitmap(int columns, int lines) {
#ifdef __linux__
  constexpr std::size_t kHugePage = std::size_t{1} << 21;
  const std::size_t bytes = std::size_t{4} * columns * lines;
  constexpr std::size_t kFreshMappingBytes = std::size_t{32} << 20;
  if (bytes > kFreshMappingBytes) {
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = nullptr;
    if (posix_memalign(&block, kHugePage, rounded) != 0) return {};
    madvise(block, rounded, MADV_HUGEPAGE);
    QImage bitmap(
        static_cast<uchar*>(block), columns, lines, qsizetype{4} * columns, QImage::Format_RGB32,
        [](void* data) { std::free(data); }, block);
    if (bitmap.isNull()) std::free(block);
    return bitmap;
  }
#endif
  return QImage(columns, lines, QImage::Format_RGB32);
}

}  // namespace

QImage ImageToBitmap(const IMAGE& image) {
  return ImageToBitmap(image, QImage());
}

QImage ImageToBitmap(const IMAGE& image, QImage recycled) {
  const int columns = image.Columns();
  const int lines = image.Lines();
  if (columns <= 0 || lines <= 0) return {};
  const QImage::Format format =
      image.Type() == IMAGE::kGray ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
  const bool reuse = !recycled.isNull() && recycled.isDetached() && recycled.format() == format &&
                     recycled.width() == columns && recycled.height() == lines;
  if (image.Type() == IMAGE::kGray) {
    // One byte a pixel, as the image holds it: a copy of each row.
    QImage gray = reuse ? std::move(recycled) : QImage(columns, lines, QImage::Format_Grayscale8);
    if (gray.isNull()) return {};
    uchar* const rows = gray.bits();
    const qsizetype grayBytesPerLine = gray.bytesPerLine();
    parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
      for (std::int64_t y = first; y < last; ++y)
        std::memcpy(rows + y * grayBytesPerLine, image.Row(static_cast<int>(y)),
                    static_cast<std::size_t>(columns));
    });
    return gray;
  }
  QImage bitmap = reuse ? std::move(recycled) : NewBitmap(columns, lines);
  if (bitmap.isNull()) return {};
  // Rows are independent, so they may be filled in any order and on any thread.
  uchar* const bits = bitmap.bits();
  const qsizetype bytesPerLine = bitmap.bytesPerLine();

  // Each row of pixels through `convert`, as 32-bit colours.
  auto fillRows = [&](auto convert) {
    parallel::For(lines, parallel::RowGrain(columns), [&](std::int64_t first, std::int64_t last) {
      for (std::int64_t y = first; y < last; ++y)
        convert(image.Row(static_cast<int>(y)), reinterpret_cast<QRgb*>(bits + y * bytesPerLine));
    });
  };
  if (image.Type() == IMAGE::kRgb) {
    fillRows([columns](const std::uint8_t* source, QRgb* target) {
      for (int x = 0; x < columns; ++x, source += 3) target[x] = qRgb(source[2], source[1], source[0]);
    });
    return bitmap;
  }
  std::array<QRgb, 256> table{};
  const auto& palette = image.Palette();
  for (int v = 0; v < 256; ++v) table[v] = ToQRgb({palette[4 * v], palette[4 * v + 1], palette[4 * v + 2]});
  fillRows([columns, &table](const std::uint8_t* source, QRgb* target) {
    for (int x = 0; x < columns; ++x) target[x] = table[source[x]];
  });
  return bitmap;
}
