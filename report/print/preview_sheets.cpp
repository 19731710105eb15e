// A preview sheet: its stored pages drawn on their places.
#include <cstring>

#include "report/print/print_job.h"
#include "report/print/print_preview_face.h"
#include "report/print/sheet_rendering.h"

namespace {

// The sheet rendering's settings as the preview was loaded, for the time
// one sheet is drawn; printing keeps its own.
class PreviewSettings {
 public:
  PreviewSettings()
      : pages_per_sheet_(PAGES_PER_SHEET),
        output_target_(OUTPUT_TARGET),
        font_mode_(PRINT_FONT_MODE),
        columns_(PRINT_COLUMNS) {
    std::memcpy(face_, PRINT_FONT_FACE, sizeof face_);
    PAGES_PER_SHEET = PREVIEW_PAGES_PER_SHEET;
    OUTPUT_TARGET = 1;
    if (PRINT_FONT_MODE != PREVIEW_FONT_MODE) SetPrintFontMode(PREVIEW_FONT_MODE);
  }
  ~PreviewSettings() {
    PAGES_PER_SHEET = pages_per_sheet_;
    OUTPUT_TARGET = output_target_;
    PRINT_FONT_MODE = font_mode_;
    PRINT_COLUMNS = columns_;
    std::memcpy(PRINT_FONT_FACE, face_, sizeof face_);
  }
  PreviewSettings(const PreviewSettings&) = delete;
  PreviewSettings& operator=(const PreviewSettings&) = delete;

 private:
  int32_t pages_per_sheet_;
  int32_t output_target_;
  int32_t font_mode_;
  int32_t columns_;
  char face_[sizeof PRINT_FONT_FACE];
};

}  // namespace

void CreatePreviewFonts(HDC dc, CELL_SIZE* cell_size) { CreatePrintFonts(dc, cell_size); }

void DrawPreviewPage(HDC dc, HWND window, int32_t q, int32_t n) {
  // Every page measures its cell in the context's own units, not in the
  // mapping the page before it left behind; a fixed page measures nothing.
  if (!FIXED_PAGE) SetMapMode(dc, MM_TEXT);
  CreatePreviewFonts(dc, &PREVIEW_CELL_SIZE);
  const SheetPlace place = SheetPlaceAt(PAGES_PER_SHEET, q);
  SetPageOffset(place);
  if (place.frame_first) DrawSheetFrame(window, dc, PAGES_PER_SHEET);
  const PlaceClip clip(window, dc, place);
  // In the preview the pictures lie under the text and lines.
  DrawPagePictures(window, dc, PREVIEW_CELL_SIZE, q, n);
  SetPageViewport(window, dc, PREVIEW_CELL_SIZE, q);
  DrawPageBody(dc, n, PREVIEW_CELL_SIZE);
}

int32_t DrawPreviewSheet(HDC dc, HWND window, int32_t sheet) {
  if (PrintJobRunning()) return 0;
  const PreviewSettings settings;
  const int64_t per = PAGES_PER_SHEET == 2 || PAGES_PER_SHEET == 4 ? PAGES_PER_SHEET : 1;
  if (sheet < 0) return 1;
  for (int64_t j = 0; j < per; ++j) {
    const int64_t q = sheet * per + j;
    if (q >= static_cast<int64_t>(PREVIEW_PAGES.size())) break;
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
  return 1;
}
