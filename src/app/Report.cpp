#include "app/Report.h"

#include <cstdarg>

#include "app/MainWindow.h"
#include "panels/ReportForm.h"
#include "ui/Driver.h"

FILE* ReportFile = nullptr;

namespace {

constexpr const char* kReportAuthor = "The VORN developers";
constexpr const char* kReportNotice = "Free software for the fractal analysis of images";

}  // namespace

bool ReportOn() {
  return ReportFile && ReportForm && ReportForm->ReportOff == 0;
}

namespace {

// A write that did not reach the disk turns the report off and says so once: what follows would be
// lost the same way, and a report with silent holes would mislead.
bool Checked(bool written) {
  if (std::fflush(ReportFile) != 0 || std::ferror(ReportFile)) written = false;
  if (written) return true;
  ReportForm->ReportOff = 1;
  std::clearerr(ReportFile);
  const std::string path = MainForm ? MainForm->ReportPath : std::string();
  ui::MessageBox("The report file\n" + path + "\ncannot be written\nThe report is off", "ERROR");
  return false;
}

}  // namespace

bool ReportPrintf(const char* format, ...) {
  if (!ReportOn()) return true;
  va_list args;
  va_start(args, format);
  const int written = std::vfprintf(ReportFile, format, args);
  va_end(args);
  return Checked(written >= 0);
}

bool ReportText(const std::string& text) {
  if (!ReportOn()) return true;
  return Checked(std::fputs(text.c_str(), ReportFile) >= 0);
}

bool OpenReportFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  CloseReportFile();
  ReportFile = file;
  return true;
}

void CloseReportFile() {
  if (ReportFile) std::fclose(ReportFile);
  ReportFile = nullptr;
}

void WriteReportHeader(const std::string& imageName, int lines, int columns) {
  ReportPrintf("\t\t\t\tVORN.Version 2 \n") && ReportPrintf("\t\t\t\t%s\n", kReportAuthor) &&
      ReportPrintf("\t\t\t\t%s", kReportNotice) &&
      ReportPrintf("\n\n Global Report concerning the treatments applied to the image\n ") &&
      ReportText(imageName) && ReportPrintf("\n\n Image Size:") &&
      ReportPrintf("\n lines %d columns %d \n", lines, columns);
}
