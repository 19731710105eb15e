// Printing the report file: one, two or four report pages a sheet, as the
// "Print Format" section of the settings file says; and the report file
// services around it: finishing a run's report into another, appending one
// report (with its drawings) to another.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

// The running count of ".ZFD" picture lines in one reading of the report
// for printing: the n-th shows drawing n of the report's container.
extern int32_t CONTAINER_PICTURE_COUNT;

// Pages a sheet for a "Print Format" / "Output" value: "4 per 1" 4,
// "2 per 1" 2 (in any case), anything else 1.
int32_t PagesPerSheetFromSetting(std::string_view value);
// The same read from the settings file; 1 without the file, section or key.
int32_t ReadPrintFormat();

// Prints the report at path, the module instance holding the progress
// dialog; a nonzero default_printer takes the WIN.INI printer without a
// dialog. Answers 0; what went wrong has been shown. A job that drew no page
// (a report that cannot be opened, a report without pages, a range beyond
// it) is aborted, not ended, and the user is told which.
int32_t PrintReportFile(HWND owner, HINSTANCE instance, const char* path, int32_t default_printer);

// Lets the loader release the run's files; then, when both bases are given
// and source base + ".DQO" exists, appends it to destination base + ".DQO"
// (append flag nonzero) and deletes the print fonts. Paths that do not fit
// in 256 bytes do nothing.
void FinishReportFile(const void* unused1, const void* unused2, const char* destination_base,
                      const char* source_base, int32_t append);
// Appends the source report to the destination report, and the source's
// drawing container (".ZFD") to the destination's, so that the appended
// pages keep their drawings. Two names of the same file change nothing; a
// destination container left from an earlier report without its report is
// removed first.
void AppendReportFile(const char* source, const char* destination);
