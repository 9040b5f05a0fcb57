#include "imaging/SafeFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {

// New files get the permissions an ordinary fopen would give them; replaced ones keep theirs.
mode_t ModeFor(const std::string& target) {
  struct stat info;
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

enum class TargetKind { Absent, Regular, Directory, Device };

TargetKind KindOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return TargetKind::Absent;
  if (S_ISREG(info.st_mode)) return TargetKind::Regular;
  return S_ISDIR(info.st_mode) ? TargetKind::Directory : TargetKind::Device;
}

// A link is followed, so that the file it names is replaced and the link kept.
std::string Resolved(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string resolved(real);
  std::free(real);
  return resolved;
}

}  // namespace

SafeFile::SafeFile(std::string target) : target_(std::move(target)) {}

SafeFile::~SafeFile() {
  Discard();
}

bool SafeFile::Open(const char* mode) {
  Discard();
  failed_ = false;
  if (target_.empty()) return false;
  target_ = Resolved(target_);
  switch (KindOf(target_)) {
    case TargetKind::Directory:
      return false;
    case TargetKind::Device:
      // A device or a pipe cannot be replaced by a rename: it is written directly.
      stream_ = std::fopen(target_.c_str(), mode);
      return stream_ != nullptr;
    case TargetKind::Absent:
    case TargetKind::Regular:
      break;
  }
  std::string pattern = target_ + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  temporary_ = pattern;
  if (::fchmod(fd, ModeFor(target_)) != 0 || !(stream_ = ::fdopen(fd, mode))) {
    ::close(fd);
    Discard();
    return false;
  }
  return true;
}

bool SafeFile::Write(const void* data, std::size_t size) {
  if (!stream_ || failed_) return false;
  if (size > 0 && std::fwrite(data, 1, size, stream_) != size) failed_ = true;
  return !failed_;
}

bool SafeFile::Close() {
  if (!stream_) return false;
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) failed_ = true;
  if (std::fclose(stream_) != 0) failed_ = true;
  stream_ = nullptr;
  return !failed_;
}

void SafeFile::Discard() {
  if (stream_) std::fclose(stream_);
  stream_ = nullptr;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool SafeFile::Commit() {
  return CommitTogether({this});
}

bool SafeFile::CommitTogether(std::initializer_list<SafeFile*> files) {
  bool ok = true;
  for (SafeFile* file : files) ok = file->Close() && ok;
  if (!ok) {
    for (SafeFile* file : files) file->Discard();
    return false;
  }
  // The earlier targets are kept under second names until every rename has succeeded, so that a
  // failure half-way puts them all back.
  struct Step {
    SafeFile* file;
    std::string backup;
    bool replaced = false;
  };
  std::vector<Step> steps;
  for (SafeFile* file : files) {
    Step step{file, std::string()};
    if (files.size() > 1 && !file->temporary_.empty() && ::access(file->target_.c_str(), F_OK) == 0) {
      step.backup = file->temporary_ + ".old";
      if (::link(file->target_.c_str(), step.backup.c_str()) != 0) ok = false;
    }
    steps.push_back(std::move(step));
  }
  for (Step& step : steps) {
    if (!ok) break;
    if (step.file->temporary_.empty()) continue;  // written directly
    step.replaced = ::rename(step.file->temporary_.c_str(), step.file->target_.c_str()) == 0;
    if (step.replaced) step.file->temporary_.clear();
    ok = step.replaced;
  }
  for (Step& step : steps) {
    if (!ok && step.replaced) {
      if (step.backup.empty()) {
        ::unlink(step.file->target_.c_str());
      } else {
        ::rename(step.backup.c_str(), step.file->target_.c_str());
      }
    }
    if (!step.backup.empty()) ::unlink(step.backup.c_str());
    step.file->Discard();
  }
  return ok;
}

bool WriteTextFileSafely(const std::string& fileName, const std::string& text) {
  SafeFile file(fileName);
  return file.Open("w") && file.Write(text) && file.Commit();
}
