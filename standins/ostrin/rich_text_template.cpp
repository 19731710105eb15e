// Finding and filling a page of a rich-text template.
#include "standins/ostrin/rich_text_template.h"

#include <cctype>
#include <charconv>

namespace ostrin {

namespace {

constexpr char kValueEnd = 3;

bool SameId(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The id of a section line "[id]", none for any other line.
std::optional<std::string_view> SectionId(std::string_view line) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return line.substr(1, line.size() - 2);
}

}  // namespace

std::vector<std::string> SplitFieldValues(std::string_view field_data) {
  std::vector<std::string> values;
  std::size_t start = 0;
  while (start < field_data.size()) {
    const std::size_t end = field_data.find(kValueEnd, start);
    if (end == std::string_view::npos) {
      values.emplace_back(field_data.substr(start));
      break;
    }
    values.emplace_back(field_data.substr(start, end - start));
    start = end + 1;
  }
  return values;
}

std::optional<std::vector<std::string>> FindTemplatePage(std::string_view template_text,
                                                         std::string_view page_id) {
  std::optional<std::vector<std::string>> page;
  std::size_t start = 0;
  while (start < template_text.size()) {
    std::size_t end = template_text.find('\n', start);
    if (end == std::string_view::npos) end = template_text.size();
    std::string_view line = template_text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == ';') continue;
    if (const auto id = SectionId(line)) {
      if (page) break;  // the next page's section ends this one
      if (SameId(*id, page_id)) page.emplace();
      continue;
    }
    if (page) page->emplace_back(line);
  }
  return page;
}

std::string FillTemplateLine(std::string_view line, const std::vector<std::string>& values) {
  std::string out;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t mark = line.find("\\v{", at);
    if (mark == std::string_view::npos) break;
    const std::size_t close = line.find('}', mark + 3);
    unsigned n = 0;
    const char* first = line.data() + mark + 3;
    const char* last = close == std::string_view::npos ? first : line.data() + close;
    const auto [end, error] = std::from_chars(first, last, n);
    if (close == std::string_view::npos || error != std::errc() || end != last || n == 0) {
      out.append(line.substr(at, mark + 3 - at));  // not a value mark: kept as written
      at = mark + 3;
      continue;
    }
    out.append(line.substr(at, mark - at));
    if (n <= values.size()) out.append(values[n - 1]);
    at = close + 1;
  }
  out.append(line.substr(at));
  return out;
}

}  // namespace ostrin
