// The box lines and underlines of a page, and the page body: its text with
// its lines over it.
#include <cstring>

#include "include/holders.h"
#include "report/print/sheet_rendering.h"
#include "report/screen/line_characters_face.h"

namespace {

bool OnLine(int32_t role) {
  return role == LINE_STARTS || role == LINE_PASSES || role == LINE_ENDS;
}

struct Cells {
  const CELL_SIZE& size;
  int32_t x(int32_t cell) const {
    int32_t px = 0;
    int32_t py = 0;
    SheetCellToPoint(cell, &px, &py, size);
    return px;
  }
  int32_t y(int32_t cell) const {
    int32_t px = 0;
    int32_t py = 0;
    SheetCellToPoint(cell, &px, &py, size);
    return py;
  }
};

void Line(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

void DrawSheetLines(HDC dc, int32_t n, const CELL_SIZE& cell_size) {
  if (n < 0) return;
  n = ClampPageLines(n);
  const Cells at{cell_size};
  const int32_t w = cell_size.width;
  const int32_t h = cell_size.height;
  // The row below the last drawn one ends every vertical line.
  std::memset(PAGE_TEXT[n], ' ', ROW_CELLS);
  const CellText page{&PAGE_TEXT[0][0], 0, (n + 1) * ROW_CELLS};

  for (int32_t r = 0; r < n; ++r) {
    const int32_t first = r * ROW_CELLS;
    const char control = PAGE_MARKS[r][ROW_CELLS - 1];
    if (control == 'u')
      Line(dc, at.x(first), at.y(first) + h, at.x(first + 79) - w / 2, at.y(first) + h);
    if (control == 'v')
      Line(dc, at.x(first), at.y(first) + h, at.x(first + 60) - w / 2, at.y(first) + h);
  }

  for (int32_t r = 0; r < n; ++r) {
    int32_t g = 0;
    int32_t k = 0;
    int32_t left = 0;
    int32_t right = 0;
    for (int32_t c = 0; c < ROW_CELLS; ++c) {
      const int32_t cell = r * ROW_CELLS + c;
      const int32_t role = ClassifyHorizontalLine(page, cell);
      if (OnLine(role)) {
        if (k++ == 0) g = cell;
        if (role == LINE_STARTS) left = w / 2;
        if (role == LINE_ENDS) right = w / 2;
        continue;
      }
      if (k > 0) Line(dc, at.x(g) + left, at.y(g) + h / 2, at.x(g + k) - right, at.y(g) + h / 2);
      k = left = right = 0;
    }
  }

  for (int32_t c = 0; c < ROW_CELLS - 1; ++c) {
    int32_t g = 0;
    int32_t k = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    for (int32_t r = 0; r <= n; ++r) {
      const int32_t cell = r * ROW_CELLS + c;
      const int32_t role = ClassifyVerticalLine(page, cell);
      if (OnLine(role)) {
        if (k++ == 0) g = cell;
        if (role == LINE_STARTS) top = h / 2;
        if (role == LINE_ENDS) bottom = h / 2;
        continue;
      }
      if (k > 0)
        Line(dc, at.x(g) + w / 2, at.y(g) + top, at.x(g) + w / 2, at.y(g + k * ROW_CELLS) - bottom);
      k = top = bottom = 0;
    }
  }
}

void DrawPageBody(HDC dc, int32_t n, const CELL_SIZE& cell_size) {
  SelectedObject font(dc, PRINT_FONTS.text);
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  SelectedObject selected_pen(dc, pen.get());
  DrawSheetText(dc, n, cell_size);
  DrawSheetLines(dc, n, cell_size);
}
