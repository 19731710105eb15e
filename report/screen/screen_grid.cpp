// The cell under a point of the screen's client area.
#include <algorithm>

#include "screen_cells.h"

int32_t ScreenGrid::cell_at(int32_t px, int32_t py) const {
  if (cell_width() <= 0 || cell_height() <= 0) return 0;
  const int32_t column = std::clamp((px - width / 160) / cell_width(), 0, ROW_CELLS - 1);
  const int32_t row = std::clamp(py / cell_height(), 0, SCREEN_ROWS - 1);
  return row * ROW_CELLS + column;
}
