#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "fixtures/Patterns.h"
#include "graytone/kernels/PinsStretch.h"
#include "imaging/Parallel.h"

namespace {

struct ThreadLimit {
  explicit ThreadLimit(int threads) { parallel::SetThreadLimit(threads); }
  ~ThreadLimit() { parallel::SetThreadLimit(0); }
};

BytePlane Uniform(int columns, int lines, std::uint8_t value) {
  BytePlane plane(columns, lines);
  plane.Fill(value);
  return plane;
}

// Pixel (i, j) = j.
BytePlane ColumnRamp(int columns, int lines) {
  BytePlane plane(columns, lines);
  for (int i = 0; i < lines; ++i)
    for (int j = 0; j < columns; ++j) plane[i][j] = static_cast<std::uint8_t>(j);
  return plane;
}

std::vector<int> Row(const BytePlane& plane, int line) {
  return std::vector<int>(plane[line], plane[line] + plane.Columns());
}

PinsParams Params(int vicinity, int saturation = 0, double low = 0, double high = 0) {
  PinsParams params;
  params.Vicinity = vicinity;
  params.Saturation = saturation;
  params.LowPercentage = low;
  params.HighPercentage = high;
  return params;
}

// The stretching as the treatment describes it, case by case (inner pixel, first or last line, first
// or last column, corner), for images of at least 2 x 2.
struct Literal {
  PinsStatus status = PinsStatus::Done;
  int min = 10000, max = 0, low = 0, high = 0;
  BytePlane out;
};

int LiteralSum(const BytePlane& w, int i, int j, bool eight) {
  const int L = w.Lines(), C = w.Columns(), c = w[i][j];
  const bool firstLine = i == 0, lastLine = i == L - 1, firstColumn = j == 0, lastColumn = j == C - 1;
  const int inner = firstLine ? i + 1 : i - 1;       // the line neighbour inside
  const int innerCol = firstColumn ? j + 1 : j - 1;  // the column neighbour inside
  if ((firstLine || lastLine) && (firstColumn || lastColumn)) {
    int sum = w[i][innerCol] + w[inner][j] + 3 * c;
    if (eight) sum += w[inner][innerCol] + 3 * c;
    return sum;
  }
  if (firstLine || lastLine) {
    int sum = w[i][j - 1] + w[i][j + 1] + w[inner][j] + 2 * c;
    if (eight) sum += w[inner][j - 1] + w[inner][j + 1] + 2 * c;
    return sum;
  }
  if (firstColumn || lastColumn) {
    int sum = w[i - 1][j] + w[i + 1][j] + w[i][innerCol] + 2 * c;
    if (eight) sum += w[i - 1][innerCol] + w[i + 1][innerCol] + 2 * c;
    return sum;
  }
  int sum = w[i - 1][j] + w[i][j + 1] + w[i + 1][j] + w[i][j - 1] + c;
  if (eight) sum += w[i - 1][j - 1] + w[i - 1][j + 1] + w[i + 1][j + 1] + w[i + 1][j - 1];
  return sum;
}

Literal LiteralPins(const BytePlane& w, const PinsParams& p) {
  const int L = w.Lines(), C = w.Columns();
  const bool eight = p.Vicinity == 8;
  Literal r;
  std::vector<std::vector<int>> S(L, std::vector<int>(C));
  std::vector<long long> H(kPinsHistogramCells, 0);
  for (int i = 0; i < L; ++i)
    for (int j = 0; j < C; ++j) {
      S[i][j] = LiteralSum(w, i, j, eight);
      if (S[i][j] < r.min) r.min = S[i][j];
      if (S[i][j] > r.max) r.max = S[i][j];
    }
  for (int i = 1; i <= L - 2; ++i)
    for (int j = 1; j <= C - 2; ++j) ++H[S[i][j]];
  r.out = BytePlane(C, L);
  if (p.Saturation == 0) {
    for (int i = 0; i < L; ++i)
      for (int j = 0; j < C; ++j)
        r.out[i][j] = r.max == r.min ? 0 : (int)((double)(S[i][j] - r.min) / (r.max - r.min) * 255);
    return r;
  }
  auto n = [&](double perc) {
    perc = perc < 0 ? 0 : perc > 100 ? 100 : perc;
    return (long long)(0.01 * L * C * perc);
  };
  long long total = 0;
  bool found = false;
  for (int s = r.min; s <= r.max && !found; ++s) {
    total += H[s];
    if (total > n(p.LowPercentage)) {
      r.low = s - 1;
      found = true;
    }
  }
  if (!found) {
    r.status = PinsStatus::NoLowCut;
    return r;
  }
  total = 0;
  found = false;
  for (int s = r.max; s >= r.min && !found; --s) {
    total += H[s];
    if (total > n(p.HighPercentage)) {
      r.high = s + 1;
      found = true;
    }
  }
  if (!found) {
    r.status = PinsStatus::NoHighCut;
    return r;
  }
  if (r.low >= r.high) {
    r.status = PinsStatus::CutsCrossed;
    return r;
  }
  const int range = r.high - r.low + 1;
  for (int i = 0; i < L; ++i)
    for (int j = 0; j < C; ++j)
      r.out[i][j] = S[i][j] < r.low    ? 0
                    : S[i][j] > r.high ? 255
                                       : (int)((double)(S[i][j] - r.low) / range * 253 + 1);
  return r;
}

}  // namespace

