// The attributes a form's lines take from the control characters in their
// column 80.
#include "report/screen/form_fields_face.h"
#include "report/screen/screen_cells_face.h"

namespace {

// The lines of the grey strip: 'X' on one of the first two shades the two
// below it, as 'R' on both of those does.
constexpr int32_t kStripFirstLine = 20;

char LineAttribute(char control, int32_t line) {
  switch (control) {
    case '\'':
    case 'G':
    case 'g':
      return 2;
    case '0':
    case '1':
    case '7':
    case 'W':
    case 'w':
    case 'x':
      return 1;
    case '2':
    case 'R':
    case 'r':
      return 3;
    case '9':
    case 'Y':
    case 'y':
      return 4;
    case 'X':
      return line == kStripFirstLine || line == kStripFirstLine + 1 ? ATTRIBUTE_SHADED : 3;
    case 'u':
    case 'v':
      return control;
    default:
      return 0;
  }
}

bool IsInputCell(char c) { return c == '#' || c == '@' || c == '`'; }

}  // namespace

void MapLineAttributes(char* screen_text, char* form, char* attributes) {
  char control[FORM_LINES];
  for (int32_t line = 0; line < FORM_LINES; ++line)
    control[line] = form[line * ROW_CELLS + ROW_CELLS - 1];
  const bool shaded_strip =
      control[kStripFirstLine] == 'X' || control[kStripFirstLine + 1] == 'X' ||
      (control[kStripFirstLine + 1] == 'R' && control[kStripFirstLine + 2] == 'R');
  for (int32_t line = 0; line < FORM_LINES; ++line) {
    const int32_t first = line * ROW_CELLS;
    screen_text[first + ROW_CELLS - 1] = ' ';
    char attribute = LineAttribute(control[line], line);
    if (shaded_strip && (line == kStripFirstLine + 1 || line == kStripFirstLine + 2))
      attribute = ATTRIBUTE_SHADED;
    const bool hidden = control[line] == 'X';
    for (int32_t cell = first; cell < first + ROW_CELLS; ++cell) {
      if (!IsInputCell(form[cell])) {
        attributes[cell] = attribute;
      } else if (hidden) {
        attributes[cell] = attribute;
        form[cell] = ' ';
      } else {
        attributes[cell] = ATTRIBUTE_FIELD;
      }
    }
  }
}
