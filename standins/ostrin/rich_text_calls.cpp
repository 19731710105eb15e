// The seven calls of the rich-text report library: each is logged; while the
// stand-in is on, each marker writes one line of its document and ParseRTF the
// filled lines of one template page.
#include <fstream>
#include <initializer_list>
#include <iterator>

#include "include/rich_text.h"
#include "standins/ostrin/ostrin_state.h"
#include "standins/ostrin/rich_text_template.h"

namespace {

std::optional<std::string> Text(const char* text) {
  return text ? std::optional<std::string>(text) : std::nullopt;
}

void Log(const char* name, std::initializer_list<const char*> texts = {}) {
  OstrinCall call{name, {}};
  for (const char* t : texts) call.texts.push_back(Text(t));
  OSTRIN_STATE.calls.push_back(std::move(call));
}

// Appends the lines to the document; true when written or when no document is named.
bool Write(const std::vector<std::string>& lines) {
  if (OSTRIN_STATE.document.empty()) return true;
  std::ofstream out(OSTRIN_STATE.document, std::ios::binary | std::ios::app);
  for (const std::string& line : lines) out << line << '\n';
  return static_cast<bool>(out.flush());
}

int32_t Marker(const char* name, std::string line) {
  Log(name);
  if (!OSTRIN_STATE.enabled) return 0;
  return Write({std::move(line)}) ? 1 : 0;
}

}  // namespace

OSTRIN_API int32_t IsRTFEnabled() {
  Log("IsRTFEnabled");
  return OSTRIN_STATE.enabled ? 1 : 0;
}

OSTRIN_API int32_t ParseRTF(const char* template_path, const char* page_id,
                            const char* field_data) {
  Log("ParseRTF", {template_path, page_id, field_data});
  if (!OSTRIN_STATE.enabled || !template_path || !page_id) return 0;
  std::ifstream in(template_path, std::ios::binary);
  if (!in) return 0;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto page = ostrin::FindTemplatePage(text, page_id);
  if (!page) return 0;
  const auto values = ostrin::SplitFieldValues(field_data ? field_data : "");
  std::vector<std::string> lines;
  for (const std::string& line : *page) lines.push_back(ostrin::FillTemplateLine(line, values));
  return Write(lines) ? 1 : 0;
}

OSTRIN_API int32_t PageBreak() { return Marker("PageBreak", "\\page"); }
OSTRIN_API int32_t ComponentBreak() { return Marker("ComponentBreak", "\\component"); }
OSTRIN_API int32_t TOCBreak() { return Marker("TOCBreak", "\\toc"); }

OSTRIN_API int32_t SectionStart(const char* title) {
  Log("SectionStart", {title});
  if (!OSTRIN_STATE.enabled) return 0;
  return Write({std::string("\\section ") + (title ? title : "")}) ? 1 : 0;
}

OSTRIN_API int32_t SectionEnd() { return Marker("SectionEnd", "\\endsection"); }
