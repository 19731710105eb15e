// The field values of a page merged into its template at the value marks.
#include <algorithm>
#include <cstring>

#include "report/pages/report_pages_face.h"
#include "report/screen/form_fields_face.h"
#include "report/screen/screen_cells_face.h"

namespace {

bool TakesValue(char mark) { return mark == '`' || mark == '{' || mark == '}' || mark == '~'; }

// Where the value of a mark starts, its length l given: from the mark ('{'),
// ending at it ('}'), or centred on it ('~' and the backquote).
int64_t ValueStart(char mark, int64_t cell, int64_t length) {
  switch (mark) {
    case '{':
      return cell;
    case '}':
      return cell - length + 1;
    default:
      return cell - length / 2;
  }
}

// The cell of the "[[" that opens the picker group found from a '[' at cell,
// as the group search takes it.
int32_t PickGroupOpening(const char* page, int32_t cell) {
  const int32_t row_start = cell - cell % PAGE_COLUMNS;
  const int32_t row_end = row_start + PAGE_COLUMNS;
  if (cell + 1 < row_end && page[cell + 1] == '[') return cell;
  if (cell > row_start && page[cell - 1] == '[') return cell - 1;
  for (int32_t at = cell - 1; at > row_start; --at)
    if (page[at] == '[' && page[at - 1] == '[') return at - 1;
  return cell;
}

}  // namespace

void MergeFieldData(char* merged_page, char* template_page, char* field_data,
                    int64_t field_data_len) {
  std::fill(FIELD_INDEX, FIELD_INDEX + SCREEN_CELLS, -1);
  const std::optional<std::size_t> list = TakeFieldList(field_data, field_data_len);
  const std::size_t list_length = list.value_or(0);
  if (list_length > 0) std::memcpy(FIELD_DATA, field_data, list_length);
  FIELD_DATA[list_length] = '\0';

  char marks[PAGE_CELLS];
  std::memcpy(marks, template_page, PAGE_CELLS);
  std::memcpy(merged_page, template_page, PAGE_CELLS);
  for (int32_t j = 0; j < PAGE_CELLS; ++j) {
    switch (marks[j]) {
      case '\0':
        template_page[j] = ' ';
        break;
      case '#':
      case '@':
        break;
      // A mark's cell keeps the template's character beside it, so that a
      // control column or a line stays whole; at the page's edges a blank.
      case '{':
        template_page[j] = j + 1 < PAGE_CELLS ? template_page[j + 1] : ' ';
        break;
      case '}':
        template_page[j] = j > 0 ? template_page[j - 1] : ' ';
        break;
      case '`':
        template_page[j] = '#';
        break;
      case '~':
        template_page[j] = ' ';
        break;
      default:
        continue;
    }
    merged_page[j] = ' ';
  }

  std::size_t at = list ? 0 : list_length + 1;
  for (int32_t k = 0; k < PAGE_CELLS && at <= list_length; ++k) {
    if (!TakesValue(marks[k])) continue;
    const char* value = field_data + at;
    const std::size_t length =
        std::find(value, static_cast<const char*>(field_data + list_length), VALUE_END) - value;
    if (length > 0) {
      // A value stays within columns 1-79 of its mark's row: column 80 is the
      // line's control character, and the row beside it another line.
      const int64_t row_start = k - k % PAGE_COLUMNS;
      const int64_t start = ValueStart(marks[k], k, static_cast<int64_t>(length));
      for (std::size_t i = 0; i < length; ++i) {
        const int64_t cell = start + static_cast<int64_t>(i);
        if (cell >= row_start && cell < row_start + PAGE_COLUMNS - 1) merged_page[cell] = value[i];
      }
      FIELD_INDEX[k] = static_cast<int32_t>(at);
    }
    at += length + 1;
  }

  for (int32_t p = 0; p < PAGE_CELLS; ++p) {
    if (merged_page[p] != '[') continue;
    int32_t field_number = 0;
    char name[PICK_NAME_SIZE];
    const int32_t length = FindPickGroup(p, merged_page, &field_number, name);
    if (length <= 0) continue;
    const int32_t start = PickGroupOpening(merged_page, p);
    const int32_t end = std::min(start + length, start - start % PAGE_COLUMNS + PAGE_COLUMNS);
    std::fill(merged_page + start, merged_page + end, ' ');
    p = end - 1;
  }

  for (int32_t line = 0; line < PAGE_LINES; ++line) {
    const int32_t control = line * PAGE_COLUMNS + PAGE_COLUMNS - 1;
    template_page[control] = merged_page[control];
  }
}
