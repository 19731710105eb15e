// The pictures of a printed or previewed page, each filling its cells.
#include <cmath>

#include "include/holders.h"
#include "report/print/sheet_rendering.h"

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
  // its mapping does not outlast it.
  SaveDC(dc);
  MapPageAreaAsItIs(window, dc);
  IntersectClipRect(dc, cells.left, cells.top, cells.right, cells.bottom);
  PAGE_PICTURE_FLAG = 1;
  const int32_t drawn = DrawPicture(picture, window, dc, &cells);
  PAGE_PICTURE_FLAG = 0;
  RestoreDC(dc, -1);
  return drawn;
}

void DrawPagePictures(HWND window, HDC dc, const CELL_SIZE& cell_size, int32_t p, int32_t n) {
  for (int32_t i = 0; i < PAGE_PICTURES.count && i < PAGE_PICTURE_CAPACITY; ++i) {
    const PagePicture& entry = PAGE_PICTURES.entries[i];
    PICTURE_RECORD picture{};
    if (!LoadPictureReference(&picture, entry.reference, entry.row * ROW_CELLS,
                              entry.drawing_number))
      continue;
    // A drawing that reaches the page's last printed row runs on to its foot.
    if (picture.kind == PICTURE_DRAWING && picture.last_cell / ROW_CELLS + 1 >= n)
      picture.last_cell = PAGE_PRINTED_ROWS * ROW_CELLS + picture.last_cell % ROW_CELLS;
    DrawPictureInCells(&picture, window, dc, cell_size, p);
    FreePicture(&picture);
  }
}
