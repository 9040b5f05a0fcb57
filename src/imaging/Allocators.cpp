#include "imaging/Allocators.h"

#include <new>
#include <stdexcept>
#include <utility>

namespace {

// Far above any machine we run on, yet below the largest single block the allocators (and the
// address sanitizer) accept, so an absurd request is refused here instead of aborting there.
constexpr std::uint64_t kMaxBlockBytes = std::uint64_t{1} << 39;

template <class T, class... Fill>
Plane<T> AllocPlane(int columns, int lines, Fill... fill) {
  if (columns <= 0 || lines <= 0) return {};
  const std::uint64_t cells = static_cast<std::uint64_t>(columns) * static_cast<std::uint64_t>(lines);
  if (cells > kMaxBlockBytes / sizeof(T)) return {};
  try {
    return Plane<T>(columns, lines, fill...);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

template <class T>
std::vector<T> AllocVector(std::int64_t n) {
  if (n <= 0 || static_cast<std::uint64_t>(n) > kMaxBlockBytes / sizeof(T)) return {};
  try {
    return std::vector<T>(static_cast<std::size_t>(n));
  } catch (const std::bad_alloc&) {
    return {};
  } catch (const std::length_error&) {
    return {};
  }
}

}  // namespace

BytePlane AllocByteMatrix(int columns, int lines) {
  return AllocPlane<std::uint8_t>(columns, lines);
}
BytePlane AllocByteMatrixForOverwrite(int columns, int lines) {
  return AllocPlane<std::uint8_t>(columns, lines, kForOverwrite);
}
BytePlane ReuseOrAllocByteMatrix(BytePlane&& plane, int columns, int lines) {
  if (!plane.Empty() && plane.Columns() == columns && plane.Lines() == lines) return std::move(plane);
  plane.Reset();  // its memory goes back before the new block is taken
  return AllocByteMatrixForOverwrite(columns, lines);
}
WordPlane AllocWordMatrix(int columns, int lines) {
  return AllocPlane<std::uint16_t>(columns, lines);
}
IntPlane AllocIntMatrix(int columns, int lines) {
  return AllocPlane<std::int32_t>(columns, lines);
}
DoublePlane AllocDoubleMatrix(int columns, int lines) {
  return AllocPlane<double>(columns, lines);
}

std::vector<std::uint8_t> AllocByteVector(std::int64_t n) {
  return AllocVector<std::uint8_t>(n);
}
std::vector<std::int32_t> AllocIntVector(std::int64_t n) {
  return AllocVector<std::int32_t>(n);
}
std::vector<double> AllocDoubleVector(std::int64_t n) {
  return AllocVector<double>(n);
}
