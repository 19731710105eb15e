// The pictures of a printed or previewed page, each filling its cells.
#include "holders.h"
#include "sheet_rendering.h"

int32_t DrawPictureInCells(PICTURE_RECORD* picture, HWND window, HDC dc, const CELL_SIZE& cell_size,
                           int32_t p) {
  // A context that measured no cell (a metafile's) has no grid to place on.
  if (!picture || cell_size.width < 1 || cell_size.height < 1) return 0;
  int32_t w = 0;
  int32_t h = 0;
  GetPageArea(window, dc, &w, &h);
  double sx = static_cast<double>(w) / (static_cast<double>(cell_size.width) * PRINT_COLUMNS);
  double sy = static_cast<double>(h) / (static_cast<double>(cell_size.height) * PAGE_ROWS);
  int32_t x_offset = 0;
  int32_t y_offset = 0;
  const SheetPlace place = PrintSheetPlace(PAGES_PER_SHEET, p);
  if (place.half_width) sx /= 2;
  if (place.half_height) sy /= 2;
  if (place.right) x_offset = w / 2;
  if (place.bottom) y_offset = h / 2;
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
  SheetCellToPoint(picture->first_cell, &x1, &y1, cell_size);
  SheetCellToPoint(picture->last_cell, &x2, &y2, cell_size);
  RECT cells{static_cast<LONG>(x1 * sx) + x_offset, static_cast<LONG>(y1 * sy) + y_offset,
             static_cast<LONG>(x2 * sx) + x_offset, static_cast<LONG>(y2 * sy) + y_offset};
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
    // A drawing that reaches the page's last printed row runs on to its foot.
    if (picture.kind == PICTURE_DRAWING && picture.last_cell / ROW_CELLS + 1 >= n)
      picture.last_cell = PAGE_PRINTED_ROWS * ROW_CELLS + picture.last_cell % ROW_CELLS;
    DrawPictureInCells(&picture, window, dc, cell_size, p);
    FreePicture(&picture);
  }
}
