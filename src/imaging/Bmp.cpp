#include "imaging/Bmp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <vector>

#include "imaging/Allocators.h"
#include "imaging/Parallel.h"
#include "imaging/RawFile.h"
#include "imaging/SafeFile.h"

namespace {

constexpr std::uint32_t kOffset8 = kBmpHeaderBytes + kBmpPaletteBytes;  // 1078
constexpr std::uint32_t kOffset24 = kBmpHeaderBytes;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 10000;
// Rows move to and from the disk in blocks of about this size.
constexpr std::uint64_t kBlockBytes = std::uint64_t{1} << 22;
// Rows read by one call (each row and its padding take two of the call's buffers, at most 1024).
constexpr int kRowsPerRead = 512;

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

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Reads the header of an open regular file; false when it is not one or has no whole header.
bool ReadHeaderOf(int fd, BmpHeaderInfo& info) {
  info = {};
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  std::array<std::uint8_t, kBmpHeaderBytes> header{};
  if (pread(fd, header.data(), header.size(), 0) != static_cast<ssize_t>(header.size())) return false;
  info = ParseHeader(header.data(), static_cast<std::uint64_t>(status.st_size));
  return true;
}

// Fills the buffers of iov[0, count) from the file at `offset`, going on after short reads.
bool ReadFully(int fd, iovec* iov, int count, off_t offset) {
  while (count > 0) {
    const ssize_t got = preadv(fd, iov, count, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    offset += got;
    for (std::size_t left = static_cast<std::size_t>(got); left > 0;) {
      if (left >= iov->iov_len) {
        left -= iov->iov_len;
        ++iov;
        --count;
      } else {
        iov->iov_base = static_cast<std::uint8_t*>(iov->iov_base) + left;
        iov->iov_len -= left;
        left = 0;
      }
    }
    while (count > 0 && iov->iov_len == 0) {
      ++iov;
      --count;
    }
  }
  return true;
}

}  // namespace

BmpHeaderInfo ReadBMPHeader(const std::string& fileName) {
  BmpHeaderInfo info;
  const Descriptor file(open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() >= 0) ReadHeaderOf(file.Get(), info);
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
  // Sides past the program's limit are refused here, before anything is read or allocated.
  if (info.width > kMaxImageSide || info.height > kMaxImageSide || info.height < -kMaxImageSide)
    return layout;
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

bool ReadBMPFileInto(const std::string& fileName, BytePlane& plane, int& columns, int& lines) {
  columns = 0;
  lines = 0;
  const Descriptor file(open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  BmpHeaderInfo info;
  if (file.Get() < 0 || !ReadHeaderOf(file.Get(), info)) return false;
  const BmpLayout layout = CheckBMPLayout(info);
  if (!layout.valid) return false;
  const int height = layout.lines;
  const std::size_t rowBytes = layout.rowBytes;
  const std::size_t padding = layout.rowSize - layout.rowBytes;
  BytePlane target = ReuseOrAllocByteMatrix(std::move(plane), static_cast<int>(rowBytes), height);
  if (target.Empty()) return false;
  // Each row goes straight into its line of the plane (last line first unless stored top-down); the
  // padding of the rows goes to a scrap. One call reads many rows, and the threads read rows of
  // their own at their own offsets.
  const std::int64_t rowsPerChunk =
      std::min<std::int64_t>(kRowsPerRead, parallel::RowGrain(static_cast<std::int64_t>(rowBytes)));
  std::atomic<bool> failed{false};
  parallel::For(height, rowsPerChunk, [&](std::int64_t first, std::int64_t last) {
    std::array<std::uint8_t, 4> scrap{};
    std::array<iovec, kRowsPerRead * 2> iov{};
    int count = 0;
    for (std::int64_t fileRow = first; fileRow < last; ++fileRow) {
      const int line = static_cast<int>(layout.topDown ? fileRow : height - 1 - fileRow);
      iov[static_cast<std::size_t>(count++)] = {target[line], rowBytes};
      if (padding > 0) iov[static_cast<std::size_t>(count++)] = {scrap.data(), padding};
    }
    const auto offset =
        static_cast<off_t>(info.pixelOffset + static_cast<std::uint64_t>(first) * layout.rowSize);
    if (!failed.load(std::memory_order_relaxed) && !ReadFully(file.Get(), iov.data(), count, offset))
      failed.store(true, std::memory_order_relaxed);
  });
  if (failed.load()) return false;
  plane = std::move(target);
  columns = layout.columns;
  lines = height;
  return true;
}

BytePlane ReadBMPFile(const std::string& fileName, int& columns, int& lines) {
  BytePlane plane;
  ReadBMPFileInto(fileName, plane, columns, lines);
  return plane;
}
