#include "imaging/Bmp.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <vector>

#include "imaging/Allocators.h"
#include "imaging/SafeFile.h"

namespace {

constexpr std::uint32_t kOffset8 = kBmpHeaderBytes + kBmpPaletteBytes;  // 1078
constexpr std::uint32_t kOffset24 = kBmpHeaderBytes;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 10000;
// Rows move to and from the disk in blocks of about this size.
constexpr std::uint64_t kBlockBytes = std::uint64_t{1} << 22;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

void PutU16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(v >> (8 * k));
}

std::uint32_t GetU16(const std::uint8_t* p) {
  return p[0] | (std::uint32_t{p[1]} << 8);
}

std::uint32_t GetU32(const std::uint8_t* p) {
  return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

std::uint64_t RowSize(std::uint64_t rowBytes) {
  return (rowBytes + 3) / 4 * 4;
}

BmpHeaderInfo ParseHeader(const std::uint8_t* h, std::uint64_t fileLength) {
  BmpHeaderInfo info;
  info.complete = true;
  info.signatureOk = h[0] == 'B' && h[1] == 'M';
  info.fileSizeField = GetU32(h + 2);
  info.pixelOffset = GetU32(h + 10);
  info.infoSize = GetU32(h + 14);
  info.width = static_cast<std::int32_t>(GetU32(h + 18));
  info.height = static_cast<std::int32_t>(GetU32(h + 22));
  info.bitsPerPixel = static_cast<int>(GetU16(h + 28));
  info.compression = GetU32(h + 30);
  info.fileLength = fileLength;
  return info;
}

// Opens a regular file for reading and reads its header; null when either fails.
FilePtr OpenAndReadHeader(const std::string& fileName, BmpHeaderInfo& info) {
  info = {};
  std::error_code error;
  const std::uint64_t fileLength = std::filesystem::file_size(fileName, error);
  if (error) return nullptr;
  FilePtr file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return nullptr;
  std::array<std::uint8_t, kBmpHeaderBytes> header{};
  if (std::fread(header.data(), 1, header.size(), file.get()) != header.size()) return nullptr;
  info = ParseHeader(header.data(), fileLength);
  return file;
}

}  // namespace

BmpHeaderInfo ReadBMPHeader(const std::string& fileName) {
  BmpHeaderInfo info;
  OpenAndReadHeader(fileName, info);
  return info;
}

int WriteBMPFile(const std::string& fileName, const BytePlane& plane, int columns, int lines, int type,
                 const std::uint8_t* palette) {
  const int bytesPerPixel = type == 2 ? 3 : 1;
  if (columns <= 0 || lines <= 0) return -1;
  const std::uint64_t rowBytes = static_cast<std::uint64_t>(columns) * bytesPerPixel;
  if (plane.Lines() < lines || static_cast<std::uint64_t>(plane.Columns()) < rowBytes) return -1;
  const std::uint64_t rowSize = RowSize(rowBytes);
  const std::uint32_t pixelOffset = bytesPerPixel == 1 ? kOffset8 : kOffset24;
  const std::uint64_t imageSize = rowSize * static_cast<std::uint64_t>(lines);
  // The size fields are 32 bits: a larger image cannot be written truthfully.
  if (pixelOffset + imageSize > UINT32_MAX) return -1;

  std::array<std::uint8_t, kBmpHeaderBytes + kBmpPaletteBytes> head{};
  std::uint8_t* h = head.data();
  h[0] = 'B';
  h[1] = 'M';
  PutU32(h + 2, static_cast<std::uint32_t>(pixelOffset + imageSize));
  PutU32(h + 10, pixelOffset);
  PutU32(h + 14, kInfoHeaderBytes);
  PutU32(h + 18, static_cast<std::uint32_t>(columns));
  PutU32(h + 22, static_cast<std::uint32_t>(lines));
  PutU16(h + 26, 1);
  PutU16(h + 28, bytesPerPixel == 1 ? 8 : 24);
  PutU32(h + 34, static_cast<std::uint32_t>(imageSize));
  PutU32(h + 38, kPixelsPerMetre);
  PutU32(h + 42, kPixelsPerMetre);
  std::uint8_t* entries = h + kBmpHeaderBytes;
  if (palette != nullptr) {
    std::memcpy(entries, palette, kBmpPaletteBytes);
  } else {
    for (int v = 0; v < 256; ++v) {
      entries[4 * v] = entries[4 * v + 1] = entries[4 * v + 2] = static_cast<std::uint8_t>(v);
    }
  }

  const std::uint64_t rowsPerBlock = std::clamp<std::uint64_t>(kBlockBytes / rowSize, 1, lines);
  std::vector<std::uint8_t> block;
  try {
    block.assign(rowsPerBlock * rowSize, 0);
  } catch (const std::bad_alloc&) {
    return -1;
  }

  SafeFile file(fileName);
  if (!file.Open()) return -1;
  bool ok = file.Write(head.data(), pixelOffset);
  // Last line first; the padding bytes of the block stay zero since rows only fill their own bytes.
  for (std::uint64_t done = 0; ok && done < static_cast<std::uint64_t>(lines); done += rowsPerBlock) {
    const std::uint64_t count = std::min<std::uint64_t>(rowsPerBlock, lines - done);
    for (std::uint64_t r = 0; r < count; ++r) {
      const int line = lines - 1 - static_cast<int>(done + r);
      std::memcpy(block.data() + r * rowSize, plane[line], rowBytes);
    }
    ok = file.Write(block.data(), count * rowSize);
  }
  return ok && file.Commit() ? 0 : -1;
}

