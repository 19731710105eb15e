// The current page's picture references: those of the page request, then
// those of its template header; read by the report file writer.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "report/pages/report_pages_face.h"

char PICTURE_REFS[PICTURE_REFS_SIZE];

void TakeRequestPictureRefs(const char* picture_text, int64_t length) {
  PICTURE_REFS[0] = '\0';
  if (!picture_text || length <= 0) return;
  const std::size_t limit =
      std::min<std::size_t>(static_cast<uint64_t>(length), REQUEST_PICTURE_TEXT);
  const std::string_view text(picture_text, strnlen(picture_text, limit));
  std::size_t first = text.find('<');
  if (first == std::string_view::npos) first = text.find('{');
  const std::size_t last = text.find_last_of(">}");
  if (first == std::string_view::npos || last == std::string_view::npos || last < first) return;
  const std::size_t n = last - first + 1;
  std::memcpy(PICTURE_REFS, text.data() + first, n);
  PICTURE_REFS[n] = '\0';
}
