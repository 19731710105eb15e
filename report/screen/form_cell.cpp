// What a selected cell of a form stands for, first rule that applies.
#include <cstring>

#include "report/screen/form_fields_face.h"
#include "report/screen/line_characters_face.h"

namespace {

constexpr int32_t kFormMarkedCells = 1600;  // rows 1-20: values may be picked there
constexpr int32_t kKeyRowsCell = 1840;      // rows 24 on: the page's key labels

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' '; }

char Letter(const char* text, std::size_t index) {
  return text != nullptr && strnlen(text, index + 1) > index ? text[index] : ' ';
}

// Option flags 1-13; a missing flag is off.
char Option(const char* options, int32_t number) {
  const std::size_t n = static_cast<std::size_t>(number);
  return options == nullptr || strnlen(options, n) < n ? 'N' : options[number - 1];
}

int32_t FirstOption(const char* options, char a, char b) {
  for (int32_t number = 1; number <= PAGE_OPTION_COUNT; ++number) {
    const char flag = Option(options, number);
    if (flag == a || flag == b) return number;
  }
  return 0;
}

// The name of the picker group around the cell, cut to its field, into the
// field; blanks after a shorter name.
bool PickGroupName(const char* form, char* text, char* attributes, int32_t cell,
                   FormPainter& painter) {
  int32_t field_number = 0;
  char name[PICK_NAME_SIZE] = {};
  if (FindPickGroup(cell, form, &field_number, name) == 0) return false;
  int32_t first = 0;
  const int32_t length = GetNthField(field_number, form, &first);
  if (length <= 0) return false;
  const int32_t name_length = static_cast<int32_t>(std::strlen(name));
  for (int32_t i = 0; i < length; ++i) text[first + i] = i < name_length ? name[i] : ' ';
  painter.PaintCells(text + first, attributes + first, length, first);
  return true;
}

// The word nearest the cell on its row, picked into the field left of it.
bool PickValue(const char* form, char* text, char* attributes, int32_t cell, FormPainter& painter) {
  if (cell >= kFormMarkedCells) return false;
  int32_t last = -1;
  for (int32_t at = cell - 1; at >= 1; --at)
    if (IsFieldCell(form[at])) {
      last = at;
      break;
    }
  if (last < 0 || last + 1 >= cell) return false;
  int32_t first = last;
  while (first > 0 && IsFieldCell(form[first - 1])) --first;

  const int32_t row_first = RowStart(cell);
  const int32_t row_last = row_first + ROW_CELLS - 1;
  auto counts = [&](int32_t at) { return !IsBlank(text[at]) && text[at] != '*'; };
  int32_t right = -1;
  for (int32_t at = cell; at <= row_last; ++at)
    if (counts(at)) {
      right = at;
      break;
    }
  int32_t left = -1;
  for (int32_t at = cell; at >= row_first; --at)
    if (counts(at)) {
      left = at;
      break;
    }
  int32_t nearest = cell;
  if (left >= 0 && right >= 0)
    nearest = cell - left <= right - cell ? left : right;
  else if (left >= 0)
    nearest = left;
  else if (right >= 0)
    nearest = right;

  // Leftwards over the word; single blanks stay inside it.
  int32_t start = nearest;
  while (start > row_first &&
         (!IsBlank(text[start]) || (!IsBlank(text[start - 1]) && text[start - 1] != '*'))) {
    --start;
    if (start == last) return false;
  }
  if (start == nearest) return false;
  const int32_t word = IsBlank(text[start]) ? start + 1 : start;

  int32_t blank_run = 0;
  for (int32_t at = cell; at >= last; --at) {
    blank_run = IsBlank(text[at]) || text[at] == '\0' ? blank_run + 1 : 0;
    if (blank_run >= ROW_CELLS) return false;
  }

  const int32_t length = last - first + 1;
  // The word's characters up to its first blank or '=', within its row.
  auto word_char = [&](int32_t i) -> char {
    const int32_t at = word + i;
    if (at > row_last || IsBlank(text[at]) || text[at] == '=') return '\0';
    return text[at];
  };
  if (form[first] == '#')
    for (int32_t i = 0; i < length && word_char(i) != '\0'; ++i) {
      const char c = word_char(i);
      if (!(IsDigit(c) || c == '-' || c == '.' || c == 'E' || c == 'e')) return false;
    }
  bool ended = false;
  for (int32_t i = 0; i < length; ++i) {
    if (!ended && word_char(i) == '\0') ended = true;
    text[first + i] = ended ? ' ' : word_char(i);
  }
  for (int32_t at = first; at <= last; ++at)
    painter.PaintFieldCharacter(text[at], attributes[at], at);
  return true;
}

}  // namespace

int32_t HandleFormCell(const char* mode, const char* options, const char* form, char* screen_text,
                       char* attributes, int32_t cell, FormPainter& painter) {
  if (cell < 0 || cell >= FORM_CELLS) return 0;
  if (IsFieldCell(form[cell])) return 0;
  const int32_t key = FindFunctionKeyLabel(form, screen_text, cell);
  if (key > 0 && Option(options, key) != 'N') return key;
  if (screen_text[cell] == '.' && cell > 0 && cell < FORM_CELLS - 1 &&
      !IsDigit(screen_text[cell - 1]) && !IsDigit(screen_text[cell + 1])) {
    if (const int32_t leader = FirstOption(options, 'H', 'F')) return leader;
  }
  if (Letter(mode, 2) == 'C') return 13;
  if (PickGroupName(form, screen_text, attributes, cell, painter)) return -1;
  if (PickValue(form, screen_text, attributes, cell, painter)) return -1;
  if (Option(options, 13) != 'N') return 13;
  if (cell < kKeyRowsCell) {
    if (const int32_t option = FirstOption(options, 'F', 'F')) return option;
  }
  int32_t first_field = 0;
  if (Option(options, 7) != 'N' && GetNthField(1, form, &first_field) > 0 && first_field > cell)
    return 7;
  if (Option(options, 8) == 'N') return 0;
  for (int32_t at = kKeyRowsCell - 1; at >= 0; --at)
    if (IsFieldCell(form[at])) return at < cell && cell < kKeyRowsCell ? 8 : 0;
  return 0;
}
