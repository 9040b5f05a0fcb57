#pragma once
// The general report: one text file per opened original image. Every write goes
// through here and happens only while the report is on; each write is flushed,
// so nothing reported is lost if the program dies.
#include <cstdio>
#include <string>

extern FILE* ReportFile;

// The report is on (the person said "yes") and a report file is open.
bool ReportOn();
// False only when the write failed: the person has then been told ("ERROR", once) and the report
// is off. A registration whose line was not written stays pending.
bool ReportPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Writes the text as it stands (file names may hold '%').
bool ReportText(const std::string& text);
// Closes the current report file and opens (truncates) another; false when it cannot be created.
bool OpenReportFile(const std::string& path);
void CloseReportFile();

// The head of a new report: program, authors, notice, the image's full name and size.
void WriteReportHeader(const std::string& imageName, int lines, int columns);
