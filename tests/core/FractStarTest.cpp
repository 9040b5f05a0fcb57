#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "fixtures/Patterns.h"
#include "graytone/kernels/FractStar.h"
#include "imaging/Parallel.h"

namespace {

// The treatment as first written, kept as the reference: every arm of every pixel measured segment by
// segment, the four arms added in their order, the crosses in their own matrices, the means summed in
// raster order over a mask of the item.
struct Literal {
  DoublePlane greek, andrew, shown;
  double greekMean = 0, andrewMean = 0, mean = 0;
  double greekItem = 0, andrewItem = 0, item = 0;
  double min = 3.0, max = 0;
};

double ArmLength(const BytePlane& g, int i, int j, int di, int dj, int s, double e) {
  double length = 0;
  for (int k = 0; k < 8; k += s) {
    const double dg = g[i + k * di][j + k * dj] - g[i + (k + s) * di][j + (k + s) * dj];
    length += std::sqrt(e * e + dg * dg);
  }
  return length;
}

double CrossDimension(const BytePlane& g, int i, int j, bool diagonal) {
  static const int kArms[2][4][2] = {{{-1, 0}, {1, 0}, {0, 1}, {0, -1}},
                                     {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}}};
  double x[4], y[4];
  for (int p = 0; p < 4; ++p) {
    const int s = 1 << p;
    const double e = diagonal ? s * std::sqrt(2.0) : s;
    double total = 0;
    for (const auto& arm : kArms[diagonal]) total += ArmLength(g, i, j, arm[0], arm[1], s, e);
    x[p] = std::log(e);
    y[p] = std::log(total);
  }
  if (std::fabs(y[1] - y[0]) < 1e-9 && std::fabs(y[2] - y[0]) < 1e-9 && std::fabs(y[3] - y[0]) < 1e-9)
    return 0;
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int p = 0; p < 4; ++p) {
    sx += x[p];
    sy += y[p];
    sxx += x[p] * x[p];
    sxy += x[p] * y[p];
  }
  const double d = 1 - (4 * sxy - sx * sy) / (4 * sxx - sx * sx);
  return d > 2 ? 2 : d;
}

Literal LiteralStar(const BytePlane& g, int type, const BytePlane* labels, int code) {
  const int lines = g.Lines(), columns = g.Columns();
  Literal out;
  out.greek = DoublePlane(columns, lines);
  out.andrew = DoublePlane(columns, lines);
  out.shown = DoublePlane(columns, lines);
  BytePlane mask(columns, lines);
  mask.Fill(255);
  double n = 0, m = 0, sg = 0, sa = 0, ig = 0, ia = 0;
  for (int i = 8; i <= lines - 9; ++i)
    for (int j = 8; j <= columns - 9; ++j) {
      if (labels && (*labels)[i][j] == code) mask[i][j] = 1;
      if (type != 2) out.greek[i][j] = CrossDimension(g, i, j, false);
      if (type != 1) out.andrew[i][j] = CrossDimension(g, i, j, true);
      sg += out.greek[i][j];
      sa += out.andrew[i][j];
      n += 1;
      if (mask[i][j] == 1) {
        ig += out.greek[i][j];
        ia += out.andrew[i][j];
        m += 1;
      }
    }
  out.greekMean = sg / n;
  out.andrewMean = sa / n;
  if (m > 0) {
    out.greekItem = ig / m;
    out.andrewItem = ia / m;
  }
  out.max = type == 1 ? 0.0 : 2.0;
  for (int i = 8; i <= lines - 9; ++i)
    for (int j = 8; j <= columns - 9; ++j) {
      const double v = type == 1   ? out.greek[i][j]
                       : type == 2 ? out.andrew[i][j]
                                   : (out.greek[i][j] + out.andrew[i][j]) * 0.5;
      out.shown[i][j] = v;
      if (v > out.max) out.max = v;
      if (v < out.min) out.min = v;
    }
  out.mean = type == 1 ? out.greekMean : type == 2 ? out.andrewMean : (out.greekMean + out.andrewMean) * 0.5;
  out.item = type == 1 ? out.greekItem : type == 2 ? out.andrewItem : (out.greekItem + out.andrewItem) * 0.5;
  return out;
}

FractStarResult RunStar(const BytePlane& image, int type, DoublePlane& shown,
                        const BytePlane* labels = nullptr, int code = -1) {
  shown = DoublePlane(image.Columns(), image.Lines());
  return FractStar(image, type, {labels, code}, shown);
}

