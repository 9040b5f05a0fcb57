#include <algorithm>
#include <cmath>
#include <tuple>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "fixtures/Surfaces.h"
#include "graytone/kernels/FractStar.h"

namespace {

// The first treatment, the reference: arms measured segment by segment, means summed in raster order.
struct Literal {
  DoublePlane shown;
  double greekMean = 0, andrewMean = 0, mean = 0, greekItem = 0, andrewItem = 0, item = 0, min = 3.0, max = 0;
};

double CrossDimension(const BytePlane& g, int i, int j, bool diagonal) {
  static const int kArms[2][4][2] = {{{-1, 0}, {1, 0}, {0, 1}, {0, -1}},
                                     {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}}};
  double x[4], y[4], sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int p = 0; p < 4; ++p) {
    const int s = 1 << p;
    const double e = diagonal ? s * std::sqrt(2.0) : s;
    double total = 0;
    for (const auto& [di, dj] : kArms[diagonal]) {
      double length = 0;
      for (int k = 0; k < 8; k += s) {
        const double dg = g[i + k * di][j + k * dj] - g[i + (k + s) * di][j + (k + s) * dj];
        length += std::sqrt(e * e + dg * dg);
      }
      total += length;
    }
    x[p] = std::log(e);
    y[p] = std::log(total);
  }
  if (std::fabs(y[1] - y[0]) < 1e-9 && std::fabs(y[2] - y[0]) < 1e-9 && std::fabs(y[3] - y[0]) < 1e-9)
    return 0;
  for (int p = 0; p < 4; ++p) sx += x[p], sy += y[p], sxx += x[p] * x[p], sxy += x[p] * y[p];
  const double d = 1 - (4 * sxy - sx * sy) / (4 * sxx - sx * sx);
  return d > 2 ? 2 : d;
}

Literal LiteralStar(const BytePlane& g, int type, const BytePlane& labels, int code) {
  const auto pick = [type](double greek, double andrew) {
    return type == 1 ? greek : type == 2 ? andrew : (greek + andrew) * 0.5;
  };
  Literal out{DoublePlane(g.Columns(), g.Lines())};
  out.max = type == 1 ? 0.0 : 2.0;
  double n = 0, m = 0, sg = 0, sa = 0, ig = 0, ia = 0;
  for (int i = 8; i <= g.Lines() - 9; ++i)
    for (int j = 8; j <= g.Columns() - 9; ++j) {
      const double greek = type != 2 ? CrossDimension(g, i, j, false) : 0;
      const double andrew = type != 1 ? CrossDimension(g, i, j, true) : 0;
      const double v = out.shown[i][j] = pick(greek, andrew);
      out.max = std::max(out.max, v), out.min = std::min(out.min, v);
      sg += greek, sa += andrew, n += 1;
      if (labels[i][j] == code) ig += greek, ia += andrew, m += 1;
    }
  out.greekMean = sg / n, out.andrewMean = sa / n;
  if (m > 0) out.greekItem = ig / m, out.andrewItem = ia / m;
  out.mean = pick(out.greekMean, out.andrewMean), out.item = pick(out.greekItem, out.andrewItem);
  return out;
}

FractStarResult RunStar(const BytePlane& image, int type, DoublePlane& shown,
                        const BytePlane* labels = nullptr, int code = -1) {
  shown = DoublePlane(image.Columns(), image.Lines());
  return FractStar(image, type, {labels, code}, shown);
}

class FractStarThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(FractStarThreads);

}  // namespace

// Random images of several bands of lines and tiles of columns, every type, an item of random labels.
TEST_P(FractStarThreads, LiteralReferenceHandWorkedCasesAndRefusals) {
  const std::tuple<int, int, int, int> cases[] = {{17, 17, 3, 256},  {40, 37, 1, 256}, {45, 30, 2, 7},
                                                  {150, 75, 3, 256}, {290, 41, 1, 20}, {31, 100, 2, 256}};
  std::uint32_t seed = 3;
  for (auto [columns, lines, type, span] : cases) {
    SCOPED_TRACE(testing::Message() << columns << "x" << lines << " type " << type);
    BytePlane image = MakeRandomGray(columns, lines, seed++), labels = MakeRandomGray(columns, lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] %= span, labels.Data()[k] %= 3;
    const Literal literal = LiteralStar(image, type, labels, 2);
    DoublePlane shown;
    const FractStarResult r = RunStar(image, type, shown, &labels, 2);
    EXPECT_EQ(std::tuple(std::equal(shown.Data(), shown.Data() + shown.Size(), literal.shown.Data()),
                         r.Computed, r.Count, r.ItemCount, r.Mean, r.ItemMean, r.Min, r.Max, r.GreekMean,
                         r.GreekItemMean, r.StAndrewMean, r.StAndrewItemMean),
              std::tuple(true, true, (lines - 16) * (columns - 16), StarItemPixels(labels, 2), literal.mean,
                         literal.item, literal.min, literal.max, literal.greekMean, literal.greekItem,
                         literal.andrewMean, literal.andrewItem));
  }
  // Planes' arms have one length at every step: 0, though tilted logarithms differ by 1e-15 (exact: 1).
  DoublePlane shown;
  for (auto [b, c] : {std::pair{0, 0}, {1, 2}, {2, 1}, {4, 3}})
    for (int type : {kGreekCross, kStAndrewCross, kStar}) {
      const FractStarResult r = RunStar(fixtures::TiltedPlane(30, 24, 60, b, c), type, shown);
      EXPECT_EQ(std::tuple(r.Min, r.Max, r.Mean), std::tuple(0.0, type == kGreekCross ? 0.0 : 2.0, 0.0))
          << "tilt " << b << "," << c << " type " << type;
    }
  // Columns of 0 and 4: vertical arms 8 long, horizontal 8 sqrt(17) at step 1 and 8 after, diagonal
  // 8 sqrt(18) then 8 sqrt 2; lengths A at step 1, B after give -0.3 ln(A / B) / ln 2. 0 and 255: capped.
  BytePlane stripes(30, 24), steep(30, 24);
  for (int i = 0; i < 24; ++i)
    for (int j = 1; j < 30; j += 2) stripes[i][j] = 4, steep[i][j] = 255;
  const double greek = 1 + 0.3 * std::log2((1 + std::sqrt(17.0)) / 2), andrew = 1 + 0.3 * std::log2(3.0);
  for (auto [type, expected] :
       {std::pair{kGreekCross, greek}, {kStAndrewCross, andrew}, {kStar, (greek + andrew) * 0.5}}) {
    const FractStarResult r = RunStar(stripes, type, shown);
    for (double value : {r.Mean, r.Min, shown[10][10]}) EXPECT_NEAR(value, expected, 1e-12) << type;
  }
  const FractStarResult capped = RunStar(steep, kGreekCross, shown);
  EXPECT_EQ(std::tuple(capped.Min, capped.Max, StarInteriorCount(17, 18)), std::tuple(2.0, 2.0, 2));
  // No pixel 8 from every edge, a plane of another size or an unknown cross: nothing computed.
  for (auto [columns, lines] : {std::pair{16, 40}, {40, 16}, {0, 0}})
    EXPECT_FALSE(RunStar(BytePlane(columns, lines), kStar, shown).Computed ||
                 StarInteriorCount(columns, lines));
  DoublePlane wrongSize(10, 10), fits(30, 30);
  EXPECT_FALSE(FractStar(BytePlane(30, 30), kStar, {}, wrongSize).Computed ||
               FractStar(BytePlane(30, 30), 4, {}, fits).Computed);
}
