// The page buffers shared by printing and preview, and the places of a page
// on its sheet.
#include "page_buffers.h"

#include <algorithm>
#include <cstring>

char PAGE_TEXT[PAGE_ROWS][ROW_CELLS];
char PAGE_MARKS[PAGE_ROWS][ROW_CELLS];
PagePictures PAGE_PICTURES;
int32_t PAGES_PER_SHEET = 1;
int32_t PRINT_FONT_MODE = 0;
char PRINT_FONT_FACE[20] = "Arial";
int32_t PRINT_COLUMNS = 80;
int32_t OUTPUT_TARGET = 0;
PageOffset PAGE_OFFSET;

void SetPrintFontMode(int32_t mode) {
  PRINT_FONT_MODE = mode;
  if (mode == 0) std::strcpy(PRINT_FONT_FACE, "Arial");
  if (mode == 1) std::strcpy(PRINT_FONT_FACE, "Courier New");
  if (mode == 0 || mode == 1) PRINT_COLUMNS = 80;
}

void EmptyPage() {
  std::memset(PAGE_TEXT, ' ', sizeof PAGE_TEXT);
  std::memset(PAGE_MARKS, ' ', sizeof PAGE_MARKS);
  PAGE_PICTURES = {};
}

int32_t ClampPageLines(int32_t lines) { return std::clamp(lines, 0, PAGE_PRINTED_ROWS); }

namespace {

// The quarter of a sheet that page position p takes: 0 top left, 1 top
// right, 2 bottom left, 3 bottom right.
int32_t Quarter(int32_t p) { return ((p - 1) % 4 + 4) % 4; }

SheetPlace Place(int32_t pages_per_sheet, int32_t p, int32_t left_column) {
  if (pages_per_sheet == 2) {
    const bool right = p % 2 == 0;
    return {right ? 4 : left_column, 3, right, false, true, false, !right};
  }
  if (pages_per_sheet == 4) {
    const int32_t quarter = Quarter(p);
    const bool right = quarter % 2 == 1;
    const bool bottom = quarter >= 2;
    return {right ? 4 : left_column, bottom ? 2 : 3, right, bottom, true, true, quarter == 0};
  }
  return {0, 0, false, false, false, false, false};
}

}  // namespace

SheetPlace PrintSheetPlace(int32_t pages_per_sheet, int32_t p) {
  return Place(pages_per_sheet, p, pages_per_sheet == 4 ? 7 : 5);
}

SheetPlace PreviewSheetPlace(int32_t pages_per_sheet, int32_t q) {
  return Place(pages_per_sheet, q, pages_per_sheet == 4 ? 8 : 6);
}

void SetPageOffset(const SheetPlace& place) {
  PAGE_OFFSET = {place.column_offset, place.row_offset};
}

void SheetCellToPoint(int32_t cell, int32_t* x, int32_t* y, const CELL_SIZE& cell_size) {
  *x = (cell % ROW_CELLS + PAGE_OFFSET.column) * cell_size.width;
  *y = (cell / ROW_CELLS + PAGE_OFFSET.row) * cell_size.height;
}
