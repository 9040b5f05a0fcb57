#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
namespace {
using Bytes = std::vector<std::uint8_t>;
void Put(Bytes& file, std::size_t at, std::uint64_t v, int bytes = 4) {
  for (int k = 0; k < bytes; ++k) file[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
}
bool SamePlanes(const BytePlane& a, const BytePlane& b) {
  return a.Columns() == b.Columns() && a.Lines() == b.Lines() &&
         std::memcmp(a.Data(), b.Data(), a.Size()) == 0;
}
bool Refused(const std::string& name) {
  int columns = -1, lines = -1;
  return ReadBMPFile(name, columns, lines).Empty() && columns == 0 && lines == 0;
}
// Written by our own writer, so a failure to read back is ours.
Bytes ValidFile(int columns, int lines, int type) {
  ScratchDir dir;
  const BytePlane plane = type == 2 ? MakeRandomBgr(columns, lines, 5) : MakeRandomGray(columns, lines, 5);
  EXPECT_EQ(WriteBMPFile(dir.File("v.bmp"), plane, columns, lines, type), 0);
  return ReadFileBytes(dir.File("v.bmp"));
}
// Read back into a plane kept from file to file: its memory is reused when the next file has its size.
TEST(BmpRead, RoundTripsGiveThePlaneBackLineZeroFirstAndNegativeHeightsTopDown) {
  ScratchDir dir;
  const std::tuple<int, int, int> cases[] = {{37, 23, 0}, {37, 23, 0}, {37, 23, 2},
                                             {1, 1, 0},   {1, 1, 2},   {64, 2, 0}};
  BytePlane kept;
  std::uint32_t seed = 0;
  for (const auto& [width, height, type] : cases) {
    SCOPED_TRACE(++seed);
    const BytePlane plane =
        type == 2 ? MakeRandomBgr(width, height, seed) : MakeRandomGray(width, height, seed);
    ASSERT_EQ(WriteBMPFile(dir.File("t.bmp"), plane, width, height, type), 0);
    int columns = -1, lines = -1;
    EXPECT_TRUE(SamePlanes(ReadBMPFile(dir.File("t.bmp"), columns, lines), plane) && columns == width &&
                lines == height);
    const bool sameSize = kept.Columns() == plane.Columns() && kept.Lines() == plane.Lines();
    const std::uint8_t* memory = kept.Data();
    ASSERT_TRUE(ReadBMPFileInto(dir.File("t.bmp"), kept, columns, lines));
    EXPECT_TRUE(SamePlanes(kept, plane) && (!sameSize || kept.Data() == memory)) << "the memory is reused";
  }
  Bytes file = ValidFile(6, 4, 0);
  Put(file, 22, static_cast<std::uint32_t>(-4));
  file.insert(file.end(), 100, 0xEE);
  ASSERT_TRUE(WriteFileBytes(dir.File("top.bmp"), file));
  int columns = 0, lines = 0;
  const BytePlane plane = ReadBMPFile(dir.File("top.bmp"), columns, lines);
  ASSERT_EQ(std::tuple(columns, lines, plane.Lines()), std::tuple(6, 4, 4));
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(std::memcmp(plane[k], &file[1078 + 8 * k], 6), 0) << "line " << k << " is file row " << k;
}
// Refused from the header alone: the valid 6 x 4 file of the type cut to `at` bytes when `bytes` is 0
// (554: half the palette; 1109, 133: the last row one short), or with `value` over `bytes` bytes at `at`.
TEST(BmpRead, MalformedFilesAreRefusedCleanly) {
  const std::uint32_t minus5 = static_cast<std::uint32_t>(-5), minus6 = static_cast<std::uint32_t>(-6);
  // clang-format off
  const std::tuple<const char*, int, std::size_t, std::uint64_t, int> cases[] = {{"Empty", 0, 0, 0, 0},
      {"ShortHeader", 0, 30, 0, 0}, {"HeaderOnly", 0, 54, 0, 0}, {"ShortPalette", 0, 554, 0, 0},
      {"LastRowShort8", 0, 1109, 0, 0}, {"LastRowShort24", 2, 133, 0, 0}, {"BadSignature", 0, 1, 'N', 1},
      {"ThirtyTwoBits", 2, 28, 32, 2}, {"RunLength8", 0, 30, 1, 4}, {"EightBitsAtOffset54", 0, 10, 54, 4},
      {"EightBitsAtOffset1082", 0, 10, 1082, 4}, {"TwentyFourBitsAtOffset1078", 2, 10, 1078, 4},
      {"WiderThanTheFile", 0, 18, 9, 4}, {"TallerThanTheFile", 2, 22, 5, 4}, {"TallerTopDown", 0, 22, minus5, 4},
      {"NegativeWidth", 0, 18, minus6, 4}, {"ZeroHeight", 0, 22, 0, 4}, {"HugeWidth", 0, 18, INT32_MAX, 4},
      {"HugeHeight", 0, 22, INT32_MAX, 4}, {"MostNegativeHeight", 0, 22, 0x80000000u, 4},
      {"HugeBoth", 2, 18, 0x0001000000010000u, 8}};
  // clang-format on
  ScratchDir dir;
  for (const auto& [name, type, at, value, bytes] : cases) {
    SCOPED_TRACE(name);
    Bytes file = ValidFile(6, 4, type);
    if (bytes == 0) file.resize(at);
    Put(file, at, value, bytes);
    ASSERT_TRUE(WriteFileBytes(dir.File("bad.bmp"), file));
    EXPECT_TRUE(!CheckBMPLayout(ReadBMPHeader(dir.File("bad.bmp"))).valid && Refused(dir.File("bad.bmp")));
  }
  EXPECT_TRUE(Refused(dir.File("none.bmp")) && Refused(dir.Path()));  // missing, a folder
}
// A header stating the given sides, the file made as long as they say by a hole that takes no disk.
std::string SparseBmp(const ScratchDir& dir, std::int32_t width, std::int32_t height) {
  Bytes head = ValidFile(4, 1, 0);
  head.resize(1078);
  Put(head, 18, static_cast<std::uint32_t>(width));
  Put(head, 22, static_cast<std::uint32_t>(height));
  const std::string name = dir.File("sparse.bmp");
  EXPECT_TRUE(WriteFileBytes(name, head));
  const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) + 3) / 4 * 4;
  const std::uint64_t lines = height < 0 ? -static_cast<std::int64_t>(height) : height;
  EXPECT_EQ(truncate(name.c_str(), static_cast<off_t>(1078 + rowSize * lines)), 0);
  return name;
}
TEST(BmpRead, SidesPastTheLimitAreRefusedFromTheHeaderOfAHugeFile) {
  ScratchDir dir;
  // Each file is as long as its header says (up to gigabytes, all hole): only the header can refuse it.
  for (const auto& [width, height] : {std::pair{65536, 1}, {1, 65536}, {1, -65536}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    const std::string name = SparseBmp(dir, width, height);
    EXPECT_FALSE(CheckBMPLayout(ReadBMPHeader(name)).valid);
    BytePlane plane = MakeRandomGray(3, 3, 1);
    const std::uint8_t* before = plane.Data();
    int columns = -1, lines = -1;
    EXPECT_FALSE(ReadBMPFileInto(name, plane, columns, lines));
    EXPECT_EQ(std::tuple(columns, lines, plane.Data()), std::tuple(0, 0, before)) << "nothing touched";
  }
  // The limit itself is a side like any other.
  int columns = 0, lines = 0;
  const BytePlane widest = ReadBMPFile(SparseBmp(dir, 65535, 1), columns, lines);
  EXPECT_EQ(std::tuple(columns, lines, widest.Columns()), std::tuple(65535, 1, 65535));
}
// A full disk during a save is tested with the other savers in RawFileTest.
TEST(BmpWrite, HeadersPaletteAndZeroPaddedRowsLastLineFirstByteForByte) {
  ScratchDir dir;
  ASSERT_TRUE(WriteBMPFile(dir.File("gray.bmp"), BytePlane(10, 10), 10, 10, 0) == 0 &&
              WriteBMPFile(dir.File("colour.bmp"), BytePlane(15, 3), 5, 3, 2) == 0);
  const Bytes gray = ReadFileBytes(dir.File("gray.bmp")), colour = ReadFileBytes(dir.File("colour.bmp"));
  ASSERT_EQ(std::tuple(gray.size(), colour.size()), std::tuple(std::size_t{1198}, std::size_t{54 + 3 * 16}));
  // Size 1198, pixels at 1078, info 40, 10 x 10, 1 plane, 8 bits, no compression, 120 bytes, 10000 per metre.
  const Bytes grayHeader{'B', 'M', 0xAE, 0x04, 0,  0, 0,    0,    0, 0, 0x36, 0x04, 0, 0, 40, 0, 0,   0,
                         10,  0,   0,    0,    10, 0, 0,    0,    1, 0, 8,    0,    0, 0, 0,  0, 120, 0,
                         0,   0,   0x10, 0x27, 0,  0, 0x10, 0x27, 0, 0, 0,    0,    0, 0, 0,  0, 0,   0};
  const Bytes colourHeader{'B', 'M', 102,  0,    0, 0, 0,    0,    0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                           5,   0,   0,    0,    3, 0, 0,    0,    1, 0, 24, 0, 0, 0, 0,  0, 48, 0,
                           0,   0,   0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
  EXPECT_EQ(std::tuple(Bytes(gray.begin(), gray.begin() + 54), Bytes(colour.begin(), colour.begin() + 54)),
            std::tuple(grayHeader, colourHeader));
  for (int v = 0; v < 256; ++v)
    ASSERT_EQ(Bytes(gray.begin() + 54 + 4 * v, gray.begin() + 58 + 4 * v),
              Bytes({Bytes::value_type(v), Bytes::value_type(v), Bytes::value_type(v), 0}));
  // Rows go bottom-up, each padded with zeros to a multiple of four bytes.
  const std::tuple<int, int, int> cases[] = {{3, 0, 4}, {4, 0, 4},  {5, 0, 8}, {5, 1, 8},
                                             {1, 2, 4}, {4, 2, 12}, {5, 2, 16}};
  constexpr int kLines = 3;
  for (const auto& [columns, type, rowSize] : cases) {
    SCOPED_TRACE(std::to_string(columns) + " columns, type " + std::to_string(type));
    const int rowBytes = type == 2 ? 3 * columns : columns, offset = type == 2 ? 54 : 1078;
    BytePlane plane(rowBytes, kLines);  // rows told apart in the file
    for (int i = 0; i < kLines; ++i)
      for (int j = 0; j < rowBytes; ++j) plane[i][j] = static_cast<std::uint8_t>(10 * (i + 1) + j);
    Bytes rows;
    for (int i = kLines - 1; i >= 0; --i) {
      rows.insert(rows.end(), plane[i], plane[i] + rowBytes);
      rows.resize(rows.size() + rowSize - rowBytes);
    }
    ASSERT_EQ(WriteBMPFile(dir.File("r.bmp"), plane, columns, kLines, type), 0);
    const Bytes file = ReadFileBytes(dir.File("r.bmp"));
    EXPECT_EQ(Bytes(file.begin() + std::min<std::size_t>(offset, file.size()), file.end()), rows);
  }
}
TEST(BmpWrite, RefusesSizesThePlaneCannotGiveAndPlacesItCannotWrite) {
  ScratchDir dir;
  const BytePlane plane(4, 4);
  // 2 x 4 in 24 bits needs 6 bytes a row.
  for (const auto& [columns, lines, type] :
       {std::array{0, 4, 0}, {4, -1, 0}, {5, 4, 0}, {4, 5, 0}, {2, 4, 2}})
    EXPECT_EQ(WriteBMPFile(dir.File("a.bmp"), plane, columns, lines, type), -1) << columns << " x " << lines;
  EXPECT_TRUE(WriteBMPFile(dir.File("f.bmp"), BytePlane(), 1, 1, 0) == -1 &&
              std::filesystem::is_empty(dir.Path()));
  EXPECT_TRUE(WriteBMPFile(dir.Path(), plane, 4, 4, 0) == -1 && std::filesystem::is_directory(dir.Path()) &&
              WriteBMPFile(dir.File("no/such/f.bmp"), plane, 4, 4, 0) == -1);
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  // A 1 x 1 file fits the stream's buffer: only its flush at the close fails.
  EXPECT_TRUE(WriteBMPFile("/dev/full", MakeGrayRamp(1, 1), 1, 1, 0) == -1 &&
              std::filesystem::is_character_file("/dev/full"));
}
}  // namespace
