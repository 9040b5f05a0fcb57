#include "imaging/RawFile.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <new>

namespace {

// A size file holds a few short numbers; what lies beyond this is never looked at.
constexpr std::size_t kSizeFileHead = 4096;

enum class FileKind { Missing, Regular, Other };

FileKind KindOf(const std::string& fileName) {
  std::error_code error;
  const auto status = std::filesystem::status(fileName, error);
  if (status.type() == std::filesystem::file_type::not_found) return FileKind::Missing;
  if (error) return FileKind::Other;
  return std::filesystem::is_regular_file(status) ? FileKind::Regular : FileKind::Other;
}

void RemoveIfRegular(const std::string& fileName) {
  std::error_code error;
  if (std::filesystem::is_regular_file(fileName, error)) std::filesystem::remove(fileName, error);
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

// Writes the text and closes the file, every step checked; a failed file does not stay behind.
bool WriteWholeText(const std::string& fileName, const std::string& text) {
  std::FILE* file = std::fopen(fileName.c_str(), "w");
  if (!file) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) != 0) ok = false;
  if (!ok) RemoveIfRegular(fileName);
  return ok;
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
  std::FILE* file = std::fopen(fileName.c_str(), "r");
  if (!file) {
    result.status = SizeFileStatus::Unreadable;
    return result;
  }
  std::string head(kSizeFileHead, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError) {
    result.status = SizeFileStatus::Unreadable;
    return result;
  }
  std::size_t at = 0;
  long lines = 0, columns = 0;
  if (!NextInteger(head, at, lines) || !NextInteger(head, at, columns)) {
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
  return WriteWholeText(fileName, std::to_string(lines) + "\n" + std::to_string(columns) + "\n");
}

bool WriteSavedSizeFile(const std::string& fileName, int lines, int columns) {
  return WriteWholeText(fileName, std::to_string(lines) + "\n" + std::to_string(columns) + "\n1\n0\n255\n");
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
  if (columns <= 0 || lines <= 0 || plane.Lines() < lines || plane.Columns() < columns) return false;
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) return false;
  bool ok = true;
  if (plane.Columns() == columns) {
    const std::size_t count = static_cast<std::size_t>(columns) * static_cast<std::size_t>(lines);
    ok = std::fwrite(plane[0], 1, count, file) == count;
  } else {
    for (int line = 0; ok && line < lines; ++line)
      ok = std::fwrite(plane[line], 1, static_cast<std::size_t>(columns), file) ==
           static_cast<std::size_t>(columns);
  }
  if (std::fclose(file) != 0) ok = false;
  if (!ok) RemoveIfRegular(fileName);
  return ok;
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

std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? std::string("/") : fileName.substr(0, slash);
}
