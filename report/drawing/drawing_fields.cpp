// The column reader of drawing text lines: a template of three-character
// field codes taken from left to right, each field starting where the one
// before it ended.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "report/drawing/drawing_text.h"

namespace {

// The line's length up to its terminator or its line break; columns past it
// are blank.
std::size_t LineLength(const char* line) {
  std::size_t n = 0;
  while (line[n] != '\0' && line[n] != '\n' && line[n] != '\r') ++n;
  return n;
}

int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

class Columns {
 public:
  explicit Columns(const char* line) : line_(line), length_(line ? LineLength(line) : 0) {}
  // The character of the column at offset, a blank past the line's end.
  char at(std::size_t offset) const { return offset < length_ ? line_[offset] : ' '; }
  // Copies width columns from offset into out and ends them with a terminator.
  void Copy(std::size_t offset, int width, char* out) const {
    for (int i = 0; i < width; ++i) out[i] = at(offset + static_cast<std::size_t>(i));
    out[width] = '\0';
  }
  // Reads width columns as a signed decimal integer: leading blanks skipped,
  // a sign, then digits up to the first character that is not one. No digits
  // read 0; a value beyond 32 bits stays at the nearest end.
  int32_t Integer(std::size_t offset, int width) const {
    int i = 0;
    auto c = [&] { return at(offset + static_cast<std::size_t>(i)); };
    while (i < width && (c() == ' ' || c() == '\t' || c() == '\v' || c() == '\f')) ++i;
    bool negative = false;
    if (i < width && (c() == '+' || c() == '-')) {
      negative = c() == '-';
      ++i;
    }
    int64_t value = 0;
    for (; i < width && c() >= '0' && c() <= '9'; ++i)
      value = std::min<int64_t>(value * 10 + (c() - '0'), int64_t{INT32_MAX} + 1);
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
  }

 private:
  const char* line_;
  std::size_t length_;
};

}  // namespace

void ParseDrawingFieldList(const char* line, const char* layout,
                           std::span<const DrawingField> destinations) {
  if (!layout) return;
  const Columns columns(line);
  std::size_t offset = 0;
  std::size_t next = 0;
  char field[DRAWING_FIELD_WIDTH + 1];
  for (const char* code = layout; code[0] && code[1] && code[2]; code += 3) {
    const int d1 = Digit(code[1]);
    const int d2 = Digit(code[2]);
    const int width = std::min(10 * d1 + d2, DRAWING_FIELD_WIDTH);
    const DrawingField* to = next < destinations.size() ? &destinations[next] : nullptr;
    switch (code[0]) {
      case 'X':
        offset += static_cast<std::size_t>(10 * d1 + d2);
        break;
      case 'A':
        columns.Copy(offset, width, field);
        if (to && std::holds_alternative<char*>(*to) && std::get<char*>(*to))
          std::memcpy(std::get<char*>(*to), field, static_cast<std::size_t>(width) + 1);
        offset += static_cast<std::size_t>(width);
        ++next;
        break;
      case 'F': {
        // d1 columns holding an integer with d2 implied decimals.
        const int32_t digits = columns.Integer(offset, d1);
        const float scale = static_cast<float>(std::pow(10.0, d2));
        if (to && std::holds_alternative<float*>(*to) && std::get<float*>(*to))
          *std::get<float*>(*to) = static_cast<float>(digits) / scale;
        offset += static_cast<std::size_t>(d1);
        ++next;
        break;
      }
      case 'I': {
        const int32_t value = columns.Integer(offset, width);
        if (to && std::holds_alternative<int32_t*>(*to) && std::get<int32_t*>(*to))
          *std::get<int32_t*>(*to) = value;
        offset += static_cast<std::size_t>(width);
        ++next;
        break;
      }
      default:
        // Not a field: taken no column and no destination.
        break;
    }
  }
}
