#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <functional>
#include <tuple>
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

TEST(BmpRead, NegativeHeightIsReadTopDownAndTrailingBytesAreIgnored) {
  Bytes file = ValidFile(6, 4, 0);
  PutU32(file, 22, static_cast<std::uint32_t>(-4));
  file.insert(file.end(), 100, 0xEE);
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("top.bmp"), file));
  int columns = 0, lines = 0;
  const BytePlane plane = ReadBMPFile(dir.File("top.bmp"), columns, lines);
  ASSERT_FALSE(plane.Empty());
  EXPECT_EQ(std::tuple(columns, lines), std::tuple(6, 4));
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(std::memcmp(plane[k], &file[1078 + 8 * k], 6), 0) << "line " << k << " is file row " << k;
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

// Each refused from the header alone, before anything is allocated for the pixels.
TEST(BmpRead, MalformedFilesAreRefusedCleanly) {
  struct Malformed {
    const char* name;
    int type;  // of the valid file the case starts from
    std::function<void(Bytes&)> spoil;
  };
  const Malformed cases[] = {
      {"Empty", 0, Cut(0)},
      {"ShortHeader", 0, Cut(30)},
      {"HeaderOnly", 0, Cut(54)},
      {"ShortPalette", 0, Cut(54 + 500)},
      {"LastRowShort8", 0, Cut(1078 + 4 * 8 - 1)},
      {"LastRowShort24", 2, Cut(54 + 4 * 20 - 1)},
      {"BadSignature", 0, [](Bytes& f) { f[1] = 'N'; }},
      {"ThirtyTwoBits", 2, Set16(28, 32)},
      {"SixteenBits", 2, Set16(28, 16)},
      {"OneBit", 0, Set16(28, 1)},
      {"RunLength8", 0, Set32(30, 1)},
      {"RunLength4", 0, Set32(30, 2)},
      {"BitFields", 2, Set32(30, 3)},
      {"EightBitsAtOffset54", 0, Set32(10, 54)},
      {"EightBitsAtOffset1082", 0, Set32(10, 1082)},
      {"TwentyFourBitsAtOffset1078", 2, Set32(10, 1078)},
      {"WiderThanTheFile", 0, Set32(18, 9)},
      {"TallerThanTheFile", 2, Set32(22, 5)},
      {"TallerTopDown", 0, Set32(22, static_cast<std::uint32_t>(-5))},
      {"ZeroWidth", 0, Set32(18, 0)},
      {"ZeroHeight", 0, Set32(22, 0)},
      {"NegativeWidth", 0, Set32(18, static_cast<std::uint32_t>(-6))},
      {"HugeWidth", 0, Set32(18, INT32_MAX)},
      {"HugeHeight", 0, Set32(22, INT32_MAX)},
      {"HugeWidth24", 2, Set32(18, INT32_MAX)},
      {"MostNegativeHeight", 0, Set32(22, 0x80000000u)},
      {"HugeBoth", 2, [](Bytes& f) { PutU32(f, 18, 0x10000), PutU32(f, 22, 0x10000); }},
  };
  ScratchDir dir;
  for (const Malformed& c : cases) {
    Bytes file = ValidFile(6, 4, c.type);
    c.spoil(file);
    ASSERT_TRUE(WriteFileBytes(dir.File("bad.bmp"), file));
    EXPECT_FALSE(CheckBMPLayout(ReadBMPHeader(dir.File("bad.bmp"))).valid) << c.name;
    int columns = -1, lines = -1;
    EXPECT_TRUE(ReadBMPFile(dir.File("bad.bmp"), columns, lines).Empty()) << c.name;
    EXPECT_EQ(std::tuple(columns, lines), std::tuple(0, 0)) << c.name;
  }
  for (const std::string& name : {dir.File("none.bmp"), dir.Path()}) {  // missing, a folder
    int columns = -1, lines = -1;
    EXPECT_TRUE(ReadBMPFile(name, columns, lines).Empty());
    EXPECT_EQ(std::tuple(columns, lines), std::tuple(0, 0));
  }
}

}  // namespace

