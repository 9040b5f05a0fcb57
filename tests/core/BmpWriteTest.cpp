#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <vector>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every row of the plane filled with its line number + 1 times 10, so rows are told apart in the file.
BytePlane LinesPlane(int rowBytes, int lines) {
  BytePlane plane(rowBytes, lines);
  for (int i = 0; i < lines; ++i) {
    for (int j = 0; j < rowBytes; ++j) plane[i][j] = static_cast<std::uint8_t>(10 * (i + 1) + j);
  }
  return plane;
}

TEST(BmpWrite, HeaderAndPaletteOfAnEightBitFile) {
  ScratchDir dir;
  const std::string name = dir.File("gray.bmp");
  ASSERT_EQ(WriteBMPFile(name, BytePlane(10, 10), 10, 10, 0), 0);
  const Bytes file = ReadFileBytes(name);
  ASSERT_EQ(file.size(), 1198u);
  const Bytes header{'B',  'M',  0xAE, 0x04, 0,    0,    0, 0, 0,  0,  // size 1198, reserved
                     0x36, 0x04, 0,    0,                              // pixel offset 1078
                     40,   0,    0,    0,    10,   0,    0, 0, 10, 0,  // info size, width 10,
                     0,    0,    1,    0,    8,    0,                  // height 10, planes, bits
                     0,    0,    0,    0,    120,  0,    0, 0,         // no compression, image size
                     0x10, 0x27, 0,    0,    0x10, 0x27, 0, 0,         // 10000 pixels per metre twice
                     0,    0,    0,    0,    0,    0,    0, 0};
  ASSERT_EQ(header.size(), 54u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 54), header);
  for (int v = 0; v < 256; ++v) {
    const Bytes entry(file.begin() + 54 + 4 * v, file.begin() + 58 + 4 * v);
    ASSERT_EQ(entry, (Bytes{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v), 0})) << v;
  }
}

TEST(BmpWrite, HeaderOfATwentyFourBitFile) {
  ScratchDir dir;
  const std::string name = dir.File("colour.bmp");
  ASSERT_EQ(WriteBMPFile(name, BytePlane(15, 3), 5, 3, 2), 0);
  const Bytes file = ReadFileBytes(name);
  ASSERT_EQ(file.size(), 54u + 3 * 16);
  const Bytes header{'B', 'M', 102,  0,    0, 0, 0,    0,    0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                     5,   0,   0,    0,    3, 0, 0,    0,    1, 0, 24, 0, 0, 0, 0,  0, 48, 0,
                     0,   0,   0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 54), header);
}

struct Padding {
  int columns;
  int type;
  int rowSize;
};

class RowPadding : public ::testing::TestWithParam<Padding> {};

// Rows go bottom-up, each padded with zeros to a multiple of four bytes.
TEST_P(RowPadding, RowsAreLastLineFirstAndZeroPadded) {
  const auto [columns, type, rowSize] = GetParam();
  const int bytesPerPixel = type == 2 ? 3 : 1;
  const int offset = type == 2 ? 54 : 1078;
  constexpr int kLines = 3;
  const BytePlane plane = LinesPlane(columns * bytesPerPixel, kLines);
  ScratchDir dir;
  ASSERT_EQ(WriteBMPFile(dir.File("r.bmp"), plane, columns, kLines, type), 0);
  const Bytes file = ReadFileBytes(dir.File("r.bmp"));
  ASSERT_EQ(file.size(), static_cast<std::size_t>(offset + kLines * rowSize));
  for (int k = 0; k < kLines; ++k) {
    const int line = kLines - 1 - k;
    for (int b = 0; b < rowSize; ++b) {
      const std::uint8_t expected = b < columns * bytesPerPixel ? plane[line][b] : 0;
      ASSERT_EQ(file[offset + k * rowSize + b], expected) << "file row " << k << " byte " << b;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BmpWrite, RowPadding,
                         ::testing::Values(Padding{1, 0, 4}, Padding{2, 0, 4}, Padding{3, 0, 4},
                                           Padding{4, 0, 4}, Padding{5, 0, 8}, Padding{5, 1, 8},
                                           Padding{1, 2, 4}, Padding{2, 2, 8}, Padding{3, 2, 12},
                                           Padding{4, 2, 12}, Padding{5, 2, 16}));

TEST(BmpWrite, RefusesSizesThePlaneCannotGiveAndPlacesItCannotWrite) {
  ScratchDir dir;
  const BytePlane plane(4, 4);
  EXPECT_EQ(WriteBMPFile(dir.File("a.bmp"), plane, 0, 4, 0), -1);
  EXPECT_EQ(WriteBMPFile(dir.File("b.bmp"), plane, 4, -1, 0), -1);
  EXPECT_EQ(WriteBMPFile(dir.File("c.bmp"), plane, 5, 4, 0), -1);
  EXPECT_EQ(WriteBMPFile(dir.File("d.bmp"), plane, 4, 5, 0), -1);
  EXPECT_EQ(WriteBMPFile(dir.File("e.bmp"), plane, 2, 4, 2), -1);  // 24 bits needs 6 bytes a row
  EXPECT_EQ(WriteBMPFile(dir.File("f.bmp"), BytePlane(), 1, 1, 0), -1);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  EXPECT_EQ(WriteBMPFile(dir.Path(), plane, 4, 4, 0), -1);  // a folder
  EXPECT_EQ(WriteBMPFile(dir.File("no/such/folder.bmp"), plane, 4, 4, 0), -1);
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  EXPECT_EQ(WriteBMPFile("/dev/full", MakeGrayRamp(64, 64), 64, 64, 0), -1);
  // A 1 x 1 file fits the stream's buffer: only its flush at the close fails.
  EXPECT_EQ(WriteBMPFile("/dev/full", MakeGrayRamp(1, 1), 1, 1, 0), -1);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// A disk that fills up half way: the write fails and leaves no half file behind.
TEST(BmpWrite, ShortWriteRemovesTheFile) {
  ScratchDir dir;
  const std::string name = dir.File("big.bmp");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  if (saved.rlim_max != RLIM_INFINITY && saved.rlim_max < 4096) GTEST_SKIP();
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 3000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = WriteBMPFile(name, MakeGrayRamp(100, 100), 100, 100, 0);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(result, -1);
  EXPECT_FALSE(std::filesystem::exists(name));
}

}  // namespace
