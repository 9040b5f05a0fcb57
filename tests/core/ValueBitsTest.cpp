#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "binary/kernels/ValueBits.h"

// Bytes one bit or one unit away from the value, beside bytes equal to it, are where a word-wide
// comparison could borrow or carry into its neighbour.
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
