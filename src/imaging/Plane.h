#pragma once
// A plane is one contiguous, zero-filled block of lines x columns cells,
// addressed by row: p[i][j] is line i, column j. It owns its memory. A plane made for overwrite
// skips the zero-filling: for outputs whose every cell is written anyway.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

struct ForOverwrite {};
inline constexpr ForOverwrite kForOverwrite{};

template <class T>
class Plane {
 public:
  Plane() = default;

  // Throws std::bad_alloc when the block cannot be had; sizes <= 0 give an empty plane.
  Plane(int columns, int lines) {
    if (columns <= 0 || lines <= 0) return;
    const std::size_t count = static_cast<std::size_t>(columns) * static_cast<std::size_t>(lines);
    cells_.reset(new T[count]());
    columns_ = columns;
    lines_ = lines;
  }
  // The cells' values are unspecified until written.
  Plane(int columns, int lines, ForOverwrite) {
    if (columns <= 0 || lines <= 0) return;
    const std::size_t count = static_cast<std::size_t>(columns) * static_cast<std::size_t>(lines);
    cells_.reset(new T[count]);
    columns_ = columns;
    lines_ = lines;
  }

  Plane(Plane&& other) noexcept { Swap(other); }
  Plane& operator=(Plane&& other) noexcept {
    Plane tmp(std::move(other));
    Swap(tmp);
    return *this;
  }
  Plane(const Plane&) = delete;
  Plane& operator=(const Plane&) = delete;

  Plane Clone() const {
    Plane copy(columns_, lines_);
    if (cells_) std::copy(Data(), Data() + Size(), copy.Data());
    return copy;
  }

  int Lines() const { return lines_; }
  int Columns() const { return columns_; }
  std::size_t Size() const { return static_cast<std::size_t>(lines_) * static_cast<std::size_t>(columns_); }
  bool Empty() const { return !cells_; }
  explicit operator bool() const { return static_cast<bool>(cells_); }

  T* operator[](int line) { return cells_.get() + static_cast<std::size_t>(line) * columns_; }
  const T* operator[](int line) const { return cells_.get() + static_cast<std::size_t>(line) * columns_; }
  T* Data() { return cells_.get(); }
  const T* Data() const { return cells_.get(); }

  bool Contains(int line, int column) const {
    return line >= 0 && line < lines_ && column >= 0 && column < columns_;
  }
  void Fill(T value) { std::fill(Data(), Data() + Size(), value); }
  void Reset() { Plane().Swap(*this); }

 private:
  void Swap(Plane& other) noexcept {
    std::swap(cells_, other.cells_);
    std::swap(columns_, other.columns_);
    std::swap(lines_, other.lines_);
  }

  std::unique_ptr<T[]> cells_;
  int columns_ = 0;
  int lines_ = 0;
};

using BytePlane = Plane<std::uint8_t>;
using WordPlane = Plane<std::uint16_t>;
using IntPlane = Plane<std::int32_t>;
using DoublePlane = Plane<double>;
