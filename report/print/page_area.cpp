// The page area of a sheet, the mapping of a page onto its place, and the
// sheet frame.
#include "include/holders.h"
#include "report/print/print_preview_face.h"
#include "report/print/sheet_rendering.h"

const FixedPage* FIXED_PAGE = nullptr;

RECT PreviewSheetRect(HWND window, int32_t pages_per_sheet) {
  RECT client{};
  if (!window || !GetClientRect(window, &client)) client = {};
  const SheetArea area = FitSheetInto(client.right - client.left, client.bottom - client.top,
                                      PreviewSheetSize(pages_per_sheet));
  return {client.left + area.left, client.top + area.top, client.left + area.left + area.width,
          client.top + area.top + area.height};
}

RECT GetPageArea(HWND window, HDC dc) {
  if (FIXED_PAGE) return FIXED_PAGE->area;
  if (OUTPUT_TARGET == 1) {
    // Paper's page area is the printer's printable area, inside the sheet.
    const RECT sheet = PreviewSheetRect(window, PAGES_PER_SHEET);
    const SheetArea area =
        PageAreaOnSheet({sheet.left, sheet.top, sheet.right - sheet.left, sheet.bottom - sheet.top},
                        PreviewSheetSize(PAGES_PER_SHEET), PREVIEW_SHEET_MARGINS);
    return {area.left, area.top, area.left + area.width, area.top + area.height};
  }
  return {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
}

RECT PlaceRect(HWND window, HDC dc, const SheetPlace& place) {
  const RECT area = GetPageArea(window, dc);
  const LONG w = area.right - area.left;
  const LONG h = area.bottom - area.top;
  const LONG left = area.left + (place.right ? w / 2 : 0);
  const LONG top = area.top + (place.bottom ? h / 2 : 0);
  return {left, top, left + (place.half_width ? w / 2 : w), top + (place.half_height ? h / 2 : h)};
}

void SetPageViewport(HWND window, HDC dc, const CELL_SIZE& cell_size, int32_t p) {
  const SheetPlace place = SheetPlaceAt(PAGES_PER_SHEET, p);
  SetBkMode(dc, TRANSPARENT);
  const RECT grid = {0, 0, place.columns * cell_size.width, place.rows * cell_size.height};
  MapRectOnto(dc, grid, PlaceRect(window, dc, place), MM_ANISOTROPIC);
}

void MapPageAreaAsItIs(HWND window, HDC dc) {
  const RECT area = GetPageArea(window, dc);
  MapRectOnto(dc, area, area, MM_ANISOTROPIC);
}

void DrawSheetFrame(HWND window, HDC dc, int32_t pages_per_sheet) {
  SetBkMode(dc, TRANSPARENT);
  MapPageAreaAsItIs(window, dc);
  SheetFrameCells frame{};
  if (!SheetFrameAt(pages_per_sheet, &frame)) return;
  // The sheet's grid of cells over the whole page area, in the area's own
  // units (a metafile keeps a box's far sides one unit short, which must
  // not be a cell).
  const RECT area = GetPageArea(window, dc);
  const double c = double(area.right - area.left) / frame.columns;
  const double d = double(area.bottom - area.top) / frame.rows;
  const auto x = [&](int32_t column) { return area.left + static_cast<int32_t>(column * c); };
  const auto y = [&](int32_t row) { return area.top + static_cast<int32_t>(row * d); };
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  SelectedObject selected(dc, pen.get());
  SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, x(frame.left), y(frame.top), x(frame.right), y(frame.bottom));
  MoveToEx(dc, x(frame.middle_x), y(frame.top), nullptr);
  LineTo(dc, x(frame.middle_x), y(frame.bottom));
  if (frame.middle_y > 0) {
    MoveToEx(dc, x(frame.left), y(frame.middle_y), nullptr);
    LineTo(dc, x(frame.right), y(frame.middle_y));
  }
}

PlaceClip::PlaceClip(HWND window, HDC dc, const SheetPlace& place) : page_(dc) {
  MapPageAreaAsItIs(window, dc);
  const RECT r = PlaceRect(window, dc, place);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
}
