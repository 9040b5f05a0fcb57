#include <algorithm>
#include <tuple>
#include <vector>

#include "ThreadCounts.h"
#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "graytone/kernels/PinsStretch.h"

namespace {

using P = PinsParams;

// The stretching case by case (inner, edge line, edge column, corner), for images of at least 2 x 2.
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
  if ((firstLine || lastLine) && (firstColumn || lastColumn))
    return w[i][innerCol] + w[inner][j] + 3 * c + (eight ? w[inner][innerCol] + 3 * c : 0);
  if (firstLine || lastLine)
    return w[i][j - 1] + w[i][j + 1] + w[inner][j] + 2 * c +
           (eight ? w[inner][j - 1] + w[inner][j + 1] + 2 * c : 0);
  if (firstColumn || lastColumn)
    return w[i - 1][j] + w[i + 1][j] + w[i][innerCol] + 2 * c +
           (eight ? w[i - 1][innerCol] + w[i + 1][innerCol] + 2 * c : 0);
  return w[i - 1][j] + w[i][j + 1] + w[i + 1][j] + w[i][j - 1] + c +
         (eight ? w[i - 1][j - 1] + w[i - 1][j + 1] + w[i + 1][j + 1] + w[i + 1][j - 1] : 0);
}

Literal LiteralPins(const BytePlane& w, const PinsParams& p) {
  const int L = w.Lines(), C = w.Columns();
  Literal r;
  std::vector<std::vector<int>> S(L, std::vector<int>(C));
  std::vector<long long> H(kPinsHistogramCells, 0);  // of the inner pixels only
  for (int i = 0; i < L; ++i)
    for (int j = 0; j < C; ++j) {
      S[i][j] = LiteralSum(w, i, j, p.Vicinity == 8);
      r.min = std::min(r.min, S[i][j]), r.max = std::max(r.max, S[i][j]);
      if (i >= 1 && i <= L - 2 && j >= 1 && j <= C - 2) ++H[S[i][j]];
    }
  r.out = BytePlane(C, L);
  auto stretch = [&](auto gray) {
    for (int i = 0; i < L; ++i)
      for (int j = 0; j < C; ++j) r.out[i][j] = static_cast<std::uint8_t>(gray(S[i][j]));
  };
  if (p.Saturation == 0) {
    stretch([&](int s) { return r.max == r.min ? 0 : (int)((double)(s - r.min) / (r.max - r.min) * 255); });
    return r;
  }
  // From one end, the cut stands next to the first sum at which more than n pixels are counted.
  auto cut = [&](double perc, int from, int to, int direction, int& at) {
    const long long n = (long long)(0.01 * L * C * std::clamp(perc, 0.0, 100.0));
    long long total = 0;
    for (int s = from; s != to + direction; s += direction)
      if ((total += H[s]) > n) return (at = s - direction), true;
    return false;
  };
  r.status = !cut(p.LowPercentage, r.min, r.max, 1, r.low)      ? PinsStatus::NoLowCut
             : !cut(p.HighPercentage, r.max, r.min, -1, r.high) ? PinsStatus::NoHighCut
             : r.low >= r.high                                  ? PinsStatus::CutsCrossed
                                                                : PinsStatus::Done;
  if (r.status == PinsStatus::Done)
    stretch([&](int s) {
      return s < r.low ? 0 : s > r.high ? 255 : (int)((double)(s - r.low) / (r.high - r.low + 1) * 253 + 1);
    });
  return r;
}

}  // namespace

class PinsStretchAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(PinsStretchAtThreads);

