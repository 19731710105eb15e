// Opening a preview and painting its sheets into the showing window.
#include "include/holders.h"
#include "report/print/print_job.h"
#include "report/print/print_preview_face.h"
#include "report/print/report_printing_face.h"
#include "report/print/sheet_rendering.h"

namespace {

// A load that stores nothing leaves the pages a sheet of the earlier one,
// whose sheets are laid out for them.
int32_t Load(HWND window, const char* path, int32_t pages_per_sheet) {
  // The page buffers are the running print job's.
  if (PrintJobRunning()) return 0;
  const int32_t before = PAGES_PER_SHEET;
  PAGES_PER_SHEET = pages_per_sheet;
  if (!LoadPreviewPages(window, path)) {
    PAGES_PER_SHEET = before;
    return 0;
  }
  OUTPUT_TARGET = 1;
  PREVIEW_CURRENT_SHEET = 0;
  return 1;
}

}  // namespace

int32_t OpenPreview(HWND window, const void*, const char* path) {
  return Load(window, path, ReadPrintFormat());
}

int32_t LoadPreviewFile(const char* path) { return Load(nullptr, path, 1) ? 0 : -1; }

int32_t PaintPreviewInto(HDC dc, HWND window, int32_t sheet) {
  if (!dc || PrintJobRunning()) return 0;
  RECT client{};
  GetClientRect(window, &client);
  UniqueGdiObject region(CreateRectRgnIndirect(&client));
  SelectClipRgn(dc, static_cast<HRGN>(region.get()));
  FillRgn(dc, static_cast<HRGN>(region.get()), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
  // The edge of the sheet of paper, in the load's pages a sheet.
  const RECT paper = PreviewSheetRect(window, PREVIEW_PAGES_PER_SHEET);
  {
    UniqueGdiObject edge(CreatePen(PS_SOLID, 1, RGB(160, 160, 160)));
    SelectedObject pen(dc, edge.get());
    SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, paper.left - 1, paper.top - 1, paper.right + 1, paper.bottom + 1);
  }
  return DrawPreviewSheet(dc, window, sheet);
}

int32_t PaintPreviewWindow(const void*, HWND window, int32_t sheet) {
  // Nothing of the window is touched while a job runs: it keeps what it shows.
  if (PrintJobRunning()) return 0;
  WindowDc dc(window);
  if (!dc.get()) return 0;
  PaintPreviewInto(dc.get(), window, sheet);
  return dc.release();
}
