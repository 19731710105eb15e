// Pictures drawn into rectangles of a device context: metafiles by their
// kind, drawings fitted to their proportions; and the drawing under a point
// of the screen.
#include <cstdlib>

#include "drawing_execution.h"
#include "drawing_fit.h"
#include "drawing_memory.h"
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
  SetViewportExtEx(dc, SpanOf(rect->left, rect->right), SpanOf(rect->top, rect->bottom), nullptr);
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
    const PictureBox fitted =
        FitToDrawing({rect->left, rect->top, rect->right, rect->bottom}, W, H);
    DRAWING_FIT = RECT{fitted.left, fitted.top, fitted.right, fitted.bottom};
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
  SetWindowExtEx(dc, SpanOf(logical.left, logical.right), SpanOf(logical.top, logical.bottom),
                 nullptr);
  SetViewportOrgEx(dc, fit.left, fit.top, nullptr);
  SetViewportExtEx(dc, SpanOf(fit.left, fit.right), SpanOf(fit.top, fit.bottom), nullptr);
  HRGN region = nullptr;
  if (screen) {
    // The drawing stays within its rectangle, on the context's own background.
    region = CreateRectRgn(fit.left, fit.top, OneBeyond(fit.right), OneBeyond(fit.bottom));
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
