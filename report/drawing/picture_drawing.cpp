// Pictures drawn into rectangles of a device context: metafiles by their
// kind, drawings fitted to their proportions; and the drawing under a point
// of the screen.
#include <cmath>
#include <cstdlib>

#include "drawing_execution.h"
#include "drawing_memory.h"
#include "drawing_numbers.h"
#include "pictures.h"

RECT DRAWING_FIT = {0, 0, 0, 0};
SIZE DRAWING_SIZE = {0, 0};

namespace {

int16_t Side(const unsigned char* header, int at) {
  return static_cast<int16_t>(header[at] | header[at + 1] << 8);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Narrows the rectangle to the proportions of a drawing W by H, centred in
// the direction it gives up.
void FitToDrawing(RECT& fit, int32_t W, int32_t H) {
  const int64_t w = int64_t{fit.right} - fit.left;
  const int64_t h = int64_t{fit.bottom} - fit.top;
  const double drawing_ratio = double(W) / H;
  const double rect_ratio = double(w) / h;
  double width = double(w);
  double height = double(h);
  if (rect_ratio > drawing_ratio) width = h * drawing_ratio;
  if (drawing_ratio > rect_ratio) height = w / drawing_ratio;
  const int64_t fitted_w = TruncateToInt64(std::ceil(width));
  const int64_t fitted_h = TruncateToInt64(std::ceil(height));
  if (std::llabs(fitted_w - w) > 1) {
    fit.left = ClampToInt32(fit.left + (w - fitted_w) / 2);
    fit.right = ClampToInt32(fit.left + fitted_w);
  } else if (std::llabs(fitted_h - h) > 1) {
    fit.top = ClampToInt32(fit.top + (h - fitted_h) / 2);
    fit.bottom = ClampToInt32(fit.top + fitted_h);
  }
}

}  // namespace

void SetPlaceableMapping(HWND, HDC dc, const unsigned char* header, const RECT* rect) {
  const int left = Side(header, 6);
  const int top = Side(header, 8);
  const int right = Side(header, 10);
  const int bottom = Side(header, 12);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, left, top, nullptr);
  SetWindowExtEx(dc, std::abs(right - left), std::abs(bottom - top), nullptr);
  SetViewportOrgEx(dc, rect->left, rect->top, nullptr);
  SetViewportExtEx(dc, rect->right - rect->left, rect->bottom - rect->top, nullptr);
}

void DrawDrawingUnits(HDC dc, const DRAWING_RECORD* records, int32_t record_count,
                      const char* texts, int32_t text_size) {
  ExecuteDrawing(dc, records, record_count, texts, text_size, DRAWING_SIZE, POINT{0, 0}, 1000.0f);
}

int32_t DrawPictureDrawing(PICTURE_RECORD* picture, HWND, HDC dc, RECT* rect) {
  if (!picture || !rect) return 0;
  LOADED_DRAWING& drawing = picture->drawing;
  if (!drawing.records) return 0;
  // The fitting divides by the drawing's height and the rectangle's.
  const int32_t W = drawing.width;
  const int32_t H = drawing.height;
  if (W <= 0 || H <= 0 || rect->right <= rect->left || rect->bottom <= rect->top) return 0;

  CreateDrawingPens();
  const LockedMemory records(static_cast<HGLOBAL>(drawing.records));
  const LockedMemory texts(static_cast<HGLOBAL>(drawing.texts));
  DRAWING_SIZE = SIZE{W, H};
  if (!SameRect(*rect, DRAWING_FIT)) {
    DRAWING_FIT = *rect;
    FitToDrawing(DRAWING_FIT, W, H);
  }
  const RECT fit = DRAWING_FIT;
  RECT logical = {0, 0, W, H};
  const bool screen = PAGE_PICTURE_FLAG == 0;
  if (screen) {
    picture->screen_rect = fit;
    if (picture->drawing_window.right == 0)
      picture->drawing_window = logical;
    else
      logical = picture->drawing_window;
  }
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowOrgEx(dc, logical.left, logical.top, nullptr);
  SetWindowExtEx(dc, logical.right - logical.left, logical.bottom - logical.top, nullptr);
  SetViewportOrgEx(dc, fit.left, fit.top, nullptr);
  SetViewportExtEx(dc, fit.right - fit.left, fit.bottom - fit.top, nullptr);
  HRGN region = nullptr;
  if (screen) {
    // The drawing stays within its rectangle, on the context's own background.
    region = CreateRectRgn(fit.left, fit.top, fit.right + 1, fit.bottom + 1);
    SelectClipRgn(dc, region);
    const HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, logical.left, logical.top, logical.right, logical.bottom);
    SelectObject(dc, pen);
  }
  DrawDrawingUnits(dc, records.as<DRAWING_RECORD>(), drawing.record_count, texts.as<char>(),
                   drawing.text_size);
  if (region) DeleteObject(region);
  return 1;
}

int32_t DrawPicture(PICTURE_RECORD* picture, HWND window, HDC dc, RECT* rect) {
  if (!picture || !dc || !rect) return 0;
  SetBkMode(dc, TRANSPARENT);
  switch (picture->kind) {
    case PICTURE_ENHANCED_METAFILE: {
      // An enhanced metafile fills the window's client area.
      RECT client;
      if (window && GetClientRect(window, &client)) *rect = client;
      return PlayEnhMetaFile(dc, static_cast<HENHMETAFILE>(picture->metafile), rect) ? 1 : 0;
    }
    case PICTURE_PLACEABLE_METAFILE:
      SetPlaceableMapping(window, dc, picture->placeable_header, rect);
      return PlayMetaFile(dc, static_cast<HMETAFILE>(picture->metafile)) ? 1 : 0;
    case PICTURE_WINDOWS_METAFILE:
      SetMapMode(dc, MM_TEXT);
      return PlayMetaFile(dc, static_cast<HMETAFILE>(picture->metafile)) ? 1 : 0;
    case PICTURE_DRAWING:
      return DrawPictureDrawing(picture, window, dc, rect);
    default:
      return 0;
  }
}

int32_t FindDrawingAtPoint(uint32_t point, int32_t* index) {
  const LONG x = static_cast<LONG>(point & 0xFFFF);
  const LONG y = static_cast<LONG>(point >> 16);
  for (int32_t i = 0; i < PICTURE_LIST.count && i < PICTURE_LIST_CAPACITY; ++i) {
    const PICTURE_RECORD& p = PICTURE_LIST.pictures[i];
    const RECT& r = p.screen_rect;
    if (p.kind == PICTURE_DRAWING && r.left <= x && x <= r.right && r.top <= y && y <= r.bottom) {
      if (index) *index = i;
      return 1;
    }
  }
  return 0;
}
