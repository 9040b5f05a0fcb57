#include <gtest/gtest.h>

#include <filesystem>

#include "fixtures/Patterns.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "imaging/RawFile.h"
#include "imaging/SafeFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SafeFile, AFailedSaveLeavesTheEarlierFileWholeAndNoTemporaryBehind) {
  ScratchDir dir;
  const std::string bmp = dir.File("a.bmp"), raw = dir.File("a.raw"), size = dir.File("a.txt");
  const BytePlane small = MakeGrayRamp(8, 8), large = MakeRandomGray(64, 64, 1),
                  next = MakeRandomGray(16, 4, 2);
  ASSERT_EQ(WriteBMPFile(bmp, small, 8, 8, 0), 0);
  ASSERT_EQ(WriteRawImageFiles(raw, size, small, 8, 8), RawSaveStatus::Ok);
  ASSERT_TRUE(WriteTextFileSafely(dir.File("d.xls"), "1\t2\n"));
  const Bytes bmpBefore = ReadFileBytes(bmp), rawBefore = ReadFileBytes(raw);
  const std::vector<std::string> entries = FolderEntries(dir.Path());
  {
    FileSizeLimit full(2000);  // the disk fills up after 2000 bytes of any one file
    EXPECT_EQ(WriteBMPFile(bmp, large, 64, 64, 0), -1);
    EXPECT_EQ(WriteBMPFile(dir.File("new.bmp"), large, 64, 64, 0), -1);  // no half file left
    EXPECT_EQ(WriteRawImageFiles(raw, size, large, 64, 64), RawSaveStatus::RawFailed);
    EXPECT_FALSE(WriteRawFile(raw, large, 64, 64));
    EXPECT_FALSE(WriteTextFileSafely(dir.File("d.xls"), std::string(3000, 'x')));
  }
  EXPECT_EQ(ReadFileBytes(bmp), bmpBefore);
  EXPECT_EQ(ReadFileBytes(raw), rawBefore);
  EXPECT_EQ(ReadFileText(size), "8\n8\n1\n0\n255\n");  // the pair is replaced together or not at all
  EXPECT_EQ(ReadFileText(dir.File("d.xls")), "1\t2\n");
  EXPECT_EQ(FolderEntries(dir.Path()), entries);
  // Once there is room, the save replaces both files.
  ASSERT_EQ(WriteRawImageFiles(raw, size, next, 16, 4), RawSaveStatus::Ok);
  EXPECT_EQ(ReadFileBytes(raw), Bytes(next.Data(), next.Data() + 64));
  EXPECT_EQ(ReadFileText(size), "4\n16\n1\n0\n255\n");
}

TEST(SafeFile, ARenameThatFailsHalfWayPutsTheFirstFileBack) {
  ScratchDir dir;
  ASSERT_TRUE(WriteTextFileSafely(dir.File("first"), "old first"));
  SafeFile first(dir.File("first")), second(dir.File("second"));
  ASSERT_TRUE(first.Open() && first.Write(std::string("new first")));
  ASSERT_TRUE(second.Open() && second.Write(std::string("new second")));
  // A folder now stands where the second file should go: its rename fails.
  std::filesystem::create_directories(dir.File("second/inside"));
  EXPECT_FALSE(SafeFile::CommitTogether({&first, &second}));
  EXPECT_EQ(ReadFileText(dir.File("first")), "old first");
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"first", "second"}));
}

TEST(SafeFile, LinksDevicesFoldersAndPermissions) {
  ScratchDir dir;
  // A link keeps pointing at the file it names, which is replaced.
  ASSERT_TRUE(WriteTextFileSafely(dir.File("real.txt"), "one"));
  std::filesystem::create_symlink(dir.File("real.txt"), dir.File("link.txt"));
  ASSERT_TRUE(WriteTextFileSafely(dir.File("link.txt"), "two"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
  EXPECT_EQ(ReadFileText(dir.File("real.txt")), "two");

  // A replaced file keeps its permissions.
  std::filesystem::permissions(dir.File("real.txt"), std::filesystem::perms(0640));
  ASSERT_TRUE(WriteTextFileSafely(dir.File("real.txt"), "three"));
  EXPECT_EQ(std::filesystem::status(dir.File("real.txt")).permissions(), std::filesystem::perms(0640));

  // A folder is not a file; a device is written in place and stays a device.
  EXPECT_FALSE(WriteTextFileSafely(dir.Path(), "x"));
  EXPECT_FALSE(WriteTextFileSafely(dir.File("no/such/folder.txt"), "x"));
  EXPECT_TRUE(WriteTextFileSafely("/dev/null", "x"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

}  // namespace
