#pragma once
// Uncompressed BMP files: 8 bits a pixel with a 256-entry palette, or 24 bits a pixel (blue, green,
// red). Planes hold the pixels as stored: one byte a pixel, or 3 x columns bytes a row for 24 bits.
#include <cstdint>
#include <string>

#include "imaging/Plane.h"

inline constexpr int kBmpHeaderBytes = 54;
inline constexpr int kBmpPaletteBytes = 1024;

// The fields of a BMP header as they stand in the file, read without judging them.
struct BmpHeaderInfo {
  bool complete = false;     // the 54 header bytes were there
  bool signatureOk = false;  // "BM"
  std::uint32_t fileSizeField = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows stored top-down
  int bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint64_t fileLength = 0;  // the real length of the file
};

BmpHeaderInfo ReadBMPHeader(const std::string& fileName);

// How the pixels of a file with this header are laid out, judged from the header alone: valid only
// for an uncompressed 8-bit (pixel offset 1078) or 24-bit (offset 54) file with a positive width, a
// height other than 0, both sides at most kMaxImageSide, and every row inside the file.
struct BmpLayout {
  bool valid = false;
  int bytesPerPixel = 0;
  int columns = 0;
  int lines = 0;
  bool topDown = false;  // negative height in the file
  std::uint64_t rowBytes = 0;
  std::uint64_t rowSize = 0;  // rowBytes padded to a multiple of 4
};

BmpLayout CheckBMPLayout(const BmpHeaderInfo& info);

// type 0 or 1: 8 bits a pixel with the given 256 x (blue, green, red, 0) palette, or the gray ramp when
// none; type 2: 24 bits a pixel. Returns 0, or -1 when anything cannot be written or the plane is
// smaller than columns x lines; an earlier file of that name is then left as it was.
int WriteBMPFile(const std::string& fileName, const BytePlane& plane, int columns, int lines, int type,
                 const std::uint8_t* palette = nullptr);

// The file's pixels, line 0 first, palette not applied; sizes out. An empty plane and sizes 0 for a
// missing, short, malformed, compressed or unsupported file.
BytePlane ReadBMPFile(const std::string& fileName, int& columns, int& lines);
// The same into `plane`, whose memory is reused when it already has the file's size. False, with
// sizes 0, when the file is refused: `plane` is then unchanged if the header refused it, and empty if
// the pixels could not be read.
bool ReadBMPFileInto(const std::string& fileName, BytePlane& plane, int& columns, int& lines);
