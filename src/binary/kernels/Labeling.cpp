#include "binary/kernels/Labeling.h"

#include "imaging/Parallel.h"

std::int64_t CountPixelsOfValue(const BytePlane& plane, std::uint8_t value) {
  const std::uint8_t* cells = plane.Data();
  const std::int64_t size = static_cast<std::int64_t>(plane.Size());
  const std::int64_t grain = parallel::ChunkWork();
  std::vector<std::int64_t> chunkCounts(static_cast<std::size_t>(parallel::ChunkCount(size, grain)), 0);
  parallel::For(size, grain, [&](std::int64_t first, std::int64_t last) {
    std::int64_t count = 0;
    for (std::int64_t k = first; k < last; ++k) count += cells[k] == value;
    chunkCounts[static_cast<std::size_t>(parallel::ChunkIndex(first, grain))] = count;
  });
  std::int64_t count = 0;
  for (const std::int64_t chunk : chunkCounts) count += chunk;
  return count;
}

LabelingResult LabelItems(const BytePlane& binary, int minSize, int maxSize, PixelStack& stack) {
  LabelingResult result;
  if (binary.Empty()) return result;
  // The walk reads the frame as background and leaves `binary` alone, so no copy is made, and the
  // byte plane is painted from the items' runs rather than from a plane of int labels.
  const ItemCountResult items = CountItemsInFrame(binary, minSize, maxSize, stack);
  result.ItemCount = items.ItemCount;
  result.KeptItems = items.KeptItems;
  result.LabeledPixels = items.LabeledPixels;
  result.PixelsPerCode = ItemPixelsPerCode(stack);
  if (result.FitsInBytes()) {
    result.Labeled = BytePlane(binary.Columns(), binary.Lines(), kForOverwrite);
    PaintItemCodes(stack, binary, result.Labeled, 255);
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
