#include "graytone/kernels/LocalRoughness.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "graytone/kernels/GrayScaling.h"
#include "imaging/Parallel.h"

namespace {

constexpr int kMaxSum = 8 * 255;

// Sums of the eight differences of the pixels 1 .. columns - 2 of line i.
void LineSums(const BytePlane& image, int i, int* sums) {
  const std::uint8_t* up = image[i - 1];
  const std::uint8_t* row = image[i];
  const std::uint8_t* down = image[i + 1];
  const int columns = image.Columns();
  for (int j = 1; j < columns - 1; ++j) {
    const int g = row[j];
    sums[j] = std::abs(g - up[j - 1]) + std::abs(g - up[j]) + std::abs(g - up[j + 1]) +
              std::abs(g - row[j - 1]) + std::abs(g - row[j + 1]) + std::abs(g - down[j - 1]) +
              std::abs(g - down[j]) + std::abs(g - down[j + 1]);
  }
}

}  // namespace

double RoughnessOfSum(int sum) {
  return (1.0 / 9) * sum;
}

LocalRoughnessResult LocalRoughness(const BytePlane& image, BytePlane& gray) {
  LocalRoughnessResult result;
  const int lines = image.Lines(), columns = image.Columns();
  if (gray.Lines() != lines || gray.Columns() != columns) gray = BytePlane(columns, lines);
  if (lines < 3 || columns < 3) {
    gray.Fill(kResultFrame);
    return result;
  }
  result.Computed = true;
  const std::int64_t grain = parallel::RowGrain(columns);
  const std::int64_t chunks = parallel::ChunkCount(lines - 2, grain);

  // The value is a fixed multiple of the sum: the extremes of the sums give those of the values.
  std::vector<std::array<int, 2>> ranges(chunks, {kMaxSum, 0});
  parallel::For(lines - 2, grain, [&](std::int64_t first, std::int64_t last) {
    std::vector<int> sums(columns);
    // Kept in registers, not in `ranges`: the chunks' entries share cache lines.
    int low = kMaxSum, high = 0;
    for (auto i = static_cast<int>(first) + 1; i < last + 1; ++i) {
      LineSums(image, i, sums.data());
      for (int j = 1; j < columns - 1; ++j) {
        low = std::min(low, sums[j]);
        high = std::max(high, sums[j]);
      }
    }
    ranges[parallel::ChunkIndex(first, grain)] = {low, high};
  });
  int low = kMaxSum, high = 0;
  for (const auto& range : ranges) {
    low = std::min(low, range[0]);
    high = std::max(high, range[1]);
  }
  result.Min = RoughnessOfSum(low);
  result.Max = RoughnessOfSum(high);

  const GrayScaling scaling{result.Min, result.Max, 1};
  std::array<std::uint8_t, kMaxSum + 1> grayOfSum{};
  for (int sum = low; sum <= high; ++sum)
    grayOfSum[sum] = static_cast<std::uint8_t>(scaling.Gray(RoughnessOfSum(sum)));
  std::fill(gray[0], gray[0] + columns, kResultFrame);
  std::fill(gray[lines - 1], gray[lines - 1] + columns, kResultFrame);
  parallel::For(lines - 2, grain, [&](std::int64_t first, std::int64_t last) {
    std::vector<int> sums(columns);
    for (auto i = static_cast<int>(first) + 1; i < last + 1; ++i) {
      LineSums(image, i, sums.data());
      std::uint8_t* out = gray[i];
      out[0] = out[columns - 1] = kResultFrame;
      for (int j = 1; j < columns - 1; ++j) out[j] = grayOfSum[sums[j]];
    }
  });
  return result;
}
