#pragma once
// Allocation and release helpers for planes and vectors. Every helper takes the row length first
// (columns, lines) and gives back an empty plane or vector, never a partial one, when a size is not
// positive or the memory cannot be had; callers test Empty() before use.
#include <cstdint>
#include <vector>

#include "imaging/Plane.h"

BytePlane AllocByteMatrix(int columns, int lines);
// A byte plane whose cells are not zero-filled, for a caller that writes every one of them.
BytePlane AllocByteMatrixForOverwrite(int columns, int lines);
// `plane` itself when it already has this size (its cells then keep their old values), otherwise a
// plane made for overwrite; empty when the memory cannot be had.
BytePlane ReuseOrAllocByteMatrix(BytePlane&& plane, int columns, int lines);
WordPlane AllocWordMatrix(int columns, int lines);
IntPlane AllocIntMatrix(int columns, int lines);
DoublePlane AllocDoubleMatrix(int columns, int lines);

std::vector<std::uint8_t> AllocByteVector(std::int64_t n);
std::vector<std::int32_t> AllocIntVector(std::int64_t n);
std::vector<double> AllocDoubleVector(std::int64_t n);

// Releasing is resetting: the memory goes back at once and the object is left empty.
inline void FreeByteMatrix(BytePlane& plane) {
  plane.Reset();
}
inline void FreeIntMatrix(IntPlane& plane) {
  plane.Reset();
}
inline void FreeDoubleMatrix(DoublePlane& plane) {
  plane.Reset();
}
inline void FreeByteVector(std::vector<std::uint8_t>& vector) {
  std::vector<std::uint8_t>().swap(vector);
}
inline void FreeIntVector(std::vector<std::int32_t>& vector) {
  std::vector<std::int32_t>().swap(vector);
}
inline void FreeDoubleVector(std::vector<double>& vector) {
  std::vector<double>().swap(vector);
}