TEST(PinsStretch, UniformImagesSumFiveOrNineTimesTheirValueAndGiveZero) {
  for (const auto& [columns, lines] : {std::pair{1, 1}, {1, 5}, {6, 1}, {2, 2}, {7, 6}})
    for (const int v : {0, 7, 255})
      for (const auto& [vicinity, terms] : {std::pair{4, 5}, {8, 9}, {0, 5}}) {
        BytePlane out;
        const PinsOutcome outcome = PinsStretch(Uniform(columns, lines, v), Params(vicinity), out);
        EXPECT_EQ(std::tuple(outcome.Status, outcome.MinSum, outcome.MaxSum),
                  std::tuple(PinsStatus::Done, terms * v, terms * v))
            << columns << " x " << lines << " v " << v << " vicinity " << vicinity;
        EXPECT_EQ(out.Lines(), lines);
        for (std::size_t k = 0; k < out.Size(); ++k) ASSERT_EQ(out.Data()[k], 0);
      }
}

TEST(PinsStretch, ALonePeakReachesEveryNeighbourAndTheSquareMakesTheSumsEqual) {
  BytePlane peak(3, 3);
  peak[1][1] = 9;
  BytePlane out;
  // Cross: the centre and its four neighbours sum to 9, the corners to 0.
  EXPECT_EQ(PinsStretch(peak, Params(4), out).MaxSum, 9);
  EXPECT_EQ(Row(out, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(Row(out, 1), (std::vector<int>{255, 255, 255}));
  // Square: every pixel sees the peak once, so all sums are 9 and the image is 0.
  const PinsOutcome square = PinsStretch(peak, Params(8), out);
  EXPECT_EQ(std::tuple(square.MinSum, square.MaxSum), std::tuple(9, 9));
  EXPECT_EQ(Row(out, 0), (std::vector<int>{0, 0, 0}));
}

// Column ramp 0..5 on 4 lines, cross: sums per column 1, 5, 10, 15, 20, 24 (the first column 0 + 0 +
// 1, the last 5 + 5 + 4 + 2 x 5); the inner histogram holds 5, 10, 15, 20 twice each; L x C = 24.
TEST(PinsStretch, ColumnRampByHand) {
  struct Case {
    PinsParams params;
    PinsStatus status;
    std::vector<int> row;
    int low, high;
  };
  const Case cases[] = {
      // 4/23 x 255 = 44.3, 9/23 x 255 = 99.8, ...
      {Params(4), PinsStatus::Done, {0, 44, 99, 155, 210, 255}, 0, 0},
      // n = trunc(0.01 x 4 x 6 x 10) = 2: low 9, high 16, range 8: 1/8 x 253 + 1 = 32.6, 6/8 x 253 + 1.
      {Params(4, 1, 10, 10), PinsStatus::Done, {0, 0, 32, 190, 255, 255}, 9, 16},
      // n low = 0: low 4; n high = 2: high 16; range 13.
      {Params(4, 2, 0, 10), PinsStatus::Done, {0, 20, 117, 215, 255, 255}, 4, 16},
      // Percentages beyond 0..100 are clamped.
      {Params(4, 2, -5, 10), PinsStatus::Done, {0, 20, 117, 215, 255, 255}, 4, 16},
      // n = 12 of the 24 pixels, but the histogram holds only the 8 inner ones: no cut.
      {Params(4, 1, 50, 50), PinsStatus::NoLowCut, {}, 0, 0},
      {Params(4, 2, 0, 50), PinsStatus::NoHighCut, {}, 4, 0},
      {Params(4, 1, 150, 150), PinsStatus::NoLowCut, {}, 0, 0},
      // n = 7: low 19, high 6.
      {Params(4, 1, 30, 30), PinsStatus::CutsCrossed, {}, 19, 6},
  };
  for (const Case& c : cases) {
    BytePlane out = Uniform(6, 4, 77);
    const PinsOutcome outcome = PinsStretch(ColumnRamp(6, 4), c.params, out);
    EXPECT_EQ(std::tuple(outcome.Status, outcome.MinSum, outcome.MaxSum), std::tuple(c.status, 1, 24));
    if (c.status == PinsStatus::Done) {
      for (int i = 0; i < 4; ++i) EXPECT_EQ(Row(out, i), c.row) << c.params.LowPercentage;
    } else {
      EXPECT_EQ(Row(out, 2), std::vector<int>(6, 77));  // a refusal leaves the output untouched
    }
    EXPECT_EQ(std::tuple(outcome.LowCut, outcome.HighCut), std::tuple(c.low, c.high))
        << c.params.LowPercentage;
  }
}

TEST(PinsStretch, MatchesTheCaseByCaseReferenceOnRandomImages) {
  int refused = 0;
  for (const auto& [columns, lines] : {std::pair{2, 2}, {2, 9}, {9, 2}, {3, 3}, {17, 11}, {64, 40}})
    for (const std::uint32_t seed : {1u, 2u})
      for (const int vicinity : {4, 8})
        for (const auto& [saturation, low, high] : {std::tuple{0, 0.0, 0.0},
                                                    {1, 0.0, 0.0},
                                                    {1, 3.5, 3.5},
                                                    {1, 20.0, 20.0},
                                                    {2, 1.0, 12.0},
                                                    {2, 45.0, 2.0}}) {
          const BytePlane image = MakeRandomGray(columns, lines, seed * 31 + columns);
          const PinsParams params = Params(vicinity, saturation, low, high);
          const Literal expected = LiteralPins(image, params);
          BytePlane out;
          const PinsOutcome outcome = PinsStretch(image, params, out);
          ASSERT_EQ(outcome.Status, expected.status) << columns << " x " << lines << " s" << saturation;
          EXPECT_EQ(std::tuple(outcome.MinSum, outcome.MaxSum), std::tuple(expected.min, expected.max));
          if (expected.status != PinsStatus::Done) {
            ++refused;
            continue;
          }
          ASSERT_EQ(out.Size(), expected.out.Size());
          for (std::size_t k = 0; k < out.Size(); ++k)
            ASSERT_EQ(out.Data()[k], expected.out.Data()[k]) << columns << " x " << lines << " at " << k;
        }
  EXPECT_GT(refused, 0);  // the refusals were reached too
}

TEST(PinsStretch, ManyChunksAndThreadsGiveTheSameImage) {
  const BytePlane image = MakeRandomGray(2048, 300, 9);  // several chunks of rows
  const PinsParams params = Params(8, 1, 2.5, 2.5);
  const Literal expected = LiteralPins(image, params);
  for (const int threads : {1, 4}) {
    ThreadLimit limit(threads);
    BytePlane out;
    ASSERT_EQ(PinsStretch(image, params, out).Status, PinsStatus::Done);
    EXPECT_TRUE(std::equal(out.Data(), out.Data() + out.Size(), expected.out.Data())) << threads;
  }
}

TEST(PinsStretch, AnEmptyImageGivesNothingAndAnOutputOfAnotherSizeIsRemade) {
  BytePlane out(3, 3);
  EXPECT_EQ(PinsStretch(BytePlane(), Params(4), out).Status, PinsStatus::Done);
  EXPECT_EQ(PinsStretch(ColumnRamp(6, 4), Params(4), out).Status, PinsStatus::Done);
  EXPECT_EQ(std::tuple(out.Lines(), out.Columns()), std::tuple(4, 6));
}
