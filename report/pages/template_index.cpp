// A template's index: the offsets of its pages and the byte range of one page.
#include <algorithm>
#include <cstring>

#include "report/pages/report_pages_face.h"

std::optional<TemplateIndex> ParseTemplateIndex(const unsigned char* bytes, std::size_t size) {
  if (!bytes || size < 4) return std::nullopt;
  TemplateIndex index{};
  index.count = static_cast<int32_t>(std::min<std::size_t>(size / 4, TEMPLATE_INDEX_MAX));
  for (int32_t i = 0; i < index.count; ++i) {
    const unsigned char* b = bytes + 4 * i;
    index.offsets[i] =
        static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                             static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
  }
  return index;
}

std::optional<TemplatePageRange> FindTemplatePageRange(const TemplateIndex& index, int32_t page) {
  if (page < 1 || page > index.count) return std::nullopt;
  const int64_t start = page == 1 ? 0 : int64_t{index.offsets[page - 1]} + 1;
  const int64_t length = page == index.count
                             ? LAST_PAGE_LENGTH
                             : int64_t{index.offsets[page]} - index.offsets[page - 1];
  if (start < 0 || length < 0) return std::nullopt;
  return TemplatePageRange{start, static_cast<std::size_t>(std::min<int64_t>(
                                      length + 1, static_cast<int64_t>(PAGE_READ_MAX)))};
}

bool TemplateIndexName(const char* template_name, char (&index_name)[13]) {
  if (!template_name || strnlen(template_name, 9) != 8) return false;
  std::memcpy(index_name, template_name, 4);
  std::memcpy(index_name + 4, "INDX", 4);
  std::memcpy(index_name + 8, template_name + 4, 4);
  index_name[12] = '\0';
  return true;
}

int32_t PageNumberOf(const char* page_id) {
  if (!page_id || strnlen(page_id, 4) < 4) return 0;
  const char* digits = page_id + 4;
  const char* end = digits + strnlen(digits, 4);
  while (digits < end && *digits == ' ') ++digits;
  const bool negative = digits < end && *digits == '-';
  if (digits < end && (*digits == '-' || *digits == '+')) ++digits;
  int32_t number = 0;
  for (; digits < end && *digits >= '0' && *digits <= '9'; ++digits)
    number = number * 10 + (*digits - '0');
  return negative ? -number : number;
}
