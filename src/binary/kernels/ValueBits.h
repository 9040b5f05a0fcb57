#pragma once
// Which bytes of a row hold one value, eight at a time: bit k is set when byte k equals the value.
// The segment and box counts then work on bits instead of bytes.
#include <cstdint>
#include <cstring>

namespace value_bits {

inline constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;
inline constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
// Gathers bit 8k of a word into bit 56 + k.
inline constexpr std::uint64_t kGather = 0x0102040810204080ULL;

// Bits 0..7 for the eight bytes at `bytes` (all eight are read).
inline std::uint64_t EqualBits8(const std::uint8_t* bytes, std::uint8_t value) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  word ^= kEveryByte * value;  // bytes equal to the value become 0
  // High bit of each zero byte, without borrows between bytes.
  const std::uint64_t zeroHigh = ~(((word & kLowSevenBits) + kLowSevenBits) | word | kLowSevenBits);
  return ((zeroHigh >> 7) * kGather) >> 56;
}

// Bits 0..11 for the twelve bytes at `bytes` (exactly those twelve are read).
inline std::uint32_t EqualBits12(const std::uint8_t* bytes, std::uint8_t value) {
  return static_cast<std::uint32_t>(EqualBits8(bytes, value) | (EqualBits8(bytes + 4, value) << 4));
}

// Packs `count` bytes into words of 64 bits (bit k of word w: byte 64w + k equals the value); the
// bits past `count` in the last word are 0.
inline void PackEqualBits(const std::uint8_t* bytes, int count, std::uint8_t value, std::uint64_t* words) {
  int j = 0;
  for (; j + 64 <= count; j += 64) {
    std::uint64_t word = 0;
    for (int k = 0; k < 64; k += 8) word |= EqualBits8(bytes + j + k, value) << k;
    words[j / 64] = word;
  }
  if (j == count) return;
  std::uint64_t word = 0;
  int k = 0;
  for (; j + k + 8 <= count; k += 8) word |= EqualBits8(bytes + j + k, value) << k;
  for (; j + k < count; ++k) word |= static_cast<std::uint64_t>(bytes[j + k] == value) << k;
  words[j / 64] = word;
}

}  // namespace value_bits
