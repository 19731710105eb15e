// The fonts and client size that the window's owner hands over, and the
// cell grid they make.
#include "screen.h"

void SetScreenMetrics(const ScreenMetrics& metrics) {
  SCREEN_METRICS = metrics;
  SCREEN_FONT_TRACKER = {nullptr, ScreenFont::kNone};
}

ScreenGrid GetScreenGrid() { return {SCREEN_METRICS.width, SCREEN_METRICS.height}; }

void CellToPoint(int32_t cell, POINT* point) {
  const ScreenGrid grid = GetScreenGrid();
  point->x = grid.x(cell);
  point->y = grid.y(cell);
}

void PointToCell(POINT point, int32_t* cell) { *cell = GetScreenGrid().cell_at(point.x, point.y); }
