#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <functional>
#include <iterator>
#include <tuple>
#include <vector>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& file, std::size_t at, std::uint32_t v, int bytes = 4) {
  for (int k = 0; k < bytes; ++k) file[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
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

// Read back into a plane kept from file to file: its memory is reused when the next file has its size.
TEST(BmpRead, RoundTripsGiveThePlaneBackLineZeroFirst) {
  ScratchDir dir;
  struct Case {
    int columns, lines, type;
  };
  const Case cases[] = {{37, 23, 0}, {37, 23, 0}, {37, 23, 2}, {1, 1, 0}, {1, 1, 2}, {64, 2, 0}};
  BytePlane kept;
  for (std::uint32_t seed = 0; seed < std::size(cases); ++seed) {
    const Case c = cases[seed];
    SCOPED_TRACE(seed);
    const BytePlane plane =
        c.type == 2 ? MakeRandomBgr(c.columns, c.lines, seed) : MakeRandomGray(c.columns, c.lines, seed);
    ASSERT_EQ(WriteBMPFile(dir.File("t.bmp"), plane, c.columns, c.lines, c.type), 0);
    int columns = -1, lines = -1;
    EXPECT_TRUE(SamePlanes(ReadBMPFile(dir.File("t.bmp"), columns, lines), plane));
    EXPECT_EQ(std::tuple(columns, lines), std::tuple(c.columns, c.lines));
    const bool sameSize = kept.Columns() == plane.Columns() && kept.Lines() == plane.Lines();
    const std::uint8_t* memory = kept.Data();
    ASSERT_TRUE(ReadBMPFileInto(dir.File("t.bmp"), kept, columns, lines));
    EXPECT_TRUE(SamePlanes(kept, plane));
    EXPECT_TRUE(!sameSize || kept.Data() == memory) << "the memory is reused";
  }
}

TEST(BmpRead, NegativeHeightIsReadTopDownAndTrailingBytesAreIgnored) {
  Bytes file = ValidFile(6, 4, 0);
  Put(file, 22, static_cast<std::uint32_t>(-4));
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
auto Set(std::size_t at, std::uint32_t v, int bytes = 4) {
  return [=](Bytes& f) { Put(f, at, v, bytes); };
}

// Each refused from the header alone, before anything is allocated for the pixels.
TEST(BmpRead, MalformedFilesAreRefusedCleanly) {
  struct Malformed {
    const char* name;
    int type;  // of the valid 6 x 4 file the case starts from
    std::function<void(Bytes&)> spoil;
  };
  const Malformed cases[] = {{"Empty", 0, Cut(0)},
                             {"ShortHeader", 0, Cut(30)},
                             {"HeaderOnly", 0, Cut(54)},
                             {"ShortPalette", 0, Cut(54 + 500)},
                             {"LastRowShort8", 0, Cut(1078 + 4 * 8 - 1)},
                             {"LastRowShort24", 2, Cut(54 + 4 * 20 - 1)},
                             {"BadSignature", 0, Set(1, 'N', 1)},
                             {"ThirtyTwoBits", 2, Set(28, 32, 2)},
                             {"SixteenBits", 2, Set(28, 16, 2)},
                             {"OneBit", 0, Set(28, 1, 2)},
                             {"RunLength8", 0, Set(30, 1)},
                             {"RunLength4", 0, Set(30, 2)},
                             {"BitFields", 2, Set(30, 3)},
                             {"EightBitsAtOffset54", 0, Set(10, 54)},
                             {"EightBitsAtOffset1082", 0, Set(10, 1082)},
                             {"TwentyFourBitsAtOffset1078", 2, Set(10, 1078)},
                             {"WiderThanTheFile", 0, Set(18, 9)},
                             {"TallerThanTheFile", 2, Set(22, 5)},
                             {"TallerTopDown", 0, Set(22, static_cast<std::uint32_t>(-5))},
                             {"ZeroWidth", 0, Set(18, 0)},
                             {"ZeroHeight", 0, Set(22, 0)},
                             {"NegativeWidth", 0, Set(18, static_cast<std::uint32_t>(-6))},
                             {"HugeWidth", 0, Set(18, INT32_MAX)},
                             {"HugeHeight", 0, Set(22, INT32_MAX)},
                             {"HugeWidth24", 2, Set(18, INT32_MAX)},
                             {"MostNegativeHeight", 0, Set(22, 0x80000000u)},
                             {"HugeBoth", 2, [](Bytes& f) { Put(f, 18, 0x10000), Put(f, 22, 0x10000); }}};
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
  struct Case {
    std::int32_t width, height;
  };
  // Each file is as long as its header says (up to gigabytes, all hole): only the header can refuse it.
  for (const Case c :
       {Case{65536, 1}, Case{1, 65536}, Case{1, -65536}, Case{INT32_MAX, 1}, Case{70000, 70000}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const std::string name = SparseBmp(dir, c.width, c.height);
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

}  // namespace
