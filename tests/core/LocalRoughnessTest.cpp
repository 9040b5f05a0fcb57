#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/LocalRoughness.h"

namespace {

// The first treatment, the reference: the values in a matrix, their range, the rescaling (flat: one tone).
BytePlane LiteralRoughness(const BytePlane& g, double& min, double& max) {
  const int lines = g.Lines(), columns = g.Columns();
  DoublePlane v(columns, lines);
  BytePlane out(columns, lines);
  out.Fill(255), min = 10000.0, max = 0.0;
  for (int i = 1; i <= lines - 2; ++i)
    for (int j = 1; j <= columns - 2; ++j) {
      int s = 0;
      for (int r = i - 1; r <= i + 1; ++r)
        for (int c = j - 1; c <= j + 1; ++c) s += std::abs(g[i][j] - g[r][c]);
      v[i][j] = (1.0 / 9) * s;
      min = std::min(min, v[i][j]), max = std::max(max, v[i][j]);
    }
  for (int i = 1; i <= lines - 2; ++i)
    for (int j = 1; j <= columns - 2; ++j)
      out[i][j] =
          max == min ? 1 : static_cast<std::uint8_t>(std::trunc((v[i][j] - min) / (max - min) * 254) + 1);
  return out;
}

std::string Bytes(const BytePlane& p) {
  return std::string(p.Data(), p.Data() + p.Size());
}

class LocalRoughnessThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(LocalRoughnessThreads);

}  // namespace

// Fewer than 3 lines or columns: nothing computed, an all-white plane of the image's size.
TEST_P(LocalRoughnessThreads, EqualsTheLiteralTreatmentAndTinyImagesAreNotComputed) {
  std::uint32_t seed = 40;
  for (auto [columns, lines, span] :
       {std::tuple{3, 3, 256}, {57, 40, 256}, {700, 500, 256}, {33, 21, 4}, {3, 90, 256}}) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines);
    BytePlane image = MakeRandomGray(columns, lines, seed++), gray;
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % span;
    double min = 0, max = 0;
    const BytePlane expected = LiteralRoughness(image, min, max);
    const LocalRoughnessResult result = LocalRoughness(image, gray);
    EXPECT_EQ(std::tuple(result.Computed, result.Min, result.Max, Bytes(gray)),
              std::tuple(true, min, max, Bytes(expected)));
  }
  for (auto [columns, lines] : {std::pair{2, 10}, {10, 2}, {0, 0}}) {
    BytePlane out;
    EXPECT_FALSE(LocalRoughness(BytePlane(columns, lines), out).Computed);
    EXPECT_EQ(std::tuple(out.Columns(), out.Lines(), Bytes(out)),
              std::tuple(columns, lines, std::string(columns * lines, '\xff')));
  }
}
