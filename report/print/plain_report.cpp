// The plain copy of a report.
#include "report/print/plain_report.h"

#include <cstdio>

#include "report/print/report_reader.h"

std::optional<std::string> PlainReportLine(std::string_view line) {
  line = line.substr(0, line.find('\n'));
  line = line.substr(0, line.find('\t'));
  if (line.starts_with("$$$") || line.starts_with("[Page break]") || line == REPORT_PAGE_BREAK_LINE)
    return std::nullopt;
  return std::string(line);
}

namespace {

// One whole line of the file, its line feed included when it has one, read
// as the report's lines are.
bool ReadWholeLine(std::FILE* file, std::string& line) {
  line.clear();
  for (int c; (c = GetReportChar(file)) != EOF;) {
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !line.empty();
}

}  // namespace

bool ReadPlainReport(std::FILE* report, std::string& plain) {
  plain.clear();
  std::string line;
  while (ReadWholeLine(report, line)) {
    const std::optional<std::string> kept = PlainReportLine(line);
    if (!kept) continue;
    plain += *kept;
    plain += '\n';
  }
  return !std::ferror(report);
}
