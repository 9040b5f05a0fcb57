#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "graytone/kernels/LocalFractal.h"

namespace {

// The first treatment, the reference: two windows a pixel voxelised, every box scanned voxel by voxel.
struct Literal {
  DoublePlane fd;
  long count = 0;
  double min = 100000.0, max = 0, sum = 0, last = 0;
};

Literal LiteralLocalFractal(const BytePlane& image, int windowSize, double hFactor) {
  static unsigned char cube[26][26][26];
  const int lines = image.Lines(), columns = image.Columns();
  const int h = windowSize == 12 ? 6 : 12, n = 2 * h;
  const int sizes[] = {1, 2, 3, 4, 6, 12}, sizeCount = h == 6 ? 5 : 6;
  const double S = 100 * hFactor;
  Literal out{DoublePlane(columns, lines)};
  for (int i = h; i <= lines - h; ++i)
    for (int j = h; j <= columns - h; ++j) {
      const int gRef = image[i - 1][j - 1];
      double d[2];
      for (int window = 0; window < 2; ++window) {
        const int top0 = window == 0 ? i - h + 1 : i - h, left0 = window == 0 ? j - h + 1 : j - h;
        std::memset(cube, 0, sizeof cube);
        for (int r = 1; r <= 2 * h - 1; ++r)
          for (int c = 1; c <= 2 * h - 1; ++c) {
            const int g = image[top0 + r - 1][left0 + c - 1];
            const double top = g > gRef ? h + std::trunc((g - gRef) / S) : h - std::trunc((gRef - g) / S);
            for (int z = 1; z <= static_cast<int>(std::min(std::max(top, 0.0), 2.0 * h)); ++z)
              cube[r][c][z] = 1;
          }
        double sx = 0, sy = 0, sxx = 0, sxy = 0, p = 0;
        for (int s : std::span(sizes, sizeCount)) {
          int count = 0;
          for (int br = 1; br <= n; br += s)
            for (int bc = 1; bc <= n; bc += s)
              for (int bz = 1; bz <= n; bz += s) {
                bool any = false;
                for (int r = br; r < br + s && !any; ++r)
                  for (int c = bc; c < bc + s && !any; ++c)
                    for (int z = bz; z < bz + s && !any; ++z) any = cube[r][c][z] != 0;
                count += any;
              }
          const double x = std::log(static_cast<double>(s)), y = std::log(static_cast<double>(count));
          if (count > 0) sx += x, sy += y, sxx += x * x, sxy += x * y, ++p;
        }
        d[window] = p >= 2 ? std::max(0.0, -((p * sxy - sx * sy) / (p * sxx - sx * sx))) : 0;
      }
      const double fd = out.fd[i][j] = out.last = (d[0] + d[1]) * 0.5;
      out.max = std::max(out.max, fd), out.min = std::min(out.min, fd), out.sum += fd, ++out.count;
    }
  return out;
}

class LocalFractalThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(LocalFractalThreads);

}  // namespace

// Window, H (tiny: the quotient overflows an int), low gray, gray span, columns, lines, piece lines, columns.
TEST_P(LocalFractalThreads, LiteralReferenceHandWorkedCasesAndRefusals) {
  const std::tuple<int, double, int, int, int, int, int, int> cases[] = {
      {12, 0.05, 100, 40, 27, 33, 128, 512}, {12, -0.3, 0, 256, 30, 25, 4, 9},
      {12, 1e-12, 120, 3, 26, 26, 3, 3},     {12, 7.5, 0, 256, 25, 24, 128, 512},
      {24, 0.15, 0, 256, 41, 38, 6, 11},     {24, -0.07, 60, 90, 36, 40, 9, 5}};
  std::uint32_t seed = 11;
  for (auto [window, h, low, span, columns, lines, pieceLines, pieceColumns] : cases) {
    SCOPED_TRACE(testing::Message() << "window " << window << " H " << h << " " << columns << "x" << lines);
    BytePlane image = MakeRandomGray(columns, lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = low + image.Data()[k] % span;
    const Literal literal = LiteralLocalFractal(image, window, h);
    DoublePlane fd(columns, lines);
    const LocalFractalResult result = LocalFractalDimension(image, {window, h, pieceLines, pieceColumns}, fd);
    EXPECT_EQ(std::tuple(result.Computed, std::equal(fd.Data(), fd.Data() + fd.Size(), literal.fd.Data()),
                         result.Count, result.Min, result.Max, result.Sum, result.LastDimension),
              std::tuple(true, true, literal.count, literal.min, literal.max, literal.sum, literal.last));
  }
  // A flat surface fills the lower half of every cube (the last line and column stay empty, half-filled boxes
  // count whole): for h = 12 the counts 23 x 23 x 12 = 6348, 864, 256, 108, 32, 4, not a dimension of 2.
  BytePlane flat(40, 30);
  flat.Fill(77);
  DoublePlane fd(40, 30);
  const LocalFractalResult result = LocalFractalDimension(flat, {24, 0.5}, fd);
  std::vector<double> logCounts, logSizes;
  for (double count : {6348, 864, 256, 108, 32, 4}) logCounts.push_back(std::log(count));
  for (double size : {1, 2, 3, 4, 6, 12}) logSizes.push_back(std::log(size));
  EXPECT_NEAR(result.Min, 2.9716639884, 1e-9);
  EXPECT_EQ(std::tuple(result.Max, result.LastDimension, result.LastLogCounts, result.LastLogSizes),
            std::tuple(result.Min, result.Min, logCounts, logSizes));
  // An image of 2h computes its pixel h, h; a smaller one or bad parameters, nothing.
  for (auto [columns, lines, window, count] : {std::tuple{12, 12, 12, 1}, {11, 30, 12, 0}, {30, 23, 24, 0}}) {
    DoublePlane dimensions(columns, lines);
    const LocalFractalResult r = LocalFractalDimension(BytePlane(columns, lines), {window, 1.0}, dimensions);
    EXPECT_EQ(std::tuple(r.Computed, r.Count), std::tuple(count == 1, count)) << columns << "x" << lines;
  }
  DoublePlane wrongSize(39, 30);
  for (const LocalFractalParams& params : {LocalFractalParams{12, 0}, {12, std::nan("")}, {13, 1}})
    EXPECT_FALSE(LocalFractalDimension(flat, params, fd).Computed) << params.WindowSize;
  EXPECT_FALSE(LocalFractalDimension(flat, {12, 1}, wrongSize).Computed ||
               LocalFractalDimension(BytePlane(), {12, 1}, fd).Computed);
}
