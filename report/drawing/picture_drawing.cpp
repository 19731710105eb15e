// Pictures drawn into rectangles of a device context: metafiles by their
// kind, drawings fitted to their proportions; and the drawing under a point
// of the screen.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "include/holders.h"
#include "report/drawing/drawing_execution.h"
#include "report/drawing/drawing_fit.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/drawing_numbers.h"
#include "report/drawing/metafile_playing.h"
#include "report/drawing/pictures_face.h"

RECT DRAWING_FIT = {0, 0, 0, 0};
SIZE DRAWING_SIZE = {0, 0};
const PictureRecording* PICTURE_RECORDING = nullptr;

namespace {

int16_t Side(const unsigned char* header, int at) {
  return static_cast<int16_t>(header[at] | header[at + 1] << 8);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The drawing at the recording's own scale, so that no window of the
// drawing's units (thousandths, far beyond 16 bits once the picture maps
// them) is needed: a drawing point lands in the fitted rectangle directly.
void DrawDrawingAtRecordingScale(HDC dc, const LOADED_DRAWING& drawing, const RECT& fit,
                                 const LockedMemory& records, const LockedMemory& texts) {
  const float scale = static_cast<float>(1000.0 * (double(fit.right) - fit.left) / DRAWING_SIZE.cx);
  const SIZE extent = {ClampToInt32(int64_t{fit.right} - fit.left),
                       ClampToInt32(int64_t{fit.bottom} - fit.top)};
  ExecuteDrawing(dc, records.as<DRAWING_RECORD>(), drawing.record_count, texts.as<char>(),
                 drawing.text_size, extent, POINT{fit.left, fit.top}, scale);
}

// A metafile picture recorded as a bitmap of its rectangle: played on a
// white bitmap as on any sheet, then laid over the recording so that its
// white lets through what lies under it.
int32_t DrawMetafileAsBitmap(PICTURE_RECORD* picture, HWND window, HDC dc, const RECT& rect) {
  const PictureRecording* recording = PICTURE_RECORDING;
  const int64_t w = int64_t{rect.right} - rect.left;
  const int64_t h = int64_t{rect.bottom} - rect.top;
  if (w < 1 || h < 1) return 0;
  // At most 2000 dots a side: a picture as large as the sheet at 170 dots an inch.
  const int32_t dots_w =
      static_cast<int32_t>(std::clamp<double>(w * recording->dots_per_unit, 1, 2000));
  const int32_t dots_h =
      static_cast<int32_t>(std::clamp<double>(h * recording->dots_per_unit, 1, 2000));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = dots_w;
  info.bmiHeader.biHeight = dots_h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  UniqueDc memory(CreateCompatibleDC(nullptr));
  void* bits = nullptr;
  UniqueGdiObject bitmap(
      memory.get() ? CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                   : nullptr);
  if (!bitmap || !bits) return 0;
  SelectedObject selected(memory.get(), bitmap.get());
  PatBlt(memory.get(), 0, 0, dots_w, dots_h, WHITENESS);
  // A metafile's frame or box is mapped onto its rectangle's last row and
  // column too: onto the bitmap's, so that a border on the picture's
  // bounds is inside the bitmap.
  RECT dots = {0, 0, dots_w - 1, dots_h - 1};
  int32_t drawn = 0;
  {
    // The mapping the picture set, its own window records' included, ends
    // with it: the bitmap is copied in its own dots.
    const SavedDcState own(memory.get());
    PICTURE_RECORDING = nullptr;
    drawn = DrawPicture(picture, window, memory.get(), &dots);
    PICTURE_RECORDING = recording;
  }
  GdiFlush();
  // Copied from the bitmap's context: a Windows metafile keeps such a copy
  // whole, where it garbles the bits it is handed directly.
  return drawn && StretchBlt(dc, rect.left, rect.top, static_cast<int>(w), static_cast<int>(h),
                             memory.get(), 0, 0, dots_w, dots_h, SRCAND)
             ? 1
             : 0;
}

}  // namespace

void MapRectOnto(HDC dc, const RECT& from, const RECT& to, int map_mode) {
  const int64_t from_w = int64_t{from.right} - from.left;
  const int64_t from_h = int64_t{from.bottom} - from.top;
  const int64_t to_w = int64_t{to.right} - to.left;
  const int64_t to_h = int64_t{to.bottom} - to.top;
  if (const PictureRecording* recording = PICTURE_RECORDING) {
    if (from_w == 0 || from_h == 0 || to_w == 0 || to_h == 0) return;
    // The receiver shows the window's extent across its whole rectangle.
    const double sx = double(from_w) / to_w;
    const double sy = double(from_h) / to_h;
    SetWindowOrgEx(dc, TruncateToInt32(std::round(from.left - to.left * sx)),
                   TruncateToInt32(std::round(from.top - to.top * sy)), nullptr);
    SetWindowExtEx(dc, TruncateToInt32(std::round(recording->extent.cx * sx)),
                   TruncateToInt32(std::round(recording->extent.cy * sy)), nullptr);
    return;
  }
  SetMapMode(dc, map_mode);
  SetWindowOrgEx(dc, from.left, from.top, nullptr);
  SetWindowExtEx(dc, ClampToInt32(from_w), ClampToInt32(from_h), nullptr);
  SetViewportOrgEx(dc, to.left, to.top, nullptr);
  SetViewportExtEx(dc, ClampToInt32(to_w), ClampToInt32(to_h), nullptr);
}

void SetPlaceableMapping(HWND, HDC dc, const unsigned char* header, const RECT* rect) {
  const int left = Side(header, 6);
  const int top = Side(header, 8);
  const int right = Side(header, 10);
  const int bottom = Side(header, 12);
  const RECT box = {left, top, left + std::abs(right - left), top + std::abs(bottom - top)};
  MapRectOnto(dc, box, *rect, MM_ANISOTROPIC);
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
  if (PICTURE_RECORDING) {
    DrawDrawingAtRecordingScale(dc, drawing, fit, records, texts);
    return 1;
  }
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
  const bool sheet = PAGE_PICTURE_FLAG != 0;
  const bool metafile = picture->kind == PICTURE_ENHANCED_METAFILE ||
                        picture->kind == PICTURE_PLACEABLE_METAFILE ||
                        picture->kind == PICTURE_WINDOWS_METAFILE;
  // A metafile's own mapping and viewport, or its coordinates once scaled,
  // do not belong in a picture for the clipboard.
  if (metafile && PICTURE_RECORDING) return DrawMetafileAsBitmap(picture, window, dc, *rect);
  switch (picture->kind) {
    case PICTURE_ENHANCED_METAFILE: {
      // On the screen an enhanced metafile fills the window's client area;
      // on a sheet it fills its cells, whatever window shows the sheet.
      RECT client;
      if (!sheet && window && GetClientRect(window, &client)) *rect = client;
      return PlayEnhancedPicture(dc, static_cast<HENHMETAFILE>(picture->metafile), *rect) ? 1 : 0;
    }
    case PICTURE_PLACEABLE_METAFILE:
      SetPlaceableMapping(window, dc, picture->placeable_header, rect);
      return PlayWindowsPicture(dc, static_cast<HMETAFILE>(picture->metafile)) ? 1 : 0;
    case PICTURE_WINDOWS_METAFILE:
      if (sheet) {
        // Its own coordinates from the rectangle's corner, until the
        // metafile's window records map its window onto the rectangle.
        const RECT own = {0, 0, rect->right - rect->left, rect->bottom - rect->top};
        MapRectOnto(dc, own, *rect, MM_ANISOTROPIC);
      } else {
        SetMapMode(dc, MM_TEXT);
      }
      return PlayWindowsPicture(dc, static_cast<HMETAFILE>(picture->metafile)) ? 1 : 0;
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
