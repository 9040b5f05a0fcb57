#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "fixtures/Patterns.h"
#include "fixtures/Pixels.h"
#include "fixtures/ScratchFiles.h"
#include "imaging/Bmp.h"
#include "imaging/RawFile.h"
#include "imaging/SafeFile.h"
namespace {
using Bytes = std::vector<std::uint8_t>;
using S = SizeFileStatus;
// A byte-order mark (a partial one is none), a number across the 4096-byte buffer, the largest file.
TEST(RawFile, SizeFileTableFileSizeSizeFileNameAndFolder) {
  const std::string bom = "\xEF\xBB\xBF";
  // Appended: GCC 12 misreads a literal added to a temporary string in release builds.
  const auto padded = [](std::size_t spaces, const char* tail) {
    return std::string(spaces, ' ').append(tail);
  };
  // clang-format off
  const std::pair<std::string, SizeFileResult> cases[] = {{"3\n4\n", {S::Ok, 3, 4}}, {bom + "3\n4\n", {S::Ok, 3, 4}},
      {bom.substr(0, 2) + "3\n4\n", {S::MissingNumbers}}, {padded(4090, "3\n65535\n"), {S::Ok, 3, 65535}},
      {padded(64 * 1024 - 3, "3 4"), {S::Ok, 3, 4}}, {padded(64 * 1024 - 2, "3 4"), {S::TooLarge}},
      {"  480 \t 640", {S::Ok, 480, 640}}, {"3\n4\n1\n0\n255\n", {S::Ok, 3, 4}}, {"65535 1", {S::Ok, 65535, 1}},
      {"", {S::MissingNumbers}}, {"3\n", {S::MissingNumbers}}, {"lines 3 columns 4", {S::MissingNumbers}},
      {"3 x", {S::MissingNumbers}}, {"0 4", {S::BadSize}}, {"3 0", {S::BadSize}}, {"65536 4", {S::BadSize}},
      {"3 99999999999999999999999", {S::BadSize}}};
  // clang-format on
  ScratchDir dir;
  for (const auto& [content, expected] : cases) {
    ASSERT_TRUE(WriteTextFileSafely(dir.File("s.txt"), content));
    const SizeFileResult r = ReadSizeFile(dir.File("s.txt"));
    const bool ok = r.status == S::Ok;
    EXPECT_EQ(std::tuple(r.status, ok ? r.lines : 0, ok ? r.columns : 0),
              std::tuple(expected.status, expected.lines, expected.columns))
        << '"' << content.substr(0, 40) << '"';
  }
  EXPECT_EQ(std::tuple(ReadSizeFile(dir.File("none.txt")).status, ReadSizeFile(dir.Path()).status),
            std::tuple(S::Missing, S::Unreadable));
  ASSERT_TRUE(WriteFileBytes(dir.File("f"), Bytes(1234, 0)) && WriteFileBytes(dir.File("e"), Bytes{}));
  EXPECT_EQ(std::tuple(GetFileSize(dir.File("f")), GetFileSize(dir.File("e")), GetFileSize(dir.File("none")),
                       GetFileSize(dir.Path())),
            std::tuple(1234, 0, -1, -1));
  // Only the last extension is replaced (out.raw.raw: a save of a name typed with ".raw").
  const std::pair<const char*, const char*> names[] = {
      {"/home/a/carpet.raw", "/home/a/carpet.txt"}, {"/home/a/out.raw.raw", "/home/a/out.raw.txt"},
      {"/home/a/noext", "/home/a/noext.txt"},       {"/home/a.b/noext", "/home/a.b/noext.txt"},
      {"/home/a/.hidden", "/home/a/.hidden.txt"},   {"plain.bmp", "plain.txt"}};
  for (const auto& [image, size] : names) EXPECT_EQ(SizeFileName(image), size);
  EXPECT_EQ(std::tuple(FolderOf("/home/a/carpet.raw"), FolderOf("/carpet.raw"), FolderOf("carpet.raw")),
            std::tuple("/home/a", "/", ""));
}
TEST(RawFile, SizeFilesAreWrittenByteForByteAndFailedWritesAreSaid) {
  ScratchDir dir;
  ASSERT_TRUE(WriteSizeFile(dir.File("open.txt"), 3, 4) &&
              WriteSavedSizeFile(dir.File("save.txt"), 480, 640));
  EXPECT_EQ(std::tuple(ReadFileText(dir.File("open.txt")), ReadFileText(dir.File("save.txt"))),
            std::tuple("3\n4\n", "480\n640\n1\n0\n255\n"));
  const std::string missing = dir.File("no/such/folder/x.txt");
  const BytePlane plane(4, 3);
  EXPECT_FALSE(WriteSizeFile(missing, 3, 4) || WriteSavedSizeFile(missing, 3, 4) ||
               WriteRawFile(missing, plane, 4, 3));
  // Buffered writes of a few bytes only fail when flushed: the close must be checked.
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(WriteSizeFile("/dev/full", 3, 4) || WriteRawFile("/dev/full", plane, 4, 3));
}
TEST(RawFile, ReadsRowsTopFirstRoundTripsAndRefusedReadsLeaveThePlaneAlone) {
  ScratchDir dir;
  Bytes bytes(12);
  for (int k = 0; k < 12; ++k) bytes[k] = static_cast<std::uint8_t>(10 * k);
  ASSERT_TRUE(WriteFileBytes(dir.File("a.raw"), bytes));
  BytePlane plane;
  ASSERT_EQ(ReadRawFile(dir.File("a.raw"), 4, 3, plane), RawFileStatus::Ok);
  ASSERT_EQ(std::tuple(plane.Lines(), plane.Columns()), std::tuple(3, 4));
  EXPECT_EQ((Bytes{plane[0][0], plane[0][3], plane[1][0], plane[2][3]}), (Bytes{0, 30, 40, 110}));
  ASSERT_TRUE(WriteRawFile(dir.File("b.raw"), plane, 4, 3));
  EXPECT_EQ(ReadFileBytes(dir.File("b.raw")), bytes);
  ASSERT_EQ(ReadRawFile(dir.File("a.raw"), 2, 3, plane), RawFileStatus::Ok);
  EXPECT_EQ(plane[2][1], 50);
  // The top-left part of a larger plane is written; a part wider than the plane is refused.
  const BytePlane large = MakeNumbered(5, 4, 10);
  ASSERT_TRUE(WriteRawFile(dir.File("p.raw"), large, 3, 2));
  EXPECT_EQ(ReadFileBytes(dir.File("p.raw")), (Bytes{0, 1, 2, 10, 11, 12}));
  EXPECT_FALSE(WriteRawFile(dir.File("q.raw"), large, 6, 2) || std::filesystem::exists(dir.File("q.raw")));
  ASSERT_TRUE(WriteFileBytes(dir.File("short.raw"), Bytes(11, 7)));
  using R = RawFileStatus;
  const std::tuple<const char*, int, int, RawFileStatus> cases[] = {
      // "": the folder
      {"short.raw", 4, 3, R::TooShort},  {"", 4, 3, R::Unreadable},
      {"none.raw", 4, 3, R::Unreadable}, {"short.raw", 0, 3, R::BadSize},
      {"short.raw", 4, -1, R::BadSize},  {"short.raw", 70000, 1, R::BadSize}};
  for (const auto& [name, columns, lines, status] : cases) {
    BytePlane plane = MakeNumbered(2, 2, 8);  // 9 at 1, 1
    EXPECT_EQ(ReadRawFile(dir.File(name), columns, lines, plane), status) << name;
    EXPECT_EQ(std::tuple(plane.Lines(), plane[1][1]), std::tuple(2, 9));
  }
}
TEST(RawFile, UnreadableFileIsRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  ScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir.File("locked.raw"), Bytes(12, 1)));
  ASSERT_TRUE(WriteTextFileSafely(dir.File("locked.txt"), "3 4"));
  ASSERT_EQ(chmod(dir.File("locked.raw").c_str(), 0) | chmod(dir.File("locked.txt").c_str(), 0), 0);
  BytePlane plane;
  EXPECT_EQ(std::tuple(ReadRawFile(dir.File("locked.raw"), 4, 3, plane), GetFileSize(dir.File("locked.raw")),
                       ReadSizeFile(dir.File("locked.txt")).status),
            std::tuple(RawFileStatus::Unreadable, -1, S::Unreadable));
}
TEST(SafeFile, AFailedSaveLeavesTheEarlierFileWholeAndNoTemporaryBehind) {
  ScratchDir dir;
  const std::string bmp = dir.File("a.bmp"), raw = dir.File("a.raw"), size = dir.File("a.txt");
  const BytePlane small = MakeGrayRamp(8, 8), large = MakeRandomGray(64, 64, 1),
                  next = MakeRandomGray(16, 4, 2);
  ASSERT_TRUE(WriteBMPFile(bmp, small, 8, 8, 0) == 0 && WriteTextFileSafely(dir.File("d.xls"), "1\t2\n") &&
              WriteRawImageFiles(raw, size, small, 8, 8) == RawSaveStatus::Ok);
  const auto state = [&] {
    return std::tuple(ReadFileBytes(bmp), ReadFileBytes(raw), ReadFileText(size),
                      ReadFileText(dir.File("d.xls")), FolderEntries(dir.Path()));
  };
  const auto before = state();
  {
    FileSizeLimit full(2000);  // the disk fills up after 2000 bytes of any one file
    // No half file is left of a new one either.
    EXPECT_EQ(
        std::tuple(WriteBMPFile(bmp, large, 64, 64, 0), WriteBMPFile(dir.File("new.bmp"), large, 64, 64, 0)),
        std::tuple(-1, -1));
    EXPECT_EQ(WriteRawImageFiles(raw, size, large, 64, 64), RawSaveStatus::RawFailed);
    EXPECT_FALSE(WriteRawFile(raw, large, 64, 64) ||
                 WriteTextFileSafely(dir.File("d.xls"), std::string(3000, 'x')));
  }
  EXPECT_EQ(state(), before);  // the raw and size pair is replaced together or not at all
  ASSERT_EQ(WriteRawImageFiles(raw, size, next, 16, 4), RawSaveStatus::Ok);
  EXPECT_EQ(std::tuple(ReadFileBytes(raw), ReadFileText(size)),
            std::tuple(Bytes(next.Data(), next.Data() + 64), "4\n16\n1\n0\n255\n"));
}
TEST(SafeFile, ARenameThatFailsHalfWayPutsTheFirstFileBackLinksDevicesFoldersAndPermissions) {
  ScratchDir dir;
  ASSERT_TRUE(WriteTextFileSafely(dir.File("first"), "old first"));
  SafeFile first(dir.File("first")), second(dir.File("second"));
  ASSERT_TRUE(first.Open() && first.Write(std::string("new first")));
  ASSERT_TRUE(second.Open() && second.Write(std::string("new second")));
  // A folder now stands where the second file should go: its rename fails.
  std::filesystem::create_directories(dir.File("second/inside"));
  EXPECT_FALSE(SafeFile::CommitTogether({&first, &second}));
  EXPECT_EQ(std::tuple(ReadFileText(dir.File("first")), FolderEntries(dir.Path())),
            std::tuple("old first", std::vector<std::string>{"first", "second"}));
  // A link keeps pointing at the file it names, which is replaced.
  ASSERT_TRUE(WriteTextFileSafely(dir.File("real.txt"), "one"));
  std::filesystem::create_symlink(dir.File("real.txt"), dir.File("link.txt"));
  ASSERT_TRUE(WriteTextFileSafely(dir.File("link.txt"), "two"));
  EXPECT_EQ(std::tuple(std::filesystem::is_symlink(dir.File("link.txt")), ReadFileText(dir.File("real.txt"))),
            std::tuple(true, "two"));
  // A replaced file keeps its permissions.
  std::filesystem::permissions(dir.File("real.txt"), std::filesystem::perms(0640));
  ASSERT_TRUE(WriteTextFileSafely(dir.File("real.txt"), "three"));
  EXPECT_EQ(std::filesystem::status(dir.File("real.txt")).permissions(), std::filesystem::perms(0640));
  // Set-user, set-group and sticky bits stay too; a new file gets what fopen would give under the umask.
  for (const auto bits : {04755, 02750, 01644}) {
    std::filesystem::permissions(dir.File("real.txt"), std::filesystem::perms(bits));
    ASSERT_TRUE(WriteTextFileSafely(dir.File("real.txt"), "four"));
    EXPECT_EQ(std::filesystem::status(dir.File("real.txt")).permissions(), std::filesystem::perms(bits));
  }
  const mode_t mask = ::umask(027);
  const bool written = WriteTextFileSafely(dir.File("new.txt"), "five");
  ::umask(mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(std::filesystem::status(dir.File("new.txt")).permissions(), std::filesystem::perms(0640));
  // A folder is not a file; a device is written in place and stays a device.
  EXPECT_FALSE(WriteTextFileSafely(dir.Path(), "x") ||
               WriteTextFileSafely(dir.File("no/such/folder.txt"), "x"));
  EXPECT_TRUE(WriteTextFileSafely("/dev/null", "x") && std::filesystem::is_character_file("/dev/null"));
}
}  // namespace
