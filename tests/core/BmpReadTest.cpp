#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU32(Bytes& file, std::size_t at, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) file[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

bool SamePlanes(const BytePlane& a, const BytePlane& b) {
  return a.Columns() == b.Columns() && a.Lines() == b.Lines() &&
         std::memcmp(a.Data(), b.Data(), a.Size()) == 0;
}

// Written by our own writer, so a failure to read back is ours.
Bytes ValidFile(int columns, int lines, int type) {
  ScratchDir dir;
  const BytePlane plane = type == 2 ? MakeRandomBgr(columns, lines, 5) : MakeRandomGray(columns, lines, 5);
  EXPECT_EQ(WriteBMPFile(dir.File("v.bmp"), plane, columns, lines, type), 0);
  return ReadFileBytes(dir.File("v.bmp"));
}

TEST(BmpRead, RoundTripsGiveThePlaneBackLineZeroFirst) {
  ScratchDir dir;
  struct Case {
    int columns, lines, type;
  };
  for (const Case c : {Case{37, 23, 0}, Case{37, 23, 2}, Case{1, 1, 0}, Case{1, 1, 2}, Case{64, 2, 0}}) {
    const BytePlane plane =
        c.type == 2 ? MakeRandomBgr(c.columns, c.lines, 99) : MakeRandomGray(c.columns, c.lines, 99);
    ASSERT_EQ(WriteBMPFile(dir.File("t.bmp"), plane, c.columns, c.lines, c.type), 0);
    int columns = -1, lines = -1;
    const BytePlane back = ReadBMPFile(dir.File("t.bmp"), columns, lines);
    EXPECT_EQ(columns, c.columns);
    EXPECT_EQ(lines, c.lines);
    EXPECT_TRUE(SamePlanes(back, plane)) << c.columns << " x " << c.lines << " type " << c.type;
  }
}

TEST(BmpRead, NegativeHeightIsReadTopDown) {
  Bytes file = ValidFile(6, 4, 0);
  PutU32(file, 22, static_cast<std::uint32_t>(-4));
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("top.bmp"), file));
  int columns = 0, lines = 0;
  const BytePlane plane = ReadBMPFile(dir.File("top.bmp"), columns, lines);
  ASSERT_FALSE(plane.Empty());
  EXPECT_EQ(columns, 6);
  EXPECT_EQ(lines, 4);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(std::memcmp(plane[k], &file[1078 + 8 * k], 6), 0) << "line " << k << " is file row " << k;
  }
}

TEST(BmpRead, TrailingBytesAreIgnored) {
  Bytes file = ValidFile(5, 3, 2);
  file.insert(file.end(), 100, 0xEE);
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("long.bmp"), file));
  int columns = 0, lines = 0;
  EXPECT_FALSE(ReadBMPFile(dir.File("long.bmp"), columns, lines).Empty());
  EXPECT_EQ(columns, 5);
}

TEST(BmpRead, HeaderFieldsAsStored) {
  const Bytes file = ValidFile(7, 3, 2);
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("h.bmp"), file));
  const BmpHeaderInfo info = ReadBMPHeader(dir.File("h.bmp"));
  EXPECT_TRUE(info.complete);
  EXPECT_TRUE(info.signatureOk);
  EXPECT_EQ(info.bitsPerPixel, 24);
  EXPECT_EQ(info.width, 7);
  EXPECT_EQ(info.height, 3);
  EXPECT_EQ(info.compression, 0u);
  EXPECT_EQ(info.pixelOffset, 54u);
  EXPECT_EQ(info.infoSize, 40u);
  EXPECT_EQ(info.fileSizeField, 54u + 3 * 24);
  EXPECT_EQ(info.fileLength, file.size());

  ASSERT_TRUE(WriteFileBytes(dir.File("short.bmp"), Bytes(file.begin(), file.begin() + 53)));
  EXPECT_FALSE(ReadBMPHeader(dir.File("short.bmp")).complete);
  EXPECT_FALSE(ReadBMPHeader(dir.File("missing.bmp")).complete);
}

TEST(BmpRead, LayoutFromTheHeader) {
  ScratchDir dir;
  Bytes file = ValidFile(5, 3, 2);
  ASSERT_TRUE(WriteFileBytes(dir.File("c.bmp"), file));
  BmpLayout layout = CheckBMPLayout(ReadBMPHeader(dir.File("c.bmp")));
  EXPECT_TRUE(layout.valid);
  EXPECT_EQ(layout.bytesPerPixel, 3);
  EXPECT_EQ(layout.columns, 5);
  EXPECT_EQ(layout.lines, 3);
  EXPECT_FALSE(layout.topDown);
  EXPECT_EQ(layout.rowBytes, 15u);
  EXPECT_EQ(layout.rowSize, 16u);

  file = ValidFile(6, 4, 0);
  PutU32(file, 22, static_cast<std::uint32_t>(-4));
  ASSERT_TRUE(WriteFileBytes(dir.File("g.bmp"), file));
  layout = CheckBMPLayout(ReadBMPHeader(dir.File("g.bmp")));
  EXPECT_TRUE(layout.valid);
  EXPECT_EQ(layout.bytesPerPixel, 1);
  EXPECT_EQ(layout.lines, 4);
  EXPECT_TRUE(layout.topDown);
  EXPECT_EQ(layout.rowSize, 8u);
}

