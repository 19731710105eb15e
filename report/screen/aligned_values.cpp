// The stretch of a page text that forms the value at a layout mark or before
// a column of '=' signs. Every walk stays in the cell's row and in the text.
#include <algorithm>

#include "report/screen/line_characters_face.h"

namespace {

bool IsBlank(const CellText& text, int32_t cell) { return text.at(cell) == ' '; }

bool IsOperator(int32_t c) {
  return c == '*' || c == '+' || c == '-' || c == '.' || c == '/' || c == '^';
}

// The row's first cell that the text holds.
int32_t FirstCellInRow(const CellText& text, int32_t cell) {
  return std::max(RowStart(cell), text.first);
}

}  // namespace

int32_t FindSegmentEnd(const CellText& text, const CellText& marks, int32_t cell) {
  if (cell < 0 || !text.holds(cell)) return cell;
  int32_t result = cell;
  if (ColumnOf(cell) != ROW_CELLS - 1) {
    int32_t last_single_blank = cell + 1;
    for (int32_t i = cell + 1;; ++i) {
      // Column 80 holds the row's control character, never a value.
      if (ColumnOf(i) == ROW_CELLS - 1 || !text.holds(i) || IsLineCharacter(text, i) ||
          marks.at(i) == '{' || (IsBlank(text, i) && IsBlank(text, i + 1))) {
        result = i - 1;
        break;
      }
      if (marks.at(i) == '}' || marks.at(i) == '~') {
        result = last_single_blank - 1;
        break;
      }
      if (IsBlank(text, i)) last_single_blank = i;
    }
  }
  if (IsBlank(text, result)) --result;
  return result;
}

int32_t FindSegmentStart(const CellText& text, const CellText& marks, int32_t cell) {
  if (cell < 0 || !text.holds(cell)) return cell;
  const bool ends_in_equals = text.at(cell) == '=';
  const int32_t row_first = FirstCellInRow(text, cell);
  int32_t result = cell;
  int32_t leftmost_single_blank = -1;
  auto after_single_blank = [&](int32_t otherwise) {
    return leftmost_single_blank >= 0 ? leftmost_single_blank + 1 : otherwise;
  };
  for (int32_t b = cell - 1; b >= row_first; --b) {
    const int32_t c = text.at(b);
    if (IsLineCharacter(text, b) || marks.at(b) == '}') {
      result = b + 1;
      break;
    }
    if (marks.at(b) == '{' || marks.at(b) == '~') {
      result = after_single_blank(cell);
      break;
    }
    if (b > row_first &&
        ((c == ' ' && text.at(b - 1) == ' ') || (c == '.' && text.at(b - 1) == '.'))) {
      result = b + 1;
      break;
    }
    if (c == ' ') {
      if (ends_in_equals && leftmost_single_blank >= 0) {
        result = b + 1;
        break;
      }
      leftmost_single_blank = b;
      if (b == row_first) result = b + 1;
      continue;
    }
    if (c == '=') {
      result = b + 1;
      break;
    }
    if (b == row_first) {
      result = after_single_blank(b);
      break;
    }
    if (ends_in_equals) {
      // An operator in the word before an '=' makes it a formula, not a label:
      // the value is the '=' alone.
      if (IsOperator(c)) return cell;
      continue;
    }
    result = b;
  }
  if (IsBlank(text, result)) ++result;
  return result;
}

std::string GetAlignedSegment(const CellText& text, const CellText& marks, int32_t cell,
                              int32_t lower_bound) {
  if (cell < 0 || !text.holds(cell)) return {};
  const int32_t mark = text.at(cell) == '=' ? '=' : marks.at(cell);
  int32_t from = cell;
  int32_t to = cell;
  switch (mark) {
    case '{':
      to = FindSegmentEnd(text, marks, cell);
      break;
    case '}':
    case '=':
      from = std::max(FindSegmentStart(text, marks, cell), lower_bound);
      break;
    case '~':
      from = std::max(FindSegmentStart(text, marks, cell), lower_bound);
      to = FindSegmentEnd(text, marks, cell);
      break;
    default:
      return {};
  }
  std::string value;
  for (int32_t i = from; i <= to && text.holds(i); ++i) value += static_cast<char>(text.at(i));
  return value;
}
