#include "imaging/RawFile.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string_view>

#include "imaging/SafeFile.h"

namespace {

// A size file holds a few short numbers: anything much larger is not one.
constexpr std::int64_t kMaxSizeFileBytes = 64 * 1024;
// Text editors may start a file with the UTF-8 byte-order mark.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// What a save writes after the two sides: three numbers no reader uses.
constexpr const char* kSavedSizeTail = "1\n0\n255\n";

enum class FileKind { Missing, Regular, Other };

FileKind KindOf(const std::string& fileName) {
  std::error_code error;
  const auto status = std::filesystem::status(fileName, error);
  if (status.type() == std::filesystem::file_type::not_found) return FileKind::Missing;
  if (error) return FileKind::Other;
  return std::filesystem::is_regular_file(status) ? FileKind::Regular : FileKind::Other;
}

// Reads one decimal integer after white space. Returns false when none stands there; a value too
// large for a side is clamped just past the limit so that it is refused as a size, not as text.
bool NextInteger(const std::string& text, std::size_t& at, long& value) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return false;
  long magnitude = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    if (magnitude <= kMaxImageSide) magnitude = magnitude * 10 + (text[at] - '0');
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

std::string SizeText(int lines, int columns) {
  return std::to_string(lines) + "\n" + std::to_string(columns) + "\n";
}

// The raw rows of the plane, into a file already open.
bool WriteRows(SafeFile& file, const BytePlane& plane, int columns, int lines) {
  if (plane.Columns() == columns) {
    return file.Write(plane[0], static_cast<std::size_t>(columns) * static_cast<std::size_t>(lines));
  }
  bool ok = true;
  for (int line = 0; ok && line < lines; ++line)
    ok = file.Write(plane[line], static_cast<std::size_t>(columns));
  return ok;
}

bool PlaneHolds(const BytePlane& plane, int columns, int lines) {
  return columns > 0 && lines > 0 && plane.Lines() >= lines && plane.Columns() >= columns;
}

}  // namespace

SizeFileResult ReadSizeFile(const std::string& fileName) {
  SizeFileResult result;
  switch (KindOf(fileName)) {
    case FileKind::Missing:
      result.status = SizeFileStatus::Missing;
      return result;
    case FileKind::Other:
      result.status = SizeFileStatus::Unreadable;
      return result;
    case FileKind::Regular:
      break;
  }
  const std::int64_t length = GetFileSize(fileName);
  if (length > kMaxSizeFileBytes) {
    result.status = SizeFileStatus::TooLarge;
    return result;
  }
  std::FILE* file = std::fopen(fileName.c_str(), "r");
  if (!file || length < 0) {
    if (file) std::fclose(file);
    result.status = SizeFileStatus::Unreadable;
    return result;
  }
  // The whole file, so that no number is cut at a buffer's end.
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file));
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError || text.size() > static_cast<std::size_t>(kMaxSizeFileBytes)) {
    result.status = readError ? SizeFileStatus::Unreadable : SizeFileStatus::TooLarge;
    return result;
  }
  std::size_t at = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  long lines = 0, columns = 0;
  if (!NextInteger(text, at, lines) || !NextInteger(text, at, columns)) {
    result.status = SizeFileStatus::MissingNumbers;
    return result;
  }
  if (!ValidImageSide(lines) || !ValidImageSide(columns)) {
    result.status = SizeFileStatus::BadSize;
    return result;
  }
  result.status = SizeFileStatus::Ok;
  result.lines = static_cast<int>(lines);
  result.columns = static_cast<int>(columns);
  return result;
}

bool WriteSizeFile(const std::string& fileName, int lines, int columns) {
  return WriteTextFileSafely(fileName, SizeText(lines, columns));
}

bool WriteSavedSizeFile(const std::string& fileName, int lines, int columns) {
  return WriteTextFileSafely(fileName, SizeText(lines, columns) + kSavedSizeTail);
}

RawFileStatus ReadRawFile(const std::string& fileName, int columns, int lines, BytePlane& plane) {
  if (!ValidImageSide(lines) || !ValidImageSide(columns)) return RawFileStatus::BadSize;
  if (KindOf(fileName) != FileKind::Regular) return RawFileStatus::Unreadable;
  const std::int64_t length = GetFileSize(fileName);
  if (length < 0) return RawFileStatus::Unreadable;
  const std::uint64_t needed = static_cast<std::uint64_t>(lines) * static_cast<std::uint64_t>(columns);
  if (static_cast<std::uint64_t>(length) < needed) return RawFileStatus::TooShort;

  BytePlane read;
  try {
    read = BytePlane(columns, lines, kForOverwrite);  // the file fills it whole or it is dropped
  } catch (const std::bad_alloc&) {
    return RawFileStatus::NoMemory;
  }
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return RawFileStatus::Unreadable;
  // The plane is one block, rows top first, exactly the layout of the file.
  const std::size_t got = std::fread(read.Data(), 1, read.Size(), file);
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError) return RawFileStatus::Unreadable;
  if (got != read.Size()) return RawFileStatus::TooShort;
  plane = std::move(read);
  return RawFileStatus::Ok;
}

bool WriteRawFile(const std::string& fileName, const BytePlane& plane, int columns, int lines) {
  if (!PlaneHolds(plane, columns, lines)) return false;
  SafeFile file(fileName);
  return file.Open() && WriteRows(file, plane, columns, lines) && file.Commit();
}

RawSaveStatus WriteRawImageFiles(const std::string& rawName, const std::string& sizeName,
                                 const BytePlane& plane, int columns, int lines) {
  if (!PlaneHolds(plane, columns, lines)) return RawSaveStatus::RawFailed;
  SafeFile size(sizeName);
  if (!size.Open("w") || !size.Write(SizeText(lines, columns) + kSavedSizeTail))
    return RawSaveStatus::SizeFailed;
  SafeFile raw(rawName);
  if (!raw.Open() || !WriteRows(raw, plane, columns, lines)) return RawSaveStatus::RawFailed;
  return SafeFile::CommitTogether({&size, &raw}) ? RawSaveStatus::Ok : RawSaveStatus::RawFailed;
}

std::int64_t GetFileSize(const std::string& fileName) {
  if (KindOf(fileName) != FileKind::Regular) return -1;
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return -1;
  std::int64_t size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = static_cast<std::int64_t>(std::ftell(file));
  std::fclose(file);
  return size < 0 ? -1 : size;
}

std::string SizeFileName(const std::string& imageName) {
  const std::size_t slash = imageName.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = imageName.find_last_of('.');
  // A leading dot names a hidden file, not an extension.
  if (dot == std::string::npos || dot <= nameStart) return imageName + ".txt";
  return imageName.substr(0, dot) + ".txt";
}

bool HasExtension(const std::string& name, const std::string& extension) {
  if (name.size() < extension.size()) return false;
  const std::size_t start = name.size() - extension.size();
  for (std::size_t k = 0; k < extension.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(name[start + k])) !=
        std::tolower(static_cast<unsigned char>(extension[k])))
      return false;
  return true;
}

std::string WithExtension(const std::string& name, const std::string& extension) {
  return HasExtension(name, extension) ? name : name + extension;
}

std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? std::string("/") : fileName.substr(0, slash);
}
