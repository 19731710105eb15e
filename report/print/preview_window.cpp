// Opening a preview and painting its sheets into the showing window.
#include "print_preview.h"
#include "report_printing.h"

namespace {

// A load that stores nothing leaves the pages a sheet of the earlier one,
// whose sheets are laid out for them.
int32_t Load(HWND window, const char* path, int32_t pages_per_sheet) {
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

int32_t PaintPreviewWindow(const void*, HWND window, int32_t sheet) {
  WindowDc dc(window);
  if (!dc.get()) return 0;
  RECT client{};
  GetClientRect(window, &client);
  UniqueGdiObject region(CreateRectRgnIndirect(&client));
  SelectClipRgn(dc.get(), static_cast<HRGN>(region.get()));
  FillRgn(dc.get(), static_cast<HRGN>(region.get()),
          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Rectangle(dc.get(), client.left, client.top, client.right, client.bottom);
  DrawPreviewSheet(dc.get(), window, sheet);
  return dc.release();
}
