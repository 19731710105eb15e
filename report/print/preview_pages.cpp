// The page records of the preview, read from the report file.
#include <algorithm>
#include <cstring>

#include "include/modal_ui.h"
#include "report/print/print_job.h"
#include "report/print/print_preview_face.h"
#include "report/print/report_reader.h"

std::vector<PREVIEW_PAGE> PREVIEW_PAGES;
int32_t PREVIEW_SHEET_COUNT = 0;
int32_t PREVIEW_CURRENT_SHEET = 0;
CELL_SIZE PREVIEW_CELL_SIZE;
int32_t PREVIEW_CONTAINER_PICTURE_COUNT = 0;
int32_t PREVIEW_PAGES_PER_SHEET = 1;
int32_t PREVIEW_FONT_MODE = 0;
SheetMargins PREVIEW_SHEET_MARGINS = NOMINAL_SHEET_MARGINS;

namespace {

int32_t PagesASheet() { return PAGES_PER_SHEET == 2 || PAGES_PER_SHEET == 4 ? PAGES_PER_SHEET : 1; }

void Forget(PREVIEW_PAGE& record) {
  if (record.block) GlobalUnlock(record.block.get());
  record.block.reset();
  record.data = nullptr;
  record.line_count = 0;
  record.picture_count = 0;
}

// Stores each finished page in the next record; a page-break line fills the
// sheet up with empty pages, so that the next page begins a sheet.
class PreviewLoader : public ReportPageSink {
 public:
  bool PageComplete(int32_t lines) override {
    if (!StorePreviewPage(&Record(), &PAGE_TEXT[0][0], &PAGE_MARKS[0][0], PAGE_PICTURES.entries,
                          lines, PAGE_PICTURES.count))
      return false;
    ++stored;
    return true;
  }
  bool PageBreak() override {
    const int32_t per = PagesASheet();
    for (int32_t filler = stored % per ? per - stored % per : 0; filler > 0; --filler) {
      StorePreviewPage(&Record(), nullptr, nullptr, nullptr, 0, 0);
      ++stored;
    }
    return true;
  }
  int32_t stored = 0;

 private:
  PREVIEW_PAGE& Record() {
    if (static_cast<std::size_t>(stored) >= PREVIEW_PAGES.size()) PREVIEW_PAGES.emplace_back();
    return PREVIEW_PAGES[static_cast<std::size_t>(stored)];
  }
};

}  // namespace

int32_t StorePreviewPage(PREVIEW_PAGE* record, const char* text, const char* marks,
                         const PagePicture* pictures, int32_t n, int32_t count) {
  Forget(*record);
  n = ClampPageLines(n);
  count = pictures ? std::clamp(count, 0, PAGE_PICTURE_CAPACITY) : 0;
  if (n == 0 || !text || !marks) return 1;
  const std::size_t size =
      static_cast<std::size_t>(count) * PICTURE_REFERENCE_SIZE + static_cast<std::size_t>(n) * 160;
  GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
  char* data = block ? static_cast<char*>(GlobalLock(block.get())) : nullptr;
  if (!data) {
    ShowMessageBox(nullptr, "Not enough memory to alloacte", "Error", MB_ICONERROR);
    return 0;
  }
  record->line_count = n;
  record->picture_count = count;
  const std::size_t rows = static_cast<std::size_t>(n) * ROW_CELLS;
  std::memcpy(data, text, rows);
  std::memcpy(data + rows, marks, rows);
  for (int32_t i = 0; i < count; ++i) {
    record->picture_rows[i] = pictures[i].row;
    record->drawing_numbers[i] = pictures[i].drawing_number;
    std::memcpy(data + 2 * rows + i * PICTURE_REFERENCE_SIZE, pictures[i].reference,
                PICTURE_REFERENCE_SIZE);
  }
  record->block = std::move(block);
  record->data = data;
  return 1;
}

int32_t LoadPreviewPages(HWND window, const char* path) {
  // As bytes, so that a byte 0x1A does not end the report (GetReportChar).
  UniqueFile report(path ? std::fopen(path, "rb") : nullptr);
  if (!report) {
    ShowMessageBox(window, "File not found", "Error", MB_ICONERROR);
    return 0;
  }
  PreviewLoader loader;
  // The preview reads the report as printing does, in the same font mode,
  // and draws it in that mode.
  const int32_t font_mode = PRINT_FONT_MODE;
  ReportReader reader(path, font_mode, PREVIEW_CONTAINER_PICTURE_COUNT, loader);
  ReadReportFile(report.get(), reader);
  report.reset();
  // Records an earlier, longer load filled are given up.
  for (std::size_t q = static_cast<std::size_t>(loader.stored); q < PREVIEW_PAGES.size(); ++q)
    Forget(PREVIEW_PAGES[q]);
  PREVIEW_PAGES.resize(static_cast<std::size_t>(loader.stored));
  PREVIEW_SHEET_COUNT = loader.stored > 0 ? (loader.stored - 1) / PagesASheet() + 1 : 0;
  PREVIEW_PAGES_PER_SHEET = PagesASheet();
  PREVIEW_FONT_MODE = font_mode;
  PREVIEW_SHEET_MARGINS = DefaultPrinterMargins(PREVIEW_PAGES_PER_SHEET);
  return loader.stored > 0 ? 1 : 0;
}
