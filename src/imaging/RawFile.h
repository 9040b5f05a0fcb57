#pragma once
// Headerless raw images (one byte a pixel, rows top to bottom) and the small text file beside each
// that gives its size. Every read validates before it allocates; every write is checked, fclose
// included. Nothing here shows anything: results say what went wrong.
#include <cstdint>
#include <string>

#include "imaging/Plane.h"

// The largest side a size file or the size window may give.
inline constexpr int kMaxImageSide = 65535;

// A side of 1 .. kMaxImageSide.
inline bool ValidImageSide(long side) {
  return side >= 1 && side <= kMaxImageSide;
}

enum class SizeFileStatus {
  Ok,
  Missing,         // no such file: the size is to be asked
  Unreadable,      // it exists but cannot be read (a folder, no permission)
  MissingNumbers,  // fewer than two integers at its start
  BadSize,         // zero, negative or over kMaxImageSide
  TooLarge,        // far larger than a size file can be
};

struct SizeFileResult {
  SizeFileStatus status = SizeFileStatus::Missing;
  int lines = 0;
  int columns = 0;
};

// Reads the first two integers of a size file: lines, then columns.
SizeFileResult ReadSizeFile(const std::string& fileName);

// The size file written by an open whose size was asked: "lines\ncolumns\n".
bool WriteSizeFile(const std::string& fileName, int lines, int columns);
// The size file written by a save: lines, columns, 1, 0, 255, each on its line.
bool WriteSavedSizeFile(const std::string& fileName, int lines, int columns);

enum class RawFileStatus {
  Ok,
  Unreadable,  // missing, a folder, or no permission
  TooShort,    // fewer than lines x columns bytes
  BadSize,     // a side out of 1 .. kMaxImageSide
  NoMemory,
};

// Reads the first lines x columns bytes of a raw file into `plane` (left untouched unless Ok).
RawFileStatus ReadRawFile(const std::string& fileName, int columns, int lines, BytePlane& plane);

// Writes the first `lines` rows of `columns` bytes of the plane; false when the plane is smaller
// or anything cannot be written (an earlier file of that name is then left as it was).
bool WriteRawFile(const std::string& fileName, const BytePlane& plane, int columns, int lines);

enum class RawSaveStatus { Ok, SizeFailed, RawFailed };

// A save: the raw file and its size file (lines, columns, 1, 0, 255) replace the earlier ones
// together, or neither is changed.
RawSaveStatus WriteRawImageFiles(const std::string& rawName, const std::string& sizeName,
                                 const BytePlane& plane, int columns, int lines);

// Size in bytes of a file, -1 when it cannot be opened (or is not a regular file).
std::int64_t GetFileSize(const std::string& fileName);

// The name with ".txt" in place of its last extension, or with ".txt" added when it has none.
// Only the file part is looked at: a dot in a folder name is not an extension.
std::string SizeFileName(const std::string& imageName);

// Whether the name ends with the extension (".bmp"), in any case.
bool HasExtension(const std::string& name, const std::string& extension);
// The name chosen in a save dialog with the extension its file takes: appended, unless it is there.
std::string WithExtension(const std::string& name, const std::string& extension);

// The folder part of a file name ("" when there is none).
std::string FolderOf(const std::string& fileName);
