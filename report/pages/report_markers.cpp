// Page, component and table-of-contents breaks and sections: marker calls of
// the rich-text library while it is enabled, marker lines of the report file
// otherwise.
#include <cstdio>
#include <cstring>
#include <string>

#include "holders.h"
#include "report_file.h"
#include "rich_text.h"
#include "run_folders.h"

namespace {

// The longest section title the report carries.
constexpr int32_t kTitleMax = 255;

// Appends the line to REPORT_FILE; a report that cannot be opened drops it.
void AppendMarkerLine(const std::string& line) {
  char path[FOLDER_BUFFER_SIZE];
  if (!GetReportFilePath(path, sizeof path)) return;
  const UniqueFile file(std::fopen(path, "ab"));
  if (file) std::fwrite(line.data(), 1, line.size(), file.get());
}

}  // namespace

int32_t WritePageBreak() {
  if (IsRTFEnabled()) return PageBreak();
  AppendMarkerLine(PAGE_BREAK_LINE);
  return 0;
}

int32_t WriteComponentBreak() {
  if (IsRTFEnabled()) return ComponentBreak();
  AppendMarkerLine(COMPONENT_BREAK_LINE);
  return 0;
}

int32_t WriteTocBreak() { return IsRTFEnabled() ? TOCBreak() : 0; }

int32_t WriteSectionStart(const char* title, int32_t title_len) {
  const std::size_t limit = title && title_len > 0 ? std::min(title_len, kTitleMax) : 0;
  const std::string text(title ? title : "", title ? strnlen(title, limit) : 0);
  if (IsRTFEnabled()) return SectionStart(text.c_str());
  AppendMarkerLine(SECTION_START_LINE + text + "\n");
  return 0;
}

int32_t WriteSectionEnd() {
  if (IsRTFEnabled()) return SectionEnd();
  AppendMarkerLine(SECTION_END_LINE);
  return 0;
}
