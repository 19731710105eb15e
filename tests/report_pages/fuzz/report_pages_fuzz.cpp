// Drives the report pages' readers of file bytes and their formers from one
// input: a template index, a template page found through it, the page's
// header and body, the field values merged into it and the lines the report
// file would get. Layout of an input: byte 0 the page number (signed), byte 1
// the mode, byte 2 the index length, byte 3 the field data length in eights,
// then the index bytes, the field data and the template bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "report/pages/report_page_lines.h"
#include "report/pages/report_pages_face.h"
#include "report/screen/screen_cells_face.h"

namespace {

constexpr const char* kModes[] = {"D", "DN", "DL", "S", "_PD", "DF ", "X", ""};

void NoPictures(const char*) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int32_t page = static_cast<int8_t>(data[0]);
  const char* mode = kModes[data[1] % (sizeof kModes / sizeof kModes[0])];
  std::size_t at = 4;
  const std::size_t index_size = std::min<std::size_t>(data[2], size - at);
  const std::string index_bytes(reinterpret_cast<const char*>(data + at), index_size);
  at += index_size;
  const std::size_t field_size = std::min<std::size_t>(std::size_t{data[3]} * 8, size - at);
  std::string field_data(reinterpret_cast<const char*>(data + at), field_size);
  at += field_size;
  const std::string_view template_text(reinterpret_cast<const char*>(data + at), size - at);

  // The page as a read through the index would give it, in the page buffer.
  std::string page_text(PAGE_TEXT_SIZE, '\0');
  std::size_t length = std::min(template_text.size(), PAGE_READ_MAX);
  std::size_t start = 0;
  const auto index = ParseTemplateIndex(reinterpret_cast<const unsigned char*>(index_bytes.data()),
                                        index_bytes.size());
  if (index) {
    const auto range = FindTemplatePageRange(*index, page);
    if (!range) return 0;
    if (range->length > PAGE_READ_MAX) __builtin_trap();
    start = std::min<std::size_t>(static_cast<std::size_t>(range->start), template_text.size());
    length = std::min(range->length, template_text.size() - start);
  }
  std::memcpy(page_text.data(), template_text.data() + start, length);
  ReplaceChineseBoxCharacters(page_text.data(), length);

  TakeRequestPictureRefs(template_text.data(), static_cast<int64_t>(template_text.size()));
  char template_page[PAGE_CELLS];
  char options[PAGE_OPTIONS_LENGTH];
  char items[HEADER_ITEMS_SIZE];
  int32_t cursor = 0, under_text = 0;
  const std::size_t end = ReadTemplateHeader(mode, page_text.data(), length, template_page, options,
                                             items, &cursor, {&under_text, &NoPictures});
  if (end > length) __builtin_trap();
  std::memcpy(LAYOUT_MARKS, template_page, 1840);

  char merged_page[PAGE_CELLS];
  MergeFieldData(merged_page, template_page, field_data.data(),
                 static_cast<int64_t>(field_data.size()));
  std::string lines;
  const std::string_view refs(PICTURE_REFS, strnlen(PICTURE_REFS, PICTURE_REFS_SIZE - 1));
  for (const PagePicture& picture : TakePagePictures(refs, merged_page, template_page))
    lines += FormatPictureLine(picture.reference);
  lines += FormReportBody(merged_page, template_page, LAYOUT_MARKS);
  // Every body line ends with its line end, and each line of the report is a
  // picture line or a body line with its tab after the 80 cells: no value's
  // or title's line break splits one.
  if (!lines.empty() && lines.back() != '\n') __builtin_trap();
  for (std::size_t at = 0; at < lines.size();) {
    const std::size_t end = lines.find('\n', at);
    const std::string_view line = std::string_view(lines).substr(at, end - at);
    if (line.substr(0, 3) != "$$$" && (line.size() < 82 || line[80] != '\t')) __builtin_trap();
    at = end + 1;
  }
  if (template_text.size() >= 8) PageNumberOf(std::string(template_text.substr(0, 8)).c_str());
  return 0;
}