struct Malformed {
  const char* name;
  int type;  // of the valid file the case starts from
  std::function<void(Bytes&)> spoil;
};

void PrintTo(const Malformed& m, std::ostream* os) {
  *os << m.name;
}

class MalformedFiles : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedFiles, AreRefusedCleanly) {
  Bytes file = ValidFile(6, 4, GetParam().type);
  GetParam().spoil(file);
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("bad.bmp"), file));
  // Refused from the header alone, before anything is allocated for the pixels.
  EXPECT_FALSE(CheckBMPLayout(ReadBMPHeader(dir.File("bad.bmp"))).valid);
  int columns = -1, lines = -1;
  EXPECT_TRUE(ReadBMPFile(dir.File("bad.bmp"), columns, lines).Empty());
  EXPECT_EQ(columns, 0);
  EXPECT_EQ(lines, 0);
}

auto Cut(std::size_t size) {
  return [size](Bytes& f) { f.resize(size); };
}
auto Set32(std::size_t at, std::uint32_t v) {
  return [at, v](Bytes& f) { PutU32(f, at, v); };
}
auto Set16(std::size_t at, std::uint16_t v) {
  return [at, v](Bytes& f) {
    f[at] = static_cast<std::uint8_t>(v);
    f[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
}

INSTANTIATE_TEST_SUITE_P(
    BmpRead, MalformedFiles,
    ::
        testing::
            Values(
                Malformed{"Empty", 0, Cut(0)}, Malformed{"ShortHeader", 0, Cut(30)},
                Malformed{"HeaderOnly", 0, Cut(54)}, Malformed{"ShortPalette", 0, Cut(54 + 500)},
                Malformed{"LastRowShort8", 0, Cut(1078 + 4 * 8 - 1)},
                Malformed{"LastRowShort24", 2, Cut(54 + 4 * 20 - 1)},
                Malformed{"BadSignature", 0, [](Bytes& f) { f[1] = 'N'; }},
                Malformed{"ThirtyTwoBits", 2, Set16(28, 32)}, Malformed{"SixteenBits", 2, Set16(28, 16)},
                Malformed{"OneBit", 0, Set16(28, 1)}, Malformed{"RunLength8", 0, Set32(30, 1)},
                Malformed{"RunLength4", 0, Set32(30, 2)}, Malformed{"BitFields", 2, Set32(30, 3)},
                Malformed{"EightBitsAtOffset54", 0, Set32(10, 54)},
                Malformed{"EightBitsAtOffset1082", 0, Set32(10, 1082)},
                Malformed{"TwentyFourBitsAtOffset1078", 2, Set32(10, 1078)},
                Malformed{"WiderThanTheFile", 0, Set32(18, 9)},
                Malformed{"TallerThanTheFile", 2, Set32(22, 5)},
                Malformed{"TallerTopDown", 0, Set32(22, static_cast<std::uint32_t>(-5))},
                Malformed{"ZeroWidth", 0, Set32(18, 0)}, Malformed{"ZeroHeight", 0, Set32(22, 0)},
                Malformed{"NegativeWidth", 0, Set32(18, static_cast<std::uint32_t>(-6))},
                Malformed{"HugeWidth", 0, Set32(18, INT32_MAX)},
                Malformed{"HugeHeight", 0, Set32(22, INT32_MAX)},
                Malformed{"HugeWidth24", 2, Set32(18, INT32_MAX)},
                Malformed{"MostNegativeHeight", 0, Set32(22, 0x80000000u)},
                Malformed{
                    "HugeBoth",
                    2,
                    [](Bytes& f) {
                      PutU32(f, 18, 0x10000);
                      PutU32(f, 22, 0x10000);
                    }}),
    [](const ::testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

TEST(BmpRead, MissingFileOrFolderIsRefused) {
  ScratchDir dir;
  int columns = -1, lines = -1;
  EXPECT_TRUE(ReadBMPFile(dir.File("none.bmp"), columns, lines).Empty());
  EXPECT_EQ(columns, 0);
  EXPECT_TRUE(ReadBMPFile(dir.Path(), columns, lines).Empty());
  EXPECT_EQ(lines, 0);
}

}  // namespace
