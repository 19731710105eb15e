// The page area of a sheet, the mapping of a page onto its place, and the
// sheet frame.
#include "holders.h"
#include "sheet_rendering.h"

const FixedPage* FIXED_PAGE = nullptr;

void GetPageArea(HWND window, HDC dc, int32_t* width, int32_t* height) {
  if (FIXED_PAGE) {
    *width = FIXED_PAGE->width;
    *height = FIXED_PAGE->height;
  } else if (OUTPUT_TARGET == 1) {
    RECT client{};
    if (!window || !GetClientRect(window, &client)) client = {};
    *width = client.right - client.left;
    *height = client.bottom - client.top;
  } else {
    *width = GetDeviceCaps(dc, HORZRES);
    *height = GetDeviceCaps(dc, VERTRES);
  }
}

void SetPageViewport(HWND window, HDC dc, const CELL_SIZE& cell_size, int32_t p) {
  int32_t w = 0;
  int32_t h = 0;
  GetPageArea(window, dc, &w, &h);
  // The viewport is the same in printing and preview; only the offsets differ.
  const SheetPlace place = PrintSheetPlace(PAGES_PER_SHEET, p);
  SetBkMode(dc, TRANSPARENT);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, PRINT_COLUMNS * cell_size.width, PAGE_ROWS * cell_size.height, nullptr);
  SetViewportOrgEx(dc, place.right ? w / 2 : 0, place.bottom ? h / 2 : 0, nullptr);
  SetViewportExtEx(dc, place.half_width ? w / 2 : w, place.half_height ? h / 2 : h, nullptr);
}

void DrawSheetFrame(HWND window, HDC dc, int32_t pages_per_sheet) {
  SetBkMode(dc, TRANSPARENT);
  int32_t w = 0;
  int32_t h = 0;
  GetPageArea(window, dc, &w, &h);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, w, h, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetViewportExtEx(dc, w, h, nullptr);
  if (pages_per_sheet != 2 && pages_per_sheet != 4) return;
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  SelectedObject selected(dc, pen.get());
  // c is half a column of the whole sheet; the frame's right edge, 166 of
  // 160 half columns, lies beyond the area and is clipped.
  const double c = w / (2.0 * PRINT_COLUMNS);
  const double d = pages_per_sheet == 2 ? h / 62.0 : h / 124.0;
  const int32_t left = static_cast<int32_t>((pages_per_sheet == 2 ? 3 : 5) * c);
  const int32_t right = static_cast<int32_t>((PRINT_COLUMNS + 86) * c);
  const int32_t top = static_cast<int32_t>(2 * d);
  const int32_t bottom = static_cast<int32_t>((pages_per_sheet == 2 ? 61 : 122) * d);
  const int32_t middle = static_cast<int32_t>(PRINT_COLUMNS * c);
  Rectangle(dc, left, top, right, bottom);
  MoveToEx(dc, middle, top, nullptr);
  LineTo(dc, middle, bottom);
  if (pages_per_sheet == 4) {
    MoveToEx(dc, left, h / 2, nullptr);
    LineTo(dc, right, h / 2);
  }
}
