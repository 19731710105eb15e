// The texts that the jackets pass on.
#include <algorithm>
#include <cstring>

#include "services/service_jackets.h"

NameBuffers NAME_BUFFERS;
ReportPageFields REPORT_PAGE_FIELDS;

bool CopyJacketText(char* buffer, std::size_t max, const char* text, int64_t length, bool cut) {
  const std::size_t given = text && length > 0 ? static_cast<uint64_t>(length) : 0;
  const std::string_view whole(text ? text : "", given);
  // A cut that loses more than blanks would name another file.
  if (!cut && whole.size() > max && whole.find_first_not_of(' ', max) != std::string_view::npos)
    return false;
  const std::size_t n = std::min(whole.size(), max);
  std::memcpy(buffer, whole.data(), n);
  buffer[n] = '\0';
  std::memset(buffer + n + 1, ' ', max - n);
  return true;
}
