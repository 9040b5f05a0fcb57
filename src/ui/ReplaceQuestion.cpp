#include "ui/ReplaceQuestion.h"

#include <filesystem>

#include "ui/Driver.h"

namespace ui {

bool MayReplace(const std::vector<std::string>& files) {
  std::vector<std::string> existing;
  for (const std::string& file : files) {
    std::error_code error;
    // A device is written, not replaced; a folder cannot be replaced and its save fails on its own.
    if (std::filesystem::is_regular_file(file, error)) existing.push_back(file);
  }
  if (existing.empty()) return true;
  std::string text = existing.size() == 1 ? "The file\n" : "The files\n";
  for (const std::string& file : existing) text += file + "\n";
  text += existing.size() == 1 ? "already exists\nReplace it?" : "already exist\nReplace them?";
  return MessageBox(text, "CAUTION", MB_YESNO) == IDYES;
}

}  // namespace ui
