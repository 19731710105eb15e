// The cell under a point of the screen's client area, and the pixels of a
// cell, in 64 bits so that no point or size near the 32-bit limits overflows.
#include <algorithm>
#include <limits>

#include "report/screen/screen_cells_face.h"

int32_t PixelOf(int64_t position) {
  return static_cast<int32_t>(std::clamp<int64_t>(position, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t ScreenCellOf(int32_t cell) { return std::clamp(cell, 0, SCREEN_CELLS - 1); }

int32_t ScreenGrid::cell_at(int32_t px, int32_t py) const {
  if (cell_width() <= 0 || cell_height() <= 0) return 0;
  const int64_t column =
      std::clamp<int64_t>((int64_t{px} - width / 160) / cell_width(), 0, ROW_CELLS - 1);
  const int64_t row = std::clamp<int64_t>(int64_t{py} / cell_height(), 0, SCREEN_ROWS - 1);
  return static_cast<int32_t>(row * ROW_CELLS + column);
}

int32_t ScreenGrid::caret_top(int32_t cell, int32_t caret_height) const {
  return PixelOf(int64_t{y(cell)} + cell_height() - caret_height);
}
