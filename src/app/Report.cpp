#include "app/Report.h"

#include <cstdarg>

#include "panels/ReportForm.h"

FILE* ReportFile = nullptr;

namespace {

constexpr const char* kReportAuthor = "The VORN developers";
constexpr const char* kReportNotice = "Free software for the fractal analysis of images";

}  // namespace

bool ReportOn() {
  return ReportFile && ReportForm && ReportForm->ReportOff == 0;
}

void ReportPrintf(const char* format, ...) {
  if (!ReportOn()) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(ReportFile, format, args);
  va_end(args);
  std::fflush(ReportFile);
}

void ReportText(const std::string& text) {
  if (!ReportOn()) return;
  std::fputs(text.c_str(), ReportFile);
  std::fflush(ReportFile);
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
  ReportPrintf("\t\t\t\tVORN.Version 2 \n");
  ReportPrintf("\t\t\t\t%s\n", kReportAuthor);
  ReportPrintf("\t\t\t\t%s", kReportNotice);
  ReportPrintf("\n\n Global Report concerning the treatments applied to the image\n ");
  ReportText(imageName);
  ReportPrintf("\n\n Image Size:");
  ReportPrintf("\n lines %d columns %d \n", lines, columns);
}
