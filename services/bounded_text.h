// NUL-terminated texts in callers' buffers of a known capacity: a text that
// does not fit with its terminator is refused, never cut.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// Copies text and a NUL into buffer when both fit in capacity bytes; answers
// false, leaving the buffer untouched, when they do not.
inline bool CopyBounded(char* buffer, std::size_t capacity, std::string_view text) {
  if (!buffer || text.size() >= capacity) return false;
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return true;
}
