// A preview sheet: its stored pages drawn on their places.
#include <cstring>

#include "print_preview.h"
#include "sheet_rendering.h"

void CreatePreviewFonts(HDC dc, CELL_SIZE* cell_size) { CreatePrintFonts(dc, cell_size); }

void DrawPreviewPage(HDC dc, HWND window, int32_t q, int32_t n) {
  // Every page measures its cell in the context's own units, not in the
  // mapping the page before it left behind.
  SetMapMode(dc, MM_TEXT);
  CreatePreviewFonts(dc, &PREVIEW_CELL_SIZE);
  const SheetPlace place = PreviewSheetPlace(PAGES_PER_SHEET, q);
  SetPageOffset(place);
  if (place.frame_first) DrawSheetFrame(window, dc, PAGES_PER_SHEET);
  // In the preview the pictures lie under the text and lines.
  DrawPagePictures(window, dc, PREVIEW_CELL_SIZE, q, n);
  SetPageViewport(window, dc, PREVIEW_CELL_SIZE, q);
  DrawPageBody(dc, n, PREVIEW_CELL_SIZE);
}

void DrawPreviewSheet(HDC dc, HWND window, int32_t sheet) {
  const int64_t per = PAGES_PER_SHEET == 2 || PAGES_PER_SHEET == 4 ? PAGES_PER_SHEET : 1;
  if (sheet < 0) return;
  for (int64_t j = 0; j < per; ++j) {
    const int64_t q = sheet * per + j;
    if (q >= static_cast<int64_t>(PREVIEW_PAGES.size())) return;
    const PREVIEW_PAGE& record = PREVIEW_PAGES[static_cast<std::size_t>(q)];
    const int32_t n = ClampPageLines(record.line_count);
    if (n == 0 || !record.data) continue;
    const std::size_t rows = static_cast<std::size_t>(n) * ROW_CELLS;
    EmptyPage();
    std::memcpy(PAGE_TEXT, record.data, rows);
    std::memcpy(PAGE_MARKS, record.data + rows, rows);
    PAGE_PICTURES.count = record.picture_count;
    for (int32_t i = 0; i < record.picture_count && i < PAGE_PICTURE_CAPACITY; ++i) {
      PagePicture& entry = PAGE_PICTURES.entries[i];
      std::memcpy(entry.reference, record.data + 2 * rows + i * PICTURE_REFERENCE_SIZE,
                  PICTURE_REFERENCE_SIZE);
      entry.reference[PICTURE_REFERENCE_SIZE - 1] = '\0';
      entry.row = record.picture_rows[i];
      entry.drawing_number = record.drawing_numbers[i];
    }
    DrawPreviewPage(dc, window, static_cast<int32_t>(q + 1), n);
  }
}
