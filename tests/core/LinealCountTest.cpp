#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ThreadCounts.h"
#include "binary/kernels/LinealCount.h"
#include "binary/kernels/ValueBits.h"
#include "fixtures/Blocks.h"

namespace {

class LinealCountAtThreads : public AtThreadCounts {};
INSTANTIATE_AT_THREAD_COUNTS(LinealCountAtThreads);

// Literal traces: each padded with 255 to the next multiple of 12 above, slopes over five sizes.
LinealResult LiteralLineal(const BytePlane& binary, int code, bool lines) {
  const int traces = lines ? binary.Lines() : binary.Columns(), n = lines ? binary.Columns() : binary.Lines();
  const int padded = n + 12 - n % 12, sizes[6] = {1, 2, 3, 4, 6, 12};
  LinealResult result;
  for (int t = 0; t < traces; ++t) {
    std::vector<int> buffer(padded, 255);
    for (int k = 0; k < n; ++k) buffer[k] = (lines ? binary[t][k] : binary[k][t]) == code ? 1 : 255;
    long long counts[6] = {};
    for (int s = 0; s < 6; ++s)
      for (int j = 0; j < padded; j += sizes[s]) {
        bool hit = false;
        for (int k = j; k < j + sizes[s]; ++k) hit = hit || buffer[k] == 1;
        counts[s] += hit;
      }
    if (counts[0] == 0) continue;
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (int s = 0; s < 5; ++s) {
      const double x = std::log(static_cast<double>(sizes[s])), y = std::log(static_cast<double>(counts[s]));
      sxy += x * y, sx += x, sxx += x * x, sy += y;
    }
    result.SlopeSum += -(5 * sxy - sx * sy) / (5 * sxx - sx * sx);
    result.TraceCount += 1;
    for (int s = 0; s < 6; ++s) result.Totals[s] += counts[s];
  }
  return result;
}

}  // namespace

TEST_P(LinealCountAtThreads, TracesCountLikeThePaddedBuffers) {
  std::mt19937 random(23);
  for (int trial = 0; trial < 20; ++trial) {
    const int lines = 1 + static_cast<int>(random() % 70), columns = 1 + static_cast<int>(random() % 70);
    BytePlane plane(columns, lines);
    const int density = static_cast<int>(random() % 60);
    for (std::size_t k = 0; k < plane.Size(); ++k)
      plane.Data()[k] =
          static_cast<int>(random() % 100) < density ? 4 : static_cast<std::uint8_t>(random() % 3);
    for (const bool alongLines : {true, false}) {
      SCOPED_TRACE(::testing::Message() << lines << "x" << columns << (alongLines ? " lines" : " columns"));
      const LinealResult got =
          LinealCounting(plane, 4, alongLines ? LinealOrientation::Lines : LinealOrientation::Columns);
      const LinealResult expected = LiteralLineal(plane, 4, alongLines);
      ASSERT_EQ(std::tuple(got.Totals, got.TraceCount), std::tuple(expected.Totals, expected.TraceCount));
      ASSERT_NEAR(got.SlopeSum, expected.SlopeSum, 1e-12);
    }
  }
}

// Global fit: six points along lines, five along columns; traces of 256 count 256, 128, 86, 64, 43, 22.
TEST(LinealCount, HandWorkedDimensionsAndAbsentCodes) {
  const auto expect = [](const BytePlane& plane, LinealOrientation orientation,
                         std::array<std::int64_t, 6> totals, double mean, double global) {
    const LinealResult result = LinealCounting(plane, 1, orientation);
    EXPECT_EQ(result.Totals, totals);
    EXPECT_NEAR(result.MeanDimension, mean, 5e-7) << totals[0];  // as "%lf" prints it
    EXPECT_NEAR(result.GlobalDimension, global, 5e-7) << totals[0];
  };
  const auto lines = LinealOrientation::Lines;
  expect(UniformPlane(256, 2, 1), lines, {512, 256, 172, 128, 86, 44}, 1.996264, 1.988911);
  expect(UniformPlane(2, 256, 1), LinealOrientation::Columns, {512, 256, 172, 128, 86, 44}, 1.996264,
         1.996264);
  BytePlane onePerLine = UniformPlane(50, 10);
  for (int i = 0; i < 10; ++i) onePerLine[i][(7 * i) % 50] = 1;
  expect(onePerLine, lines, {10, 10, 10, 10, 10, 10}, 1, 1);
  // An absent code: no trace, no dimension.
  for (const int code : {7, -1, 300}) {
    const LinealResult result = LinealCounting(UniformPlane(12, 12, 1), code, LinealOrientation::Lines);
    EXPECT_EQ(std::tuple(result.Defined(), result.TraceCount), std::tuple(false, 0)) << code;
    EXPECT_TRUE(std::isnan(result.MeanDimension) && std::isnan(result.GlobalDimension) &&
                std::isnan(result.LogCount[0]));
  }
  EXPECT_FALSE(LinealCounting(BytePlane(), 1, LinealOrientation::Columns).Defined());
}

// Bytes a bit or a unit off the value, beside equal ones, could borrow or carry in a word-wide compare.
TEST(ValueBits, EveryByteComparedOnItsOwn) {
  std::mt19937 random(31);
  const auto byte = [](unsigned v) { return static_cast<std::uint8_t>(v); };
  for (int trial = 0; trial < 20000; ++trial) {
    const std::uint8_t value = byte(random());
    const std::uint8_t near[] = {value, byte(value ^ 0x80), byte(value ^ 1), byte(value + 1),
                                 byte(value - 1)};
    const int count = 1 + static_cast<int>(random() % 150);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max(count, 12)));
    for (auto& b : bytes) b = random() % 6 == 5 ? byte(random()) : near[random() % 5];
    std::vector<std::uint64_t> words((count + 63) / 64 + 1, ~std::uint64_t{0});
    value_bits::PackEqualBits(bytes.data(), count, value, words.data());
    for (int k = 0; k < count; ++k)
      ASSERT_EQ((words[k / 64] >> (k % 64)) & 1, bytes[k] == value ? 1u : 0u) << trial << " byte " << k;
    ASSERT_EQ(count % 64 ? words[count / 64] >> (count % 64) : 0, 0u);  // nothing past the count
    std::uint32_t twelve = 0;
    for (int k = 0; k < 12; ++k) twelve |= static_cast<std::uint32_t>(bytes[k] == value) << k;
    ASSERT_EQ(value_bits::EqualBits12(bytes.data(), value), twelve);
  }
}
