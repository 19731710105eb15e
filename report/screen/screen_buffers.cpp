// The text-form screen's process-wide cell buffers and the routines that read
// and keep them.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "report/screen/screen_cells_face.h"

char SCREEN_TEXT[SCREEN_CELLS] = {};
char SCREEN_ATTRIBUTES[SCREEN_CELLS] = {};
char LAYOUT_MARKS[SCREEN_CELLS] = {};
int32_t FIELD_INDEX[SCREEN_CELLS] = {};
char FIELD_DATA[FIELD_DATA_SIZE] = {};
char WORD_BUFFER[WORD_BUFFER_SIZE] = {};

std::string GetCellFieldValue(int32_t cell) {
  if (cell < 0 || cell >= SCREEN_CELLS || FIELD_INDEX[cell] < 0) return " ";
  // The copy ends at its NUL: an offset at or past it names no value.
  const std::size_t length = strnlen(FIELD_DATA, FIELD_DATA_SIZE - 1);
  const std::size_t from = static_cast<std::size_t>(FIELD_INDEX[cell]);
  if (from >= length) return {};
  const std::string_view rest(FIELD_DATA + from, length - from);
  const std::size_t end = rest.find(FIELD_SEPARATOR);
  if (end == std::string_view::npos) return {};
  std::string_view value = rest.substr(0, end);
  if (LAYOUT_MARKS[cell] == '{') value = value.substr(0, value.find("  "));
  return std::string(value);
}

void ForgetPageValues() {
  std::memset(LAYOUT_MARKS, ' ', sizeof LAYOUT_MARKS);
  std::fill(std::begin(FIELD_INDEX), std::end(FIELD_INDEX), -1);
  std::memset(FIELD_DATA, 0, sizeof FIELD_DATA);
}

void KeepCells(const char* text, const char* attributes, int32_t count, int32_t first) {
  if (count <= 0 || first < 0 || first >= SCREEN_CELLS) return;
  const std::size_t n = static_cast<std::size_t>(std::min(count, SCREEN_CELLS - first));
  if (text != SCREEN_TEXT + first) std::memmove(SCREEN_TEXT + first, text, n);
  if (attributes != SCREEN_ATTRIBUTES + first)
    std::memmove(SCREEN_ATTRIBUTES + first, attributes, n);
}
