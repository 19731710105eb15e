// The current page's pictures painted on the screen, each on its rectangle of
// cells.
#include <algorithm>

#include "include/holders.h"
#include "report/drawing/pictures_face.h"
#include "report/screen/screen_face.h"
#include "runenv/run_services_face.h"

namespace {

// A picture from column 1 to column 80 spans the client area's whole width
// and its rows' whole height; any other runs from the top-left corner of its
// first cell to that of its last.
RECT PictureRect(const ScreenGrid& grid, int32_t first_cell, int32_t last_cell) {
  if (ColumnOf(first_cell) != 0 || ColumnOf(last_cell) != ROW_CELLS - 1)
    return {grid.x(first_cell), grid.y(first_cell), grid.x(last_cell), grid.y(last_cell)};
  return {0, grid.y(first_cell), grid.width, grid.y(last_cell) + grid.cell_height()};
}

bool OnScreen(int32_t cell) { return cell >= 0 && cell < SCREEN_CELLS; }

}  // namespace

void PaintPictures() {
  if (!SCREEN_WINDOW) return;
  const ScreenGrid grid = GetScreenGrid();
  const int32_t count = std::clamp(PICTURE_LIST.count, 0, PICTURE_LIST_CAPACITY);
  for (int32_t i = 0; i < count; ++i) {
    PICTURE_RECORD& picture = PICTURE_LIST.pictures[i];
    if (!OnScreen(picture.first_cell) || !OnScreen(picture.last_cell)) continue;
    RECT rect = PictureRect(grid, picture.first_cell, picture.last_cell);
    const WindowDc dc(SCREEN_WINDOW);
    if (!dc.get()) continue;
    // The picture's mapping, modes and levels are put back: a window whose
    // class owns its context hands the same one to all of the screen's
    // painting, and to its owner's.
    const SavedDcState unchanged(dc.get());
    DrawPicture(&picture, SCREEN_WINDOW, dc.get(), &rect);
  }
}
