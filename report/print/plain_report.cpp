// The plain copy of a report.
#include "report/print/plain_report.h"

#include <cstdio>
#include <memory>

#include "report/print/report_reader.h"

std::optional<std::string> PlainReportLine(std::string_view line) {
  line = line.substr(0, line.find('\n'));
  line = line.substr(0, line.find('\t'));
  if (line.starts_with("$$$") || line.starts_with("[Page break]") || line == REPORT_PAGE_BREAK_LINE)
    return std::nullopt;
  return std::string(line);
}

namespace {

// The platform-free core keeps its files in the standard library's holder.
using CFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
CFile Open(const char* path, const char* mode) {
  return CFile(std::fopen(path, mode), &std::fclose);
}

// One whole line of the file, its line feed included when it has one.
bool ReadWholeLine(std::FILE* file, std::string& line) {
  line.clear();
  for (int c; (c = std::getc(file)) != EOF;) {
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !line.empty();
}

}  // namespace

int32_t WritePlainReport(const char* report_path, const char* plain_path) {
  if (!report_path || !plain_path) return -1;
  CFile report = Open(report_path, "r");
  if (!report) return -1;
  CFile plain = Open(plain_path, "w");
  if (!plain) return -1;
  std::string line;
  while (ReadWholeLine(report.get(), line)) {
    const std::optional<std::string> kept = PlainReportLine(line);
    if (!kept) continue;
    if (std::fwrite(kept->data(), 1, kept->size(), plain.get()) != kept->size() ||
        std::fputc('\n', plain.get()) == EOF)
      return -1;
  }
  if (std::ferror(report.get())) return -1;
  return std::fclose(plain.release()) == 0 ? 0 : -1;
}
