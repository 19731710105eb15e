// The fonts and client size that the window's owner hands over, and the
// cell grid they make.
#include "report/screen/screen_face.h"

void SetScreenMetrics(const ScreenMetrics& metrics) {
  SCREEN_METRICS = metrics;
  SCREEN_FONT_TRACKER.font = ScreenFont::kNone;
}

ScreenGrid GetScreenGrid() { return {SCREEN_METRICS.width, SCREEN_METRICS.height}; }

void CellToPoint(int32_t cell, POINT* point) {
  if (point == nullptr) return;
  const ScreenGrid grid = GetScreenGrid();
  const int32_t on_screen = ScreenCellOf(cell);
  point->x = grid.x(on_screen);
  point->y = grid.y(on_screen);
}

void PointToCell(POINT point, int32_t* cell) {
  if (cell != nullptr) *cell = GetScreenGrid().cell_at(point.x, point.y);
}
