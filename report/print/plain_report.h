// The plain copy of the report (".DQX"): each report line up to its first
// tab, without picture lines and page-break lines, so without control
// characters and layout marks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The plain line of one report line (its line feed may be included), or
// none when the line is left out: a picture line ("$$$") or a page break.
std::optional<std::string> PlainReportLine(std::string_view line);

// Writes the plain copy of the report. Answers 0, or -1 when the report
// cannot be read (the plain file is then left as it was) or the plain file
// cannot be written.
int32_t WritePlainReport(const char* report_path, const char* plain_path);

// The run's report (case folder + run name + ".DQO", "OUTPUT.DQO" without a
// run name) copied to case folder + case base name + ".DQX"; answers as
// WritePlainReport, -1 when a path does not fit.
int32_t WritePlainRunReport();
// Lets the loader release the run's files, then copies source base + ".DQO"
// to destination base + ".DQX". Answers 0, or -1 for an empty base, a
// missing source or a failed copy.
int32_t CopyPlainReport(const char* destination_base, const char* source_base);
