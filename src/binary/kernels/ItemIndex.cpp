#include "binary/kernels/ItemIndex.h"

#include <algorithm>

#include "imaging/Parallel.h"

namespace {

constexpr int kFirstCode = 1;
constexpr int kLastCode = 254;

void Merge(ItemBounds& into, const ItemBounds& from) {
  if (!from.Present()) return;
  if (!into.Present()) {
    into = from;
    return;
  }
  into.Pixels += from.Pixels;
  into.MinLine = std::min(into.MinLine, from.MinLine);
  into.MaxLine = std::max(into.MaxLine, from.MaxLine);
  into.MinColumn = std::min(into.MinColumn, from.MinColumn);
  into.MaxColumn = std::max(into.MaxColumn, from.MaxColumn);
}

}  // namespace

std::vector<int> ItemIndex::PresentCodes() const {
  std::vector<int> codes;
  for (int code = kFirstCode; code <= kLastCode; ++code)
    if (Values[code].Present()) codes.push_back(code);
  return codes;
}

int ItemIndex::HighestCode() const {
  for (int code = kLastCode; code >= kFirstCode; --code)
    if (Values[code].Present()) return code;
  return 0;
}

ItemIndex IndexItems(const BytePlane& labels) {
  ItemIndex index;
  const int lines = labels.Lines(), columns = labels.Columns();
  if (labels.Empty()) return index;
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<ItemIndex> parts(parallel::ChunkCount(lines, grain));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    ItemIndex& part = parts[parallel::ChunkIndex(first, grain)];
    for (int i = static_cast<int>(first); i < last; ++i) {
      const std::uint8_t* row = labels[i];
      // Runs of one value cost one update each.
      for (int j = 0; j < columns;) {
        const std::uint8_t value = row[j];
        const int start = j;
        while (j < columns && row[j] == value) ++j;
        ItemBounds& bounds = part.Values[value];
        if (!bounds.Present()) {
          bounds.MinLine = bounds.MaxLine = i;
          bounds.MinColumn = start;
          bounds.MaxColumn = j - 1;
        } else {
          bounds.MaxLine = i;
          bounds.MinColumn = std::min(bounds.MinColumn, start);
          bounds.MaxColumn = std::max(bounds.MaxColumn, j - 1);
        }
        bounds.Pixels += j - start;
      }
    }
  });
  for (const ItemIndex& part : parts)
    for (int value = 0; value < 256; ++value) Merge(index.Values[value], part.Values[value]);
  return index;
}
