// A text as the repository's callers pass it: an address and a length. The
// library hands ids blank-padded and file names NUL-terminated within their
// buffers, so the text ends at the first NUL and loses its trailing blanks.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "include/fixed_text.h"

namespace lumbra {

// None for a negative length or a null address with a length.
inline std::optional<std::string_view> HostText(const char* text, int64_t len) {
  if (len < 0 || (text == nullptr && len > 0)) return std::nullopt;
  int64_t n = 0;
  while (n < len && text[n] != '\0') ++n;  // never reads past the terminator
  return fixed::Trimmed(std::string_view(text, static_cast<std::size_t>(n)));
}

}  // namespace lumbra
