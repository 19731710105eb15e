// The plain copy of the report (".DQX"): each report line up to its first
// tab, without picture lines and page-break lines, so without control
// characters and layout marks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// The plain line of one report line (its line feed may be included), or
// none when the line is left out: a picture line ("$$$") or a page break.
std::optional<std::string> PlainReportLine(std::string_view line);

// The plain lines of the report read from the file (opened as bytes, its
// lines read as GetReportChar reads them), each ended by a line feed.
// False when the file could not be read to its end.
bool ReadPlainReport(std::FILE* report, std::string& plain);

// Writes the plain copy of the report, its lines ended as a text file's.
// The copy is written beside the plain file and takes its place only when
// whole. Answers 0, or -1 when the report cannot be read or the plain file
// cannot be written; the plain file is then as it was.
int32_t WritePlainReport(const char* report_path, const char* plain_path);

// The run's report (case folder + run name + ".DQO", "OUTPUT.DQO" without a
// run name) copied to case folder + case base name + ".DQX"; answers as
// WritePlainReport, -1 when a path does not fit.
int32_t WritePlainRunReport();
// Lets the loader release the run's files, then copies source base + ".DQO"
// to destination base + ".DQX". Answers 0, or -1 for an empty base, a
// missing source or a failed copy.
int32_t CopyPlainReport(const char* destination_base, const char* source_base);
