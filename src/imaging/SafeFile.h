#pragma once
// A file that is written in full or not at all. The bytes go to a temporary file beside the
// target, which replaces the target only once every write and the close have succeeded: a full
// disk or a failing device leaves the earlier file as it was, and no half-written file behind.
#include <cstdio>
#include <initializer_list>
#include <string>

class SafeFile {
 public:
  explicit SafeFile(std::string target);
  ~SafeFile();  // an uncommitted temporary is removed
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;

  // Creates the temporary; false when the folder cannot take it (or the target is not a file).
  bool Open(const char* mode = "wb");
  std::FILE* Stream() const { return stream_; }
  const std::string& Target() const { return target_; }

  // Writes the bytes; false (and the file marked failed) when they cannot all be written.
  bool Write(const void* data, std::size_t size);
  bool Write(const std::string& text) { return Write(text.data(), text.size()); }
  // Marks the file failed: Commit will then leave the target alone.
  void Fail() { failed_ = true; }

  // Closes the temporary (checked) and renames it over the target. False on any failure: the
  // target is untouched and the temporary removed.
  bool Commit();

  // Several files replaced together or not at all (a raw image and its size file).
  static bool CommitTogether(std::initializer_list<SafeFile*> files);

 private:
  bool Close();
  void Discard();

  std::string target_;
  std::string temporary_;
  std::FILE* stream_ = nullptr;
  bool failed_ = false;
};

// The whole text written to the file through a temporary; false when anything failed.
bool WriteTextFileSafely(const std::string& fileName, const std::string& text);
