// Picker groups: "[[" and a field's letter, a name, "]]" on one row of a
// form, naming a value to pick into that field.
#include <cstring>

#include "report/screen/form_fields_face.h"
#include "report/screen/line_characters_face.h"

namespace {

bool PairAt(const char* form, int32_t cell, char bracket) {
  return form[cell] == bracket && form[cell + 1] == bracket;
}

}  // namespace

int32_t FindPickGroup(int32_t cell, const char* form, int32_t* field_number, char* name) {
  if (cell < 0 || cell >= FORM_CELLS) return 0;
  const int32_t row_first = RowStart(cell);
  const int32_t row_last = row_first + ROW_CELLS - 1;
  int32_t open = -1;
  int32_t close = -1;
  if (form[cell] == ']') {
    if (cell < row_last && form[cell + 1] == ']')
      close = cell + 1;
    else if (cell > row_first && form[cell - 1] == ']')
      close = cell;
  }
  if (form[cell] == '[') {
    if (cell < row_last && form[cell + 1] == '[')
      open = cell;
    else if (cell > row_first && form[cell - 1] == '[')
      open = cell - 1;
  }
  if (open < 0) {
    // Pairs left of the cell (and of a closing found at it), nearest first.
    for (int32_t b = close >= 0 ? close - 2 : cell; b > row_first && open < 0; --b) {
      if (PairAt(form, b - 1, ']')) return 0;
      if (PairAt(form, b - 1, '[')) open = b - 1;
    }
    if (open < 0) return 0;
  }
  if (close < 0) {
    for (int32_t b = open + 2 > cell ? open + 2 : cell; b < row_last && close < 0; ++b) {
      if (PairAt(form, b, '[')) return 0;
      if (PairAt(form, b, ']')) close = b + 1;
    }
    if (close < 0) return 0;
  }
  const int32_t inner_first = open + 2;
  const int32_t inner_last = close - 2;
  int32_t letter = inner_first;
  while (letter <= inner_last && form[letter] == ' ') ++letter;
  if (letter <= inner_last) {
    *field_number = static_cast<unsigned char>(form[letter]) - 64;
    int32_t n = 0;
    for (int32_t at = letter + 1; at <= inner_last && form[at] != ' ' && n < PICK_NAME_SIZE - 1;
         ++at)
      name[n++] = form[at];
    name[n] = '\0';
  }
  return close - open + 1;
}
