// The pictures of a printed or previewed page, each filling its cells.
#include <algorithm>
#include <cmath>

#include "include/holders.h"
#include "report/print/sheet_rendering.h"

namespace {

// A picture's rows are held to the page's: one that runs past the page's
// foot ends there. False for one that starts at the foot or below it, of
// which nothing lies on the page.
bool HoldToPageRows(PICTURE_RECORD& picture) {
  constexpr int32_t foot = PAGE_PRINTED_ROWS * ROW_CELLS;
  if (picture.first_cell >= foot) return false;
  if (picture.last_cell >= foot) picture.last_cell = foot + picture.last_cell % ROW_CELLS;
  return true;
}

}  // namespace

int32_t DrawPictureInCells(PICTURE_RECORD* picture, HWND window, HDC dc, const CELL_SIZE& cell_size,
                           int32_t p) {
  // A context that measured no cell (a metafile's) has no grid to place on.
  if (!picture || cell_size.width < 1 || cell_size.height < 1) return 0;
  // The place shows its grid of cells whole: the cells' corners on the page
  // grid, in the page area's own units.
  const SheetPlace place = SheetPlaceAt(PAGES_PER_SHEET, p);
  const RECT to = PlaceRect(window, dc, place);
  const double sx = double(to.right - to.left) / (double(cell_size.width) * place.columns);
  const double sy = double(to.bottom - to.top) / (double(cell_size.height) * place.rows);
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
  SheetCellToPoint(picture->first_cell, &x1, &y1, cell_size);
  SheetCellToPoint(picture->last_cell, &x2, &y2, cell_size);
  RECT cells{to.left + static_cast<LONG>(std::trunc(x1 * sx)),
             to.top + static_cast<LONG>(std::trunc(y1 * sy)),
             to.left + static_cast<LONG>(std::trunc(x2 * sx)),
             to.top + static_cast<LONG>(std::trunc(y2 * sy))};
  // Whatever the picture holds, nothing of it lands outside its cells, and
  // nothing it sets outlasts it: the context is put back as it was, also
  // after a metafile's own SaveDC without its RestoreDC (a metafile's
  // RestoreDC never reaches a level saved before the picture).
  const SavedDcState page(dc);
  MapPageAreaAsItIs(window, dc);
  // The clip lies beyond the cells on every side: a drawing maps its width
  // and height onto the rectangle's right and bottom sides and a metafile
  // its frame or box, so a border on a picture's bounds lands on all four,
  // and a line on a side of a clip is kept or lost as the device rounds it
  // (a clip on the rectangle loses the right and bottom sides, and a printer
  // that turns the sheet sideways the left one). One unit of the device is
  // enough; a picture for the clipboard is played at its receiver's scale,
  // where one of its units is far less than a dot, so there it is half a
  // cell, a dot or more at any size at which the page can be read.
  const LONG beyond_x = PICTURE_RECORDING ? std::max(1, cell_size.width / 2) : 1;
  const LONG beyond_y = PICTURE_RECORDING ? std::max(1, cell_size.height / 2) : 1;
  IntersectClipRect(dc, cells.left - beyond_x, cells.top - beyond_y, cells.right + beyond_x,
                    cells.bottom + beyond_y);
  PAGE_PICTURE_FLAG = 1;
  const int32_t drawn = DrawPicture(picture, window, dc, &cells);
  PAGE_PICTURE_FLAG = 0;
  return drawn;
}

void DrawPagePictures(HWND window, HDC dc, const CELL_SIZE& cell_size, int32_t p, int32_t n) {
  for (int32_t i = 0; i < PAGE_PICTURES.count && i < PAGE_PICTURE_CAPACITY; ++i) {
    const PagePicture& entry = PAGE_PICTURES.entries[i];
    PICTURE_RECORD picture{};
    if (!LoadPictureReference(&picture, entry.reference, entry.row * ROW_CELLS,
                              entry.drawing_number))
      continue;
    if (!HoldToPageRows(picture)) {
      FreePicture(&picture);
      continue;
    }
    // A drawing that reaches the page's last printed row runs on to its foot.
    if (picture.kind == PICTURE_DRAWING && picture.last_cell / ROW_CELLS + 1 >= n)
      picture.last_cell = PAGE_PRINTED_ROWS * ROW_CELLS + picture.last_cell % ROW_CELLS;
    DrawPictureInCells(&picture, window, dc, cell_size, p);
    FreePicture(&picture);
  }
}
