#include <cmath>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/FractalThreshold.h"

namespace {

// The first treatment, the reference: per threshold a mask, lines padded with 255 to a multiple of 12.
std::vector<FractalThPoint> LiteralThresholding(const BytePlane& g, int mode, int step) {
  const int lines = g.Lines(), columns = g.Columns(), padded = (columns / 12 + 1) * 12,
            sizes[6] = {1, 2, 3, 4, 6, 12};
  std::vector<FractalThPoint> out;
  std::vector<unsigned char> buffer(padded);
  for (int t = step, b = 0; t < 256; b = t, t += step) {
    long S[6] = {};
    for (int i = 0; i < lines; ++i) {
      for (int j = 0; j < padded; ++j) {
        const int v = j < columns ? g[i][j] : -1;
        buffer[j] = v >= 0 && (mode == 0 ? v < t : mode == 1 ? (b <= v && v < t) : v >= t) ? 1 : 255;
      }
      for (int k = 0; k < 6; ++k)
        for (int start = 0; start < padded; start += sizes[k]) {
          bool any = false;
          for (int j = start; j < start + sizes[k]; ++j) any = any || buffer[j] == 1;
          S[k] += any;
        }
    }
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int k = 0; k < 6; ++k) {
      const double x = std::log(static_cast<double>(sizes[k])), y = std::log(static_cast<double>(S[k]));
      sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    const bool all = S[0] && S[1] && S[2] && S[3] && S[4] && S[5];
    out.push_back({t, all ? 1 - (6 * sxy - sx * sy) / (6 * sxx - sx * sx) : 1.0});
  }
  return out;
}

class FractalThresholdThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(FractalThresholdThreads);

}  // namespace

TEST_P(FractalThresholdThreads, LiteralReferenceHandWorkedCasesAndRefusals) {
  // Columns, lines, mode, step, gray span.
  const std::tuple<int, int, int, int, int> cases[] = {
      {64, 20, 0, 2, 256}, {37, 41, 1, 2, 256}, {60, 30, 2, 3, 256},    {250, 150, 1, 7, 256},
      {13, 9, 0, 50, 100}, {1, 5, 2, 255, 256}, {100, 64, 1, 128, 256}, {25, 25, 0, 17, 256}};
  std::uint32_t seed = 80;
  for (auto [columns, lines, mode, step, span] : cases) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines << " mode " << mode << " step " << step);
    BytePlane image = MakeRandomGray(columns, lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % span;
    const auto fast = FractalThresholding(image, mode, step),
               literal = LiteralThresholding(image, mode, step);
    ASSERT_EQ(fast.size(), literal.size());
    for (std::size_t k = 0; k < fast.size(); ++k)
      EXPECT_EQ(std::tuple(fast[k].Gray, fast[k].Value), std::tuple(literal[k].Gray, literal[k].Value)) << k;
  }
  const BytePlane image = MakeRandomGray(30, 20, 1);  // no threshold for a step outside 2 .. 255, a mode 3
  for (auto [mode, step] : {std::pair{0, 1}, {0, 256}, {3, 2}})
    EXPECT_TRUE(FractalThresholding(image, mode, step).empty()) << mode << " " << step;
  // A full set: ceil(C / k) cells of size k a line, 2 when 12 divides C; 64 columns: 64, 32, 22, 16, 11, 6
  // and 1.957447. One vertical line: a cell of every size a line, value 1. No pixel set: value 1.
  for (auto [columns, value] : {std::pair{60, 2.0}, {72, 2.0}, {64, 1.957447}})
    EXPECT_NEAR(FractalThresholding(BytePlane(columns, 10), kBelowThreshold, 128).at(0).Value, value, 5e-7)
        << columns;
  BytePlane line(64, 10);
  line.Fill(200);
  for (int i = 0; i < 10; ++i) line[i][17] = 10;
  const std::int64_t empty[6] = {5, 3, 2, 2, 1, 0};
  EXPECT_EQ(std::tuple(FractalThresholding(line, kBelowThreshold, 100).at(0).Value, LinealValue(empty)),
            std::tuple(1.0, 1.0));
}
