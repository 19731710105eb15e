// The case file (".QXN") in the server's own text form; README.md describes it.
//
// Text in, text out: the server's load and save do the file work around it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "standins/caseserver/program_case.h"

inline constexpr std::string_view kCaseFileMagic = "QXN-CASE 1";

// The whole case: every variable with its entry count, and every entry that is
// not blank with its value text, given flag and text line. Marks are not kept.
std::string FormatCaseFile(const ProgramCase& c);

// The case a file holds, or nothing when the text is not a complete case file
// (wrong first line, unknown keyword, bad number or quoting, an entry outside
// its variable, no "end" line).
std::optional<ProgramCase> ParseCaseFile(std::string_view text);