BmpLayout CheckBMPLayout(const BmpHeaderInfo& info) {
  BmpLayout layout;
  if (!info.complete || !info.signatureOk || info.compression != 0) return layout;
  if (info.bitsPerPixel == 8 && info.pixelOffset == kOffset8) {
    layout.bytesPerPixel = 1;
  } else if (info.bitsPerPixel == 24 && info.pixelOffset == kOffset24) {
    layout.bytesPerPixel = 3;
  } else {
    return layout;
  }
  if (info.width <= 0 || info.height == 0 || info.height == INT32_MIN) return layout;
  layout.topDown = info.height < 0;
  layout.columns = info.width;
  layout.lines = layout.topDown ? -info.height : info.height;
  layout.rowBytes = static_cast<std::uint64_t>(info.width) * layout.bytesPerPixel;
  layout.rowSize = RowSize(layout.rowBytes);
  // Every row must be in the file, so that nothing is allocated for pixels that are not there.
  layout.valid =
      layout.rowBytes <= INT_MAX &&
      info.pixelOffset + layout.rowSize * static_cast<std::uint64_t>(layout.lines) <= info.fileLength;
  return layout;
}

BytePlane ReadBMPFile(const std::string& fileName, int& columns, int& lines) {
  columns = 0;
  lines = 0;
  BmpHeaderInfo info;
  FilePtr file = OpenAndReadHeader(fileName, info);
  const BmpLayout layout = CheckBMPLayout(info);
  if (!file || !layout.valid) return {};
  if (layout.bytesPerPixel == 1) {
    std::array<std::uint8_t, kBmpPaletteBytes> palette{};
    if (std::fread(palette.data(), 1, palette.size(), file.get()) != palette.size()) return {};
  }
  const int height = layout.lines;
  const std::uint64_t rowBytes = layout.rowBytes;
  const std::uint64_t rowSize = layout.rowSize;
  BytePlane plane = AllocByteMatrix(static_cast<int>(rowBytes), height);
  if (plane.Empty()) return {};
  const std::uint64_t rowsPerBlock = std::clamp<std::uint64_t>(kBlockBytes / rowSize, 1, height);
  std::vector<std::uint8_t> block;
  try {
    block.resize(rowsPerBlock * rowSize);
  } catch (const std::bad_alloc&) {
    return {};
  }
  for (std::uint64_t done = 0; done < static_cast<std::uint64_t>(height); done += rowsPerBlock) {
    const std::uint64_t count = std::min<std::uint64_t>(rowsPerBlock, height - done);
    if (std::fread(block.data(), 1, count * rowSize, file.get()) != count * rowSize) return {};
    for (std::uint64_t r = 0; r < count; ++r) {
      const std::uint64_t fileRow = done + r;
      const int line = static_cast<int>(layout.topDown ? fileRow : height - 1 - fileRow);
      std::memcpy(plane[line], block.data() + r * rowSize, rowBytes);
    }
  }
  columns = layout.columns;
  lines = height;
  return plane;
}
