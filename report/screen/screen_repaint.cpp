// The whole screen painted again, cells cleared to the window's background,
// free text, and the caret.
#include <algorithm>
#include <cstring>

#include "report/drawing/pictures_face.h"
#include "report/screen/screen_face.h"
#include "runenv/run_services_face.h"

namespace {

// The form's rows; the status row below them keeps its own text.
constexpr int32_t kFormCells = STATUS_ROW_CELL;

void ShowCaret() {
  if (CARET_SIZE.width == 0 && CARET_SIZE.height == 0) return;
  DestroyCaret();
  CreateCaret(SCREEN_WINDOW, nullptr, CARET_SIZE.width, CARET_SIZE.height);
  ::ShowCaret(SCREEN_WINDOW);
}

// Adds the cells first to last of one row to the window's update region.
void InvalidateRowCells(const ScreenGrid& grid, int32_t first, int32_t last) {
  RECT cells{grid.x(first), grid.y(first), grid.x(last) + grid.cell_width(),
             grid.y(last) + grid.cell_height()};
  InvalidateRect(SCREEN_WINDOW, &cells, TRUE);
}

}  // namespace

void LoadScreen(const char* text, const char* attributes) {
  if (text == nullptr || attributes == nullptr) return;
  std::memcpy(SCREEN_TEXT, text, kFormCells);
  std::memcpy(SCREEN_ATTRIBUTES, attributes, kFormCells);
  // A form aligns nothing on the marks of the report page shown before it,
  // nor shows that page's values.
  ForgetPageValues();
  RepaintScreen();
}

void RepaintScreen() {
  if (!SCREEN_WINDOW) return;
  if (PICTURES_UNDER_TEXT == 1) PaintPictures();
  PaintAllCells();
  DrawScreenLines(0, SCREEN_ROWS);
  if (PICTURES_UNDER_TEXT != 1) PaintPictures();
  ShowCaret();
}

void RefreshScreen() { RepaintScreen(); }

void ClearCells(int32_t first, int32_t count) {
  if (!SCREEN_WINDOW || count <= 0) return;
  const int32_t from = std::max(first, 0);
  const int32_t to =
      static_cast<int32_t>(std::min<int64_t>(int64_t{first} + count, SCREEN_CELLS)) - 1;
  if (from > to) return;
  // The painting below takes the window's whole update region with it: what
  // was waiting to be painted is given back afterwards, so it still is.
  const UniqueGdiObject waiting(CreateRectRgn(0, 0, 0, 0));
  const int waiting_kind = GetUpdateRgn(SCREEN_WINDOW, static_cast<HRGN>(waiting.get()), FALSE);
  // Row by row, so cells that wrap onto the next row clear only themselves.
  const ScreenGrid grid = GetScreenGrid();
  for (int32_t row_first = from; row_first <= to; row_first = RowStart(row_first) + ROW_CELLS)
    InvalidateRowCells(grid, row_first, std::min(to, RowStart(row_first) + ROW_CELLS - 1));
  {
    // Erasing the background is all the painting these cells get.
    const WindowPaint erase(SCREEN_WINDOW);
  }
  if (waiting_kind != NULLREGION && waiting_kind != ERROR)
    InvalidateRgn(SCREEN_WINDOW, static_cast<HRGN>(waiting.get()), FALSE);
}

void DrawTextAt(int32_t x, int32_t y, const char* text) {
  const WindowDc dc(SCREEN_WINDOW);
  if (!dc.get() || text == nullptr) return;
  const ScreenSelections selections(dc.get());
  SelectScreenFont(dc.get(), ScreenFont::kText);
  WriteScreenText(dc.get(), x, y, text, false);
}

void PlaceCaret(int32_t cell) {
  const ScreenGrid grid = GetScreenGrid();
  const int32_t on_screen = ScreenCellOf(cell);
  SetCaretPos(grid.x(on_screen), grid.caret_top(on_screen, CARET_SIZE.height));
}
