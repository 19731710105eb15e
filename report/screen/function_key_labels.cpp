// Function-key labels on a form: "F3=" (or "F3 =") stands for key 3, read
// leftwards and rightwards from a selected cell on its row.
#include <cstring>

#include "report/screen/form_fields_face.h"
#include "report/screen/line_characters_face.h"

const char* const FUNCTION_KEY_LABELS[12] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                             "F7", "F8", "F9", "F10", "F11", "F12"};

namespace {

struct Label {
  int32_t key = 0;
  int32_t equals = -1;        // the cell of its '='
  bool double_blank = false;  // the scan crossed two blanks before finding it
};

// The key whose label ends just before the '=' (or one blank before it),
// within the row.
int32_t KeyBefore(const char* text, int32_t equals, int32_t row_first) {
  const char* const* labels = FUNCTION_KEY_LABELS;
  int32_t index = 0;
  if (equals - 2 >= row_first && (index = MatchLabel(text + equals - 2, labels, 10, 2)))
    return index;
  if (equals - 3 >= row_first && (index = MatchLabel(text + equals - 3, labels + 9, 3, 3)))
    return 9 + index;
  if (equals - 3 >= row_first && (index = MatchLabel(text + equals - 3, labels, 10, 2)))
    return index;
  if (equals - 4 >= row_first && (index = MatchLabel(text + equals - 4, labels + 9, 3, 3)))
    return 9 + index;
  return 0;
}

// Tests the cell as a label's '=' and keeps the scan's double blanks.
bool Scan(const char* form, const char* text, int32_t cell, int32_t row_first, Label& label) {
  if (text[cell] == ' ' && cell > row_first && text[cell - 1] == ' ') label.double_blank = true;
  if (text[cell] != '=' || IsFieldCell(form[cell])) return false;
  label.key = KeyBefore(text, cell, row_first);
  if (label.key == 0) return false;
  label.equals = cell;
  return true;
}

}  // namespace

int32_t MatchLabel(const char* text, const char* const* labels, int32_t count, int32_t length) {
  for (int32_t i = 0; i < count; ++i)
    if (std::strncmp(text, labels[i], static_cast<std::size_t>(length)) == 0) return i + 1;
  return 0;
}

int32_t FindFunctionKeyLabel(const char* form, const char* screen_text, int32_t cell) {
  if (cell < 0 || cell >= FORM_CELLS) return 0;
  const int32_t row_first = RowStart(cell);
  const int32_t row_last = row_first + ROW_CELLS - 1;
  Label left;
  for (int32_t b = cell; b >= row_first; --b)
    if (Scan(form, screen_text, b, row_first, left)) break;
  Label right;
  for (int32_t b = cell + 1; b <= row_last; ++b)
    if (Scan(form, screen_text, b, row_first, right)) break;
  if (left.key && right.key) {
    if (right.double_blank && !left.double_blank) return left.key;
    if (left.double_blank && !right.double_blank) return right.key;
    return cell - left.equals < right.equals - cell ? left.key : right.key;
  }
  return left.key ? left.key : right.key;
}
