// The list of a page's field values.
#include <algorithm>

#include "report/pages/report_pages_face.h"

std::optional<std::size_t> TakeFieldList(char* field_data, int64_t length) {
  if (!field_data || length <= 0) return std::nullopt;
  // A byte 25 at 1999 or later leaves no room for the list.
  const std::size_t limit =
      std::min<std::size_t>(static_cast<uint64_t>(length), FIELD_LIST_ROOM - 1);
  for (std::size_t n = 0; n < limit; ++n) {
    if (field_data[n] == LIST_END) return n;
    if (field_data[n] == '\0') field_data[n] = ' ';
  }
  field_data[0] = LIST_END;
  return std::nullopt;
}
