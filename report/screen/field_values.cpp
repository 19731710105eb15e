// A form's field values collected into a field data string, and fields
// filled from one.
#include <cstring>

#include "report/screen/form_fields_face.h"
#include "report/screen/screen_cells_face.h"

namespace {

// Cells 0-1914: up to line 24, column 75.
constexpr int32_t kCollectedCells = 1915;

char ModeLetter(const char* mode, std::size_t index) {
  return mode != nullptr && strnlen(mode, index + 1) > index ? mode[index] : ' ';
}

}  // namespace

int32_t CollectFieldValues(const char* mode, const char* form, const char* screen_text,
                           char* field_data) {
  const char second = ModeLetter(mode, 1);
  if (second == 'N' || second == 'F') return static_cast<unsigned char>(second);
  const char third = ModeLetter(mode, 2);
  const bool upper = third == 'U' || third == 'F';
  int32_t n = 0;
  bool in_field = false;
  for (int32_t cell = 0; cell < kCollectedCells; ++cell) {
    if (IsFieldCell(form[cell])) {
      char c = screen_text[cell] == '\0' ? ' ' : screen_text[cell];
      if (upper) UpperCaseLetter(&c);
      field_data[n++] = c;
      in_field = true;
    } else if (in_field) {
      field_data[n++] = FIELD_SEPARATOR;
      in_field = false;
    }
  }
  // A field that runs up to the last cell collected ends like any other.
  if (in_field) field_data[n++] = FIELD_SEPARATOR;
  field_data[n] = FIELD_DATA_END;
  return n;
}

int32_t FillFieldsFromValues(const char* form, char* screen_text, const char* field_data) {
  int32_t position = 0;
  const char* value = field_data;
  for (;;) {
    const bool at_form_start = position == 0 && IsFieldCell(form[0]);
    const int32_t first = at_form_start ? 0 : FindFieldBoundary(position, form);
    if (!at_form_start && first <= position) return position;
    // A field that wraps past the searched cells has no end after its start.
    const int32_t end = FindFieldBoundary(first, form);
    if (end <= first) return position;
    const char* value_end = value;
    while (*value_end != FIELD_SEPARATOR && *value_end != FIELD_DATA_END && *value_end != '\0')
      ++value_end;
    if (*value_end != FIELD_SEPARATOR) return position;
    const int32_t length = static_cast<int32_t>(value_end - value);
    for (int32_t i = 0; i < end - first; ++i) screen_text[first + i] = i < length ? value[i] : ' ';
    value = value_end + 1;
    position = end;
  }
}
