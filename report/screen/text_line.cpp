// A line of free text painted across one row of the screen.
#include <cstring>

#include "report/screen/form_fields_face.h"
#include "report/screen/screen_cells_face.h"

namespace {

constexpr char kTextLineAttribute = 15;

}  // namespace

int32_t PaintTextLine(const char* text, int32_t row, FormPainter& painter) {
  if (row < 0 || row >= SCREEN_ROWS) return 0;
  char line[ROW_CELLS];
  char attributes[ROW_CELLS];
  std::memset(line, ' ', sizeof line);
  std::memset(attributes, kTextLineAttribute, sizeof attributes);
  if (text != nullptr) std::memcpy(line, text, strnlen(text, ROW_CELLS));
  for (char& c : line)
    if (c == '\n') c = ' ';
  painter.PaintCells(line, attributes, ROW_CELLS, row * ROW_CELLS);
  return 0;
}