namespace {

// A header stating the given sides, the file made as long as they say by a hole that takes no disk.
std::string SparseBmp(const ScratchDir& dir, std::int32_t width, std::int32_t height) {
  Bytes head = ValidFile(4, 1, 0);
  head.resize(1078);
  PutU32(head, 18, static_cast<std::uint32_t>(width));
  PutU32(head, 22, static_cast<std::uint32_t>(height));
  const std::string name = dir.File("sparse.bmp");
  EXPECT_TRUE(WriteFileBytes(name, head));
  const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) + 3) / 4 * 4;
  const std::uint64_t lines = height < 0 ? -static_cast<std::int64_t>(height) : height;
  EXPECT_EQ(truncate(name.c_str(), static_cast<off_t>(1078 + rowSize * lines)), 0);
  return name;
}

TEST(BmpRead, SidesPastTheLimitAreRefusedFromTheHeaderOfAHugeFile) {
  ScratchDir dir;
  struct Case {
    std::int32_t width, height;
  };
  // Each file is as long as its header says (up to gigabytes, all hole): only the header can refuse it.
  for (const Case c :
       {Case{65536, 1}, Case{1, 65536}, Case{1, -65536}, Case{INT32_MAX, 1}, Case{70000, 70000}}) {
    const std::string name = SparseBmp(dir, c.width, c.height);
    EXPECT_FALSE(CheckBMPLayout(ReadBMPHeader(name)).valid) << c.width << " x " << c.height;
    BytePlane plane = MakeRandomGray(3, 3, 1);
    const std::uint8_t* before = plane.Data();
    int columns = -1, lines = -1;
    EXPECT_FALSE(ReadBMPFileInto(name, plane, columns, lines)) << c.width << " x " << c.height;
    EXPECT_EQ(std::tuple(columns, lines, plane.Data()), std::tuple(0, 0, before)) << "nothing touched";
  }
  // The limit itself is a side like any other.
  int columns = 0, lines = 0;
  const BytePlane widest = ReadBMPFile(SparseBmp(dir, 65535, 1), columns, lines);
  EXPECT_EQ(std::tuple(columns, lines, widest.Columns()), std::tuple(65535, 1, 65535));
}

TEST(BmpRead, APlaneOfTheFilesSizeIsReadIntoWhereItStands) {
  ScratchDir dir;
  const BytePlane first = MakeRandomGray(37, 23, 1), second = MakeRandomGray(37, 23, 2);
  ASSERT_EQ(WriteBMPFile(dir.File("a.bmp"), first, 37, 23, 0), 0);
  ASSERT_EQ(WriteBMPFile(dir.File("b.bmp"), second, 37, 23, 0), 0);
  BytePlane plane;
  int columns = 0, lines = 0;
  ASSERT_TRUE(ReadBMPFileInto(dir.File("a.bmp"), plane, columns, lines));
  EXPECT_TRUE(SamePlanes(plane, first));
  const std::uint8_t* memory = plane.Data();
  ASSERT_TRUE(ReadBMPFileInto(dir.File("b.bmp"), plane, columns, lines));
  EXPECT_EQ(plane.Data(), memory);
  EXPECT_TRUE(SamePlanes(plane, second));
  // A file of another size gets a plane of its own size.
  ASSERT_EQ(WriteBMPFile(dir.File("c.bmp"), MakeRandomGray(5, 4, 3), 5, 4, 0), 0);
  ASSERT_TRUE(ReadBMPFileInto(dir.File("c.bmp"), plane, columns, lines));
  EXPECT_EQ(std::tuple(plane.Columns(), plane.Lines(), columns, lines), std::tuple(5, 4, 5, 4));
}

}  // namespace
