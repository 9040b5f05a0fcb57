#include <cmath>
#include <cstdlib>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/CubicDensity.h"

namespace {

// The first treatment, the reference: passes s = 1 .. J over every window, the last one stays.
BytePlane LiteralCubicDensity(const BytePlane& g, int h, int J) {
  const int lines = g.Lines(), columns = g.Columns(), W = 2 * h + 1;
  BytePlane out(columns, lines);
  out.Fill(255);
  for (int s = 1; s <= J; ++s)
    for (int i = h; i <= lines - h - 1; ++i)
      for (int j = h; j <= columns - h - 1; ++j) {
        long sum = 0;
        for (int r = i - h; r <= i + h; ++r)
          for (int c = j - h; c <= j + h; ++c) {
            const int d = g[r][c] - g[i][j];
            const int k = static_cast<int>(std::trunc(std::abs(d) / static_cast<double>(s) + 0.5));
            sum += d <= 0 ? (k <= h + 1 ? h + 1 - k : 0) : (k <= h ? h + k + 1 : W);
          }
        out[i][j] = static_cast<std::uint8_t>(std::trunc(sum / (static_cast<double>(W) * W * W) * 254 + 0.5));
      }
  return out;
}

std::string Bytes(const BytePlane& p) {
  return std::string(p.Data(), p.Data() + p.Size());
}

class CubicDensityThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(CubicDensityThreads);

}  // namespace

TEST_P(CubicDensityThreads, LiteralReferenceHandWorkedCasesAndRefusals) {
  // Columns, lines, h, jump, gray span; the last windows, over 181 pixels a side, count in 32 bits.
  const std::tuple<int, int, int, int, int> cases[] = {
      {3, 3, 1, 1, 256},    {40, 31, 1, 3, 256},  {45, 37, 2, 1, 12},    {60, 25, 3, 7, 256},
      {23, 50, 11, 2, 256}, {30, 30, 4, 40, 256}, {187, 185, 91, 5, 256}};
  std::uint32_t seed = 60;
  for (auto [columns, lines, h, jump, span] : cases) {
    BytePlane image = MakeRandomGray(columns, lines, seed++), density;
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % span;
    EXPECT_TRUE(CubicDensity(image, h, jump, density));
    EXPECT_EQ(Bytes(density), Bytes(LiteralCubicDensity(image, h, jump)))
        << columns << "x" << lines << " h " << h;
  }
  // Flat: every column h + 1 high, (h + 1) / (2h + 1) x 254 rounded whatever the jump; 255 on the border.
  // A pixel far above its neighbours fills only its own column (h + 1 cells): 2 / 27 x 254 rounded.
  BytePlane flat(12, 10), peak(5, 5), density, image(9, 7), untouched(9, 7);
  flat.Fill(90), peak[2][2] = 250, untouched.Fill(3);
  for (auto [h, expected] : {std::pair{1, 169}, {2, 152}, {3, 145}})
    for (int jump : {1, 5}) {
      CubicDensity(flat, h, jump, density);
      EXPECT_EQ(
          std::tuple(density[h][h], density[10 - h - 1][12 - h - 1], density[h - 1][h], density[h][12 - h]),
          std::tuple(expected, expected, 255, 255));
    }
  CubicDensity(peak, 1, 1, density);
  EXPECT_EQ(density[2][2], 19);
  // Windows that do not fit and jumps below 1 are refused, the plane left as it was.
  EXPECT_TRUE(CubicDensity(image, 3, 1, density));
  for (auto [columns, lines, h, jump] : {std::tuple{9, 7, 4, 1}, {9, 7, 0, 1}, {9, 7, 1, 0}, {0, 0, 1, 1}})
    EXPECT_FALSE(CubicDensityComputable(columns, lines, h, jump)) << h << " " << jump;
  EXPECT_FALSE(CubicDensity(image, 4, 1, untouched) || untouched[0][0] != 3);
}
