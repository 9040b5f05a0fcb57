#include "binary/kernels/Labeling.h"

namespace {

void ClearFrame(BytePlane& plane) {
  const int lines = plane.Lines();
  const int columns = plane.Columns();
  for (int j = 0; j < columns; ++j) {
    plane[0][j] = 0;
    plane[lines - 1][j] = 0;
  }
  for (int i = 0; i < lines; ++i) {
    plane[i][0] = 0;
    plane[i][columns - 1] = 0;
  }
}

}  // namespace

std::int64_t CountPixelsOfValue(const BytePlane& plane, std::uint8_t value) {
  std::int64_t count = 0;
  const std::uint8_t* cells = plane.Data();
  const std::int64_t size = static_cast<std::int64_t>(plane.Size());
#pragma omp parallel for reduction(+ : count) schedule(static) if (size > (std::int64_t{1} << 16))
  for (std::int64_t k = 0; k < size; ++k) count += cells[k] == value;
  return count;
}

LabelingResult LabelItems(const BytePlane& binary, int minSize, int maxSize, PixelStack& stack) {
  LabelingResult result;
  if (binary.Empty()) return result;
  const int lines = binary.Lines();
  const int columns = binary.Columns();

  BytePlane work = binary.Clone();
  ClearFrame(work);
  IntPlane labels(columns, lines);
  const ItemCountResult items = CountItems(work, labels, minSize, maxSize, stack);
  result.ItemCount = items.ItemCount;
  result.KeptItems = items.KeptItems;
  result.LabeledPixels = items.LabeledPixels;
  result.PixelsPerCode.assign(static_cast<std::size_t>(items.ItemCount) + 1, 0);

  // One pass gives the pixels of every code; the labeled plane is made only when it can hold them.
  const bool fits = result.FitsInBytes();
  if (fits) result.Labeled = BytePlane(columns, lines);
  for (int i = 0; i < lines; ++i) {
    const std::int32_t* code = labels[i];
    std::uint8_t* out = fits ? result.Labeled[i] : nullptr;
    for (int j = 0; j < columns; ++j) {
      const std::int32_t c = code[j];
      if (c > 0) ++result.PixelsPerCode[static_cast<std::size_t>(c)];
      if (out) out[j] = c > 0 ? static_cast<std::uint8_t>(c) : std::uint8_t{255};
    }
  }
  return result;
}

LabelingResult LabelItems(const BytePlane& binary, int minSize, int maxSize) {
  PixelStack stack;
  return LabelItems(binary, minSize, maxSize, stack);
}

double PercentageOfImage(std::int64_t pixels, int lines, int columns) {
  const double total = static_cast<double>(lines) * static_cast<double>(columns);
  return total > 0 ? 100.0 * static_cast<double>(pixels) / total : 0.0;
}

double PercentageOfItems(std::int64_t pixels, std::int64_t labeledPixels) {
  return labeledPixels > 0 ? 100.0 * static_cast<double>(pixels) / static_cast<double>(labeledPixels) : 0.0;
}
