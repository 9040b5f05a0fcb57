#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <tuple>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"

// A full disk during a save is tested with the other savers in SafeFileTest.
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BmpWrite, HeadersAndThePaletteByteForByte) {
  ScratchDir dir;
  ASSERT_EQ(WriteBMPFile(dir.File("gray.bmp"), BytePlane(10, 10), 10, 10, 0), 0);
  ASSERT_EQ(WriteBMPFile(dir.File("colour.bmp"), BytePlane(15, 3), 5, 3, 2), 0);
  const Bytes gray = ReadFileBytes(dir.File("gray.bmp")), colour = ReadFileBytes(dir.File("colour.bmp"));
  ASSERT_EQ(std::tuple(gray.size(), colour.size()), std::tuple(std::size_t{1198}, std::size_t{54 + 3 * 16}));
  const Bytes grayHeader{'B',  'M',  0xAE, 0x04, 0,    0,    0, 0, 0,  0,  // size 1198, reserved
                         0x36, 0x04, 0,    0,                              // pixel offset 1078
                         40,   0,    0,    0,    10,   0,    0, 0, 10, 0,  // info size, width 10,
                         0,    0,    1,    0,    8,    0,                  // height 10, planes, bits
                         0,    0,    0,    0,    120,  0,    0, 0,         // no compression, image size
                         0x10, 0x27, 0,    0,    0x10, 0x27, 0, 0,         // 10000 pixels per metre twice
                         0,    0,    0,    0,    0,    0,    0, 0};
  const Bytes colourHeader{'B', 'M', 102,  0,    0, 0, 0,    0,    0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                           5,   0,   0,    0,    3, 0, 0,    0,    1, 0, 24, 0, 0, 0, 0,  0, 48, 0,
                           0,   0,   0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
  EXPECT_EQ(Bytes(gray.begin(), gray.begin() + 54), grayHeader);
  EXPECT_EQ(Bytes(colour.begin(), colour.begin() + 54), colourHeader);
  for (int v = 0; v < 256; ++v) {
    const auto byte = static_cast<std::uint8_t>(v);
    ASSERT_EQ(Bytes(gray.begin() + 54 + 4 * v, gray.begin() + 58 + 4 * v), (Bytes{byte, byte, byte, 0})) << v;
  }
}

// Rows go bottom-up, each padded with zeros to a multiple of four bytes.
TEST(BmpWrite, RowsAreLastLineFirstAndZeroPadded) {
  const std::tuple<int, int, int> cases[] = {{1, 0, 4},  {2, 0, 4},  {3, 0, 4}, {4, 0, 4},
                                             {5, 0, 8},  {5, 1, 8},  {1, 2, 4}, {2, 2, 8},
                                             {3, 2, 12}, {4, 2, 12}, {5, 2, 16}};
  constexpr int kLines = 3;
  ScratchDir dir;
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
  EXPECT_EQ(WriteBMPFile(dir.File("f.bmp"), BytePlane(), 1, 1, 0), -1);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  EXPECT_EQ(WriteBMPFile(dir.Path(), plane, 4, 4, 0), -1);  // a folder
  EXPECT_EQ(WriteBMPFile(dir.File("no/such/folder.bmp"), plane, 4, 4, 0), -1);
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  // A 1 x 1 file fits the stream's buffer: only its flush at the close fails.
  EXPECT_EQ(WriteBMPFile("/dev/full", MakeGrayRamp(1, 1), 1, 1, 0), -1);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

}  // namespace