BytePlane Stripes(int columns, int lines, int low, int high) {
  BytePlane plane(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) plane[i][j] = static_cast<std::uint8_t>(j % 2 ? high : low);
  return plane;
}

}  // namespace

// Random images small and large enough for several bands of lines and tiles of columns, every type,
// with an item of a random labeled image.
TEST(FractStar, EqualsTheLiteralTreatmentBitForBit) {
  struct Case {
    int columns, lines, type, span;
  };
  const Case cases[] = {{17, 17, 3, 256},  {40, 37, 1, 256}, {45, 30, 2, 7},
                        {150, 75, 3, 256}, {290, 41, 1, 20}, {31, 100, 2, 256}};
  std::uint32_t seed = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.lines << " type " << c.type);
    BytePlane image = MakeRandomGray(c.columns, c.lines, seed++);
    for (std::size_t k = 0; k < image.Size(); ++k) image.Data()[k] = image.Data()[k] % c.span;
    BytePlane labels = MakeRandomGray(c.columns, c.lines, seed++);
    for (std::size_t k = 0; k < labels.Size(); ++k) labels.Data()[k] = labels.Data()[k] % 3;
    const Literal literal = LiteralStar(image, c.type, &labels, 2);
    DoublePlane shown;
    const FractStarResult result = RunStar(image, c.type, shown, &labels, 2);
    ASSERT_TRUE(result.Computed);
    int mismatches = 0;
    for (int i = 8; i <= c.lines - 9; ++i)
      for (int j = 8; j <= c.columns - 9; ++j)
        if (shown[i][j] != literal.shown[i][j] && ++mismatches <= 3)
          ADD_FAILURE() << "pixel " << i << "," << j << ": " << shown[i][j] << " vs " << literal.shown[i][j];
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(result.Count, (c.lines - 16) * (c.columns - 16));
    EXPECT_EQ(result.ItemCount, StarItemPixels(labels, 2));
    EXPECT_EQ(result.Mean, literal.mean);
    EXPECT_EQ(result.ItemMean, literal.item);
    if (c.type != 2) {
      EXPECT_EQ(result.GreekMean, literal.greekMean);
      EXPECT_EQ(result.GreekItemMean, literal.greekItem);
    }
    if (c.type != 1) {
      EXPECT_EQ(result.StAndrewMean, literal.andrewMean);
      EXPECT_EQ(result.StAndrewItemMean, literal.andrewItem);
    }
    EXPECT_EQ(result.Min, literal.min);
    EXPECT_EQ(result.Max, literal.max);
  }
}

TEST(FractStar, OneThreadAndAllThreadsGiveTheSamePlane) {
  const BytePlane image = MakeRandomGray(200, 150, 9);
  DoublePlane all, one;
  const FractStarResult a = RunStar(image, kStar, all);
  parallel::SetThreadLimit(1);
  const FractStarResult b = RunStar(image, kStar, one);
  parallel::SetThreadLimit(0);
  EXPECT_EQ(std::memcmp(all.Data(), one.Data(), all.Size() * sizeof(double)), 0);
  EXPECT_EQ(a.Mean, b.Mean);
}

// Flat and tilted planes have arms whose lengths do not depend on the step (a flat Greek arm is 8 at
// every step): every cross gives 0, although on the planes below the rounded logarithms differ by
// about 1e-15 and an exact comparison would give a dimension of 1.
TEST(FractStar, PlanesGiveZeroUnderEveryCross) {
  struct Case {
    int b, c;
  };
  for (const Case& tilt : {Case{0, 0}, Case{1, 2}, Case{2, 1}, Case{4, 3}}) {
    BytePlane plane(30, 24);
    for (int i = 0; i < 24; ++i)
      for (int j = 0; j < 30; ++j) plane[i][j] = static_cast<std::uint8_t>(60 + tilt.b * i + tilt.c * j);
    for (int type : {kGreekCross, kStAndrewCross, kStar}) {
      SCOPED_TRACE(testing::Message() << "tilt " << tilt.b << "," << tilt.c << " type " << type);
      DoublePlane shown;
      const FractStarResult result = RunStar(plane, type, shown);
      EXPECT_EQ(result.Min, 0.0);
      EXPECT_EQ(result.Max, type == kGreekCross ? 0.0 : 2.0);  // the St Andrew and star ranges end at 2
      EXPECT_EQ(result.Mean, 0.0);
    }
  }
}

