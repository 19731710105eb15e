// The picture references of template headers. Platform-free.
#include "report/drawing/picture_references_face.h"

#include <cstring>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A signed decimal integer after blanks, as "%d" reads one; false when there
// are no digits or the value passes 32 bits.
bool ReadInteger(const char*& at, int64_t* value) {
  while (IsBlank(*at)) ++at;
  bool negative = false;
  if (*at == '+' || *at == '-') negative = *at++ == '-';
  if (*at < '0' || *at > '9') return false;
  int64_t v = 0;
  for (; *at >= '0' && *at <= '9'; ++at) {
    v = v * 10 + (*at - '0');
    if (v > int64_t{INT32_MAX} + 1) return false;
  }
  v = negative ? -v : v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  *value = v;
  return true;
}

bool Cell(int64_t column, int64_t row, int32_t offset, int32_t* cell) {
  if (column < 1 || column > PAGE_COLUMNS || row < 1) return false;
  const int64_t c = (row - 1) * PAGE_COLUMNS + column - 1 + offset;
  if (c > INT32_MAX || c < INT32_MIN) return false;
  *cell = static_cast<int32_t>(c);
  return true;
}

}  // namespace

bool ParsePictureReference(const char* reference, int32_t cell_offset, PictureReference* out) {
  if (!reference) return false;
  const char* at = reference;
  while (IsBlank(*at)) ++at;
  const bool quoted = *at == '"';
  const char* name = quoted ? ++at : at;
  while (*at && (quoted ? *at != '"' : !IsBlank(*at))) ++at;
  const std::size_t length = static_cast<std::size_t>(at - name);
  if (quoted && *at++ != '"') return false;
  if (length == 0) return false;
  const bool has_extension = std::memchr(name, '.', length) != nullptr;
  const std::size_t full = length + (has_extension ? 0 : 4);
  // A file name is short; one given with its folder may be as long as a path.
  const bool names_folder =
      std::string_view(name, length).find_first_of("\\/:") != std::string_view::npos;
  if (full > (names_folder ? PICTURE_PATH_LENGTH : PICTURE_NAME_LENGTH)) return false;
  int64_t c1 = 0;
  int64_t r1 = 0;
  int64_t c2 = 0;
  int64_t r2 = 0;
  if (!ReadInteger(at, &c1) || !ReadInteger(at, &r1) || !ReadInteger(at, &c2) ||
      !ReadInteger(at, &r2))
    return false;
  PictureReference ref;
  if (!Cell(c1, r1, cell_offset, &ref.first_cell) || !Cell(c2, r2, cell_offset, &ref.last_cell))
    return false;
  std::memcpy(ref.name, name, length);
  std::memcpy(ref.name + length, has_extension ? "" : ".DQD", full - length + 1);
  *out = ref;
  return true;
}

bool NextPictureReference(std::string_view text, std::size_t* at, std::string_view* reference,
                          int32_t* under_text) {
  if (*at >= text.size()) return false;
  std::size_t open = text.find('<', *at);
  char closing = '>';
  int32_t kind = 1;
  if (open == std::string_view::npos) {
    open = text.find('{', *at);
    closing = '}';
    kind = 0;
  }
  if (open == std::string_view::npos) return false;
  const std::size_t close = text.find(closing, open + 1);
  // An opening bracket without its closing one ends the scan.
  if (close == std::string_view::npos) return false;
  *reference = text.substr(open + 1, close - open - 1);
  *under_text = kind;
  *at = close + 1;
  return true;
}
