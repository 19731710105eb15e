// Page, component and table-of-contents breaks and sections: marker calls of
// the rich-text library while it is enabled, marker lines of the report file
// otherwise.
#include <algorithm>
#include <cstring>
#include <string>

#include "include/rich_text.h"
#include "report/pages/report_file_face.h"

namespace {

// The longest section title the report carries.
constexpr int32_t kTitleMax = 255;

// A marker text as its report line holds it: a line break would end the
// line early and make the rest a report line of its own.
std::string OnOneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return text;
}

}  // namespace

int32_t WritePageBreak() {
  if (IsRTFEnabled()) return PageBreak();
  return AppendReportLines(PAGE_BREAK_LINE);
}

int32_t WriteComponentBreak() {
  if (IsRTFEnabled()) return ComponentBreak();
  return AppendReportLines(COMPONENT_BREAK_LINE);
}

int32_t WriteTocBreak() { return IsRTFEnabled() ? TOCBreak() : 0; }

int32_t WriteSectionStart(const char* title, int32_t title_len) {
  const std::size_t limit = title && title_len > 0 ? std::min(title_len, kTitleMax) : 0;
  const std::string text(title ? title : "", title ? strnlen(title, limit) : 0);
  if (IsRTFEnabled()) return SectionStart(text.c_str());
  return AppendReportLines(SECTION_START_LINE + OnOneLine(text) + "\n");
}

int32_t WriteSectionEnd() {
  if (IsRTFEnabled()) return SectionEnd();
  return AppendReportLines(SECTION_END_LINE);
}
