#include <cmath>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/Lacunarity.h"

namespace {

using Wide = unsigned __int128;

// Every box summed pixel by pixel, as first done, but in exact integers.
GlidingBoxMoments LiteralMoments(const BytePlane& image, int k) {
  GlidingBoxMoments m;
  for (int i = k; i <= image.Lines() - k - 1; ++i)
    for (int j = k; j <= image.Columns() - k - 1; ++j) {
      std::uint64_t mass = 0;
      for (int r = i - k; r <= i + k; ++r)
        for (int c = j - k; c <= j + k; ++c) mass += image[r][c];
      m.Sum += mass, m.SumOfSquares += static_cast<Wide>(mass) * mass, ++m.Positions;
    }
  return m;
}

double LiteralLacunarity(const GlidingBoxMoments& m) {
  const Wide top = m.SumOfSquares * static_cast<Wide>(m.Positions);
  const Wide bottom = static_cast<Wide>(m.Sum) * m.Sum;
  return static_cast<double>(top / bottom) + static_cast<double>(top % bottom) / static_cast<double>(bottom);
}

class LacunarityThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(LacunarityThreads);

}  // namespace

TEST_P(LacunarityThreads, MomentsEqualTheBoxByBoxSumsCheckerboardEmptyMassesAndFits) {
  const std::tuple<int, int, std::uint32_t> cases[] = {{37, 29, 1}, {16, 40, 2}, {9, 9, 3}, {300, 7, 4}};
  for (auto [columns, lines, seed] : cases) {
    const BytePlane image = MakeRandomGray(columns, lines, seed);
    const GlidingBoxes boxes(image);
    for (int k = 0; 2 * k + 1 <= std::min(columns, lines); ++k) {
      const GlidingBoxMoments fast = boxes.Moments(k), literal = LiteralMoments(image, k);
      EXPECT_EQ(
          std::tuple(fast.Positions, fast.Sum, fast.SumOfSquares == literal.SumOfSquares, Lacunarity(fast)),
          std::tuple(literal.Positions, literal.Sum, true, LiteralLacunarity(literal)))
          << columns << "x" << lines << " K " << k;
    }
  }
  // A checkerboard's boxes hold (W^2 + 1) / 2 or (W^2 - 1) / 2 bright pixels equally often: 1 + 1 / W^4.
  // Boxes that do not fit or hold no mass give no point; the fit needs two points.
  BytePlane board(40, 30);
  for (int i = 0; i < 30; ++i)
    for (int j = 0; j < 40; ++j) board[i][j] = (i + j) % 2 ? 90 : 0;
  for (const LacunarityPoint& point : LacunarityCurve(board, 0, 14))
    EXPECT_NEAR(point.Value, 1 + 1 / std::pow(point.Window, 4), 1e-15) << point.K;
  BytePlane image(20, 11);  // boxes up to K = 5
  image[5][10] = 7;
  const std::vector<LacunarityPoint> points = LacunarityCurve(image, 3, 1000000);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(std::tuple(points[0].K, points[0].Window, points[2].K), std::tuple(3, 7, 5));
  EXPECT_EQ(points[0].LogWindow, static_cast<double>(std::log10(7.0f)));
  EXPECT_TRUE(LacunarityCurve(BytePlane(20, 11), 0, 5).empty());  // all zero: no mass anywhere
  EXPECT_TRUE(LacunarityCurve(image, 4, 3).empty() && LacunarityCurve(image, -3, -1).empty());
  EXPECT_TRUE(std::isnan(Lacunarity(GlidingBoxMoments{})));
  std::vector<LacunarityPoint> line(3);
  for (int k = 0; k < 3; ++k) line[k].LogWindow = 0.5 + 0.2 * k, line[k].LogValue = 0.3 - 0.1 * k;
  const LacunarityFit fit = FitLacunarity(line);
  EXPECT_EQ(std::tuple(fit.Defined, FitLacunarity({line[0]}).Defined), std::tuple(true, false));
  EXPECT_TRUE(std::fabs(fit.Correlation + 1) < 1e-6 && std::fabs(fit.R2 - 1) < 1e-6);
}

// Every size of a range from one pass of bands, against the box-by-box sums: odd and tiny images, ranges
// reaching past the sizes that fit, small ranges cut into many tiles and ranges that need the whole table.
TEST_P(LacunarityThreads, CurveMomentsEqualTheBoxByBoxSumsOfEverySize) {
  const std::tuple<int, int, std::uint32_t> cases[] = {{73, 49, 5}, {37, 29, 6}, {300, 7, 7}, {7, 45, 8},
                                                       {1, 1, 9},   {2, 3, 10},  {5, 1, 11},  {3, 3, 12}};
  for (auto [columns, lines, seed] : cases) {
    const BytePlane image = MakeRandomGray(columns, lines, seed);
    const int kFit = (std::min(columns, lines) - 1) / 2;
    std::vector<GlidingBoxMoments> literal(kFit + 4);  // none past kFit
    for (int k = 0; k <= kFit; ++k) literal[k] = LiteralMoments(image, k);
    const std::pair<int, int> ranges[] = {{0, kFit},        {-2, kFit + 3},      {1, 3},
                                          {0, 0},           {kFit, kFit},        {kFit - 1, kFit + 1},
                                          {kFit / 2, kFit}, {kFit + 1, kFit + 2}};
    for (auto [first, last] : ranges) {
      const std::vector<GlidingBoxMoments> curve = CurveMoments(image, first, last);
      ASSERT_EQ(curve.size(), static_cast<std::size_t>(std::max(0, last - first + 1)));
      for (int k = first; k <= last; ++k) {
        const GlidingBoxMoments& fast = curve[k - first];
        const GlidingBoxMoments expected = k < 0 ? GlidingBoxMoments{} : literal[k];
        EXPECT_EQ(std::tuple(fast.Positions, fast.Sum, fast.SumOfSquares == expected.SumOfSquares),
                  std::tuple(expected.Positions, expected.Sum, true))
            << columns << "x" << lines << " K " << k << " of " << first << ".." << last;
      }
    }
  }
}

// Masses past 2^32, squares past 2^64: a dark first pixel, the first box 255 (W^2 - 1), others 255 W^2.
// The last picture is tall enough for its curve to slide a band of summed lines down it.
TEST(Lacunarity, LargeBoxesOfBrightPixelsStayExact) {
  const std::tuple<int, int, int> cases[] = {{700, 700, 200},   {700, 700, 349},    {4096, 1001, 500},
                                             {4096, 1001, 480}, {4107, 4105, 2052}, {4105, 8211, 2052}};
  for (auto [columns, lines, k] : cases) {
    BytePlane image(columns, lines);
    image.Fill(255), image[0][0] = 0;
    const std::uint64_t w2 = (2 * k + 1) * static_cast<std::uint64_t>(2 * k + 1), full = 255 * w2,
                        dimmed = 255 * (w2 - 1);
    const std::int64_t positions = static_cast<std::int64_t>(lines - 2 * k) * (columns - 2 * k);
    const GlidingBoxMoments m =
        lines > 2 * columns ? CurveMoments(image, k, k)[0] : GlidingBoxes(image).Moments(k);
    const Wide squares = Wide(full) * full * (positions - 1) + Wide(dimmed) * dimmed;
    EXPECT_EQ(std::tuple(m.Positions, m.Sum, m.SumOfSquares == squares),
              std::tuple(positions, full * (positions - 1) + dimmed, true))
        << columns << "x" << lines << " K " << k;
  }
}
