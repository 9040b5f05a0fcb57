#include "panels/kernels/DilationContour.h"

#include <algorithm>
#include <array>

#include "imaging/Parallel.h"

namespace {

constexpr int kFirstCode = 1;
constexpr int kLastCode = 254;
constexpr std::uint8_t kBackground = 255;

struct Counts {
  std::array<std::int64_t, 256> total{};
  std::array<std::int64_t, 256> gained{};
};

}  // namespace

DilationContourResult ExtractDilationContour(BytePlane& panel, const BytePlane& before) {
  DilationContourResult result;
  const int lines = panel.Lines(), columns = panel.Columns();
  if (panel.Empty()) return result;
  const int sharedLines = std::min(lines, before.Lines());
  const int sharedColumns = std::min(columns, before.Columns());

  // One pass: counts per value, and each pixel kept only when it is an item pixel that was background.
  const std::int64_t grain = parallel::RowGrain(columns);
  std::vector<Counts> parts(parallel::ChunkCount(lines, grain));
  parallel::For(lines, grain, [&](std::int64_t first, std::int64_t last) {
    Counts& part = parts[parallel::ChunkIndex(first, grain)];
    for (auto i = static_cast<int>(first); i < last; ++i) {
      std::uint8_t* row = panel[i];
      const std::uint8_t* old = i < sharedLines ? before[i] : nullptr;
      const int reach = old ? sharedColumns : 0;
      for (int j = 0; j < columns; ++j) {
        const std::uint8_t value = row[j];
        ++part.total[value];
        const bool gained = j < reach && old[j] == kBackground && value >= kFirstCode && value <= kLastCode;
        part.gained[value] += gained ? 1 : 0;
        row[j] = gained ? value : kBackground;
      }
    }
  });

  Counts sum;
  for (const Counts& part : parts)
    for (int v = 0; v < 256; ++v) {
      sum.total[v] += part.total[v];
      sum.gained[v] += part.gained[v];
    }
  std::int64_t total = 0, border = 0;
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    if (sum.total[code] == 0) continue;
    total += sum.total[code];
    border += sum.gained[code];
    result.Codes.push_back(code);
    result.TotalPixels.push_back(total);
    result.BorderPixels.push_back(border);
  }
  return result;
}