// Columns alternating 0 and 4: the vertical arms are 8 long at every step, the horizontal ones
// 8 sqrt(17) at step 1 and 8 at the others; the diagonal arms 8 sqrt(18) at step 1 and 8 sqrt 2 at
// the others. With lengths A at step 1 and B at the other three, the slope is -0.3 ln(A / B) / ln 2.
TEST(FractStar, StripesGiveTheirHandWorkedDimension) {
  const double greek = 1 + 0.3 * std::log2((1 + std::sqrt(17.0)) / 2);  // 1.407106
  const double andrew = 1 + 0.3 * std::log2(3.0);                       // 1.475489
  const BytePlane stripes = Stripes(25, 20, 0, 4);
  DoublePlane shown;
  for (auto [type, expected] : {std::pair{kGreekCross, greek}, std::pair{kStAndrewCross, andrew},
                                std::pair{kStar, (greek + andrew) * 0.5}}) {
    const FractStarResult result = RunStar(stripes, type, shown);
    EXPECT_NEAR(result.Mean, expected, 1e-12) << type;
    EXPECT_NEAR(shown[10][10], expected, 1e-12) << type;
    EXPECT_NEAR(result.Min, expected, 1e-12) << type;
  }
}

// Stripes of 0 and 255 give a Greek dimension of about 3.1, capped at 2.
TEST(FractStar, DimensionsAreCappedAtTwo) {
  const BytePlane stripes = Stripes(20, 20, 0, 255);
  DoublePlane shown;
  const FractStarResult result = RunStar(stripes, kGreekCross, shown);
  EXPECT_EQ(result.Max, 2.0);
  EXPECT_EQ(result.Min, 2.0);
}

TEST(FractStar, ItemMeansAreTakenOverTheItemsInteriorPixels) {
  // Left half stripes (dimension 1.407...), right half flat (0); the item is the left half.
  BytePlane image = Stripes(40, 20, 0, 4);
  BytePlane labels(40, 20);
  labels.Fill(255);
  for (int i = 0; i < 20; ++i)
    for (int j = 20; j < 40; ++j) image[i][j] = 0;
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 12; ++j) labels[i][j] = 7;  // interior columns 8 .. 11
  DoublePlane shown;
  const FractStarResult result = RunStar(image, kGreekCross, shown, &labels, 7);
  EXPECT_EQ(result.ItemCount, 4 * 4);
  EXPECT_NEAR(result.ItemMean, 1 + 0.3 * std::log2((1 + std::sqrt(17.0)) / 2), 1e-12);
  EXPECT_EQ(StarItemPixels(labels, 7), 16);
  EXPECT_EQ(StarItemPixels(labels, 8), 0);
}

TEST(FractStar, ImagesWithoutInteriorComputeNothing) {
  for (auto [columns, lines] : {std::pair{16, 40}, std::pair{40, 16}, std::pair{0, 0}}) {
    BytePlane image(columns, lines);
    DoublePlane shown;
    EXPECT_FALSE(RunStar(image, kStar, shown).Computed) << columns << "x" << lines;
    EXPECT_EQ(StarInteriorCount(columns, lines), 0);
  }
  EXPECT_EQ(StarInteriorCount(17, 18), 2);
  DoublePlane wrongSize(10, 10);
  EXPECT_FALSE(FractStar(BytePlane(30, 30), kStar, {}, wrongSize).Computed);
  DoublePlane shown(30, 30);
  EXPECT_FALSE(FractStar(BytePlane(30, 30), 4, {}, shown).Computed);
}

TEST(FractStar, CrossDimensionOfHandPoints) {
  const double x[4] = {0, std::log(2.0), std::log(4.0), std::log(8.0)};
  // Length halving with each doubling of the step: slope -1, dimension 2.
  const double halving[4] = {std::log(64.0), std::log(32.0), std::log(16.0), std::log(8.0)};
  EXPECT_NEAR(StarCrossDimension(x, halving), 2.0, 1e-15);
  // Length growing with the step: slope 0.5, dimension 0.5.
  const double growing[4] = {0, 0.5 * x[1], 0.5 * x[2], 0.5 * x[3]};
  EXPECT_NEAR(StarCrossDimension(x, growing), 0.5, 1e-15);
  const double nearlyEqual[4] = {1, 1 + 5e-10, 1 - 5e-10, 1};
  EXPECT_EQ(StarCrossDimension(x, nearlyEqual), 0.0);
  const double justApart[4] = {1, 1 + 2e-9, 1, 1};
  EXPECT_NE(StarCrossDimension(x, justApart), 0.0);
}
