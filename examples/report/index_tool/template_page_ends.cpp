// The pages of a template and the index file's bytes.
#include "examples/report/index_tool/template_page_ends.h"

namespace template_index {

Index TemplatePageEnds(std::string_view text) {
  Index index;
  if (text.empty()) {
    index.error = "the template is empty";
    return index;
  }
  if (text.back() != '\n') {
    index.error = "the last line has no line end";
    return index;
  }
  std::vector<std::size_t> page_ends;
  std::size_t line_start = 0, page_start = 0;
  int line = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\n') continue;
    std::size_t length = at - line_start;
    if (length > 0 && text[at - 1] == '\r') --length;
    ++line;
    if (length > kLineMax) {
      index.error = "line " + std::to_string(line) + " is longer than 80 characters";
      return index;
    }
    line_start = at + 1;
    if (line % kLinesPerPage == 0) {
      if (at + 1 - page_start > kPageMax) {
        index.error = "page " + std::to_string(line / kLinesPerPage) + " is longer than 2049 bytes";
        return index;
      }
      page_ends.push_back(at);
      page_start = at + 1;
    }
  }
  if (line % kLinesPerPage != 0) {
    index.error = std::to_string(line) + " lines are no whole pages of 26";
    return index;
  }
  index.offsets.push_back(0);
  for (std::size_t k = 0; k + 1 < page_ends.size(); ++k)
    index.offsets.push_back(static_cast<int32_t>(page_ends[k]));
  return index;
}

std::string IndexBytes(const std::vector<int32_t>& offsets) {
  std::string bytes;
  for (int32_t offset : offsets)
    for (int shift = 0; shift < 32; shift += 8)
      bytes += static_cast<char>((static_cast<uint32_t>(offset) >> shift) & 0xFF);
  return bytes;
}

}  // namespace template_index