TEST_P(PinsStretchAtThreads, MatchesTheCaseByCaseReferenceUniformImagesAndARampByHand) {
  int refused = 0;
  const std::tuple<int, double, double> cuts[] = {{0, 0, 0},   {1, 0, 0},  {1, 3.5, 3.5},
                                                  {1, 20, 20}, {2, 1, 12}, {2, 45, 2}};
  for (const auto& [columns, lines] : {std::pair{2, 2}, {2, 9}, {9, 2}, {3, 3}, {17, 11}, {64, 40}})
    for (const int vicinity : {4, 8})
      for (const auto& [s, low, high] : cuts) {
        SCOPED_TRACE(testing::Message() << columns << " x " << lines << " s" << s << " v" << vicinity);
        const BytePlane image = MakeRandomGray(columns, lines, 31 + columns);
        const Literal expected = LiteralPins(image, P{vicinity, s, low, high});
        BytePlane out;
        const PinsOutcome o = PinsStretch(image, P{vicinity, s, low, high}, out);
        const bool done = expected.status == PinsStatus::Done;
        refused += !done;
        ASSERT_EQ(std::tuple(o.Status, o.MinSum, o.MaxSum,
                             !done || std::equal(out.Data(), out.Data() + out.Size(), expected.out.Data())),
                  std::tuple(expected.status, expected.min, expected.max, true));
      }
  EXPECT_GT(refused, 0);  // the refusals were reached too
  // An output of another size is remade.
  BytePlane out(3, 3);
  EXPECT_EQ(PinsStretch(BytePlane(), P{4}, out).Status, PinsStatus::Done);
  for (const auto& [columns, lines] : {std::pair{1, 1}, {1, 5}, {6, 1}, {2, 2}, {7, 6}})
    for (const int v : {0, 7, 255})
      for (const auto& [vicinity, terms] : {std::pair{4, 5}, {8, 9}, {0, 5}}) {
        SCOPED_TRACE(testing::Message() << columns << "x" << lines << " v " << v << " vicinity " << vicinity);
        BytePlane uniform(columns, lines);
        uniform.Fill(static_cast<std::uint8_t>(v));
        const PinsOutcome o = PinsStretch(uniform, P{vicinity}, out);
        EXPECT_EQ(std::tuple(o.Status, o.MinSum, o.MaxSum, out.Lines(), out.Columns(), CountOf(out, 0)),
                  std::tuple(PinsStatus::Done, terms * v, terms * v, lines, columns,
                             std::int64_t(lines) * columns));
      }
  // Ramp 0..5 on 4 lines, cross: column sums 1, 5, 10, 15, 20, 24; inner histogram 5..20 twice each.
  const std::tuple<P, PinsStatus, std::vector<int>, int, int> cases[] = {
      {P{4}, PinsStatus::Done, {0, 44, 99, 155, 210, 255}, 0, 0},  // 4/23 x 255 = 44.3, ...
      // n = trunc(0.01 x 24 x 10) = 2: low 9, high 16: 1/8 x 253 + 1 = 32.6, 6/8 x 253 + 1.
      {P{4, 1, 10, 10}, PinsStatus::Done, {0, 0, 32, 190, 255, 255}, 9, 16},
      {P{4, 2, 0, 10}, PinsStatus::Done, {0, 20, 117, 215, 255, 255}, 4, 16},
      {P{4, 2, -5, 10}, PinsStatus::Done, {0, 20, 117, 215, 255, 255}, 4, 16},  // clamped
      // n = 12 of 24, but the histogram holds only the 8 inner pixels: no cut.
      {P{4, 1, 50, 50}, PinsStatus::NoLowCut, {}, 0, 0},
      {P{4, 2, 0, 50}, PinsStatus::NoHighCut, {}, 4, 0},
      {P{4, 1, 30, 30}, PinsStatus::CutsCrossed, {}, 19, 6},  // n = 7
  };
  for (const auto& [params, status, row, low, high] : cases) {
    SCOPED_TRACE(params.LowPercentage);
    BytePlane out(6, 4);
    out.Fill(77);
    const PinsOutcome o = PinsStretch(MakeNumbered(6, 4, 0), params, out);
    EXPECT_EQ(std::tuple(o.Status, o.MinSum, o.MaxSum, o.LowCut, o.HighCut),
              std::tuple(status, 1, 24, low, high));
    // A refusal leaves the output untouched.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(RowOf(out, i), row.empty() ? std::vector<int>(6, 77) : row);
  }
}
