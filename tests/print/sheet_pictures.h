// Picture files for the sheet tests: an enhanced metafile whose left half
// is black and right half white, its frame exactly the two, so that what
// shows of it in a rectangle tells where its rectangle was; one that is a
// border along its frame, and what shows of such a border.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

#include "include/holders.h"
#include "report/drawing/metafiles_face.h"

// The frame is the drawing's own bounds, 400 by 200 dots of the screen.
inline bool WriteHalfBlackEmf(const std::string& path) {
  const HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
  if (!dc) return false;
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, 0, 0, 200, 200);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  SelectObject(dc, GetStockObject(WHITE_PEN));
  Rectangle(dc, 200, 0, 400, 200);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  DeleteEnhMetaFile(emf);
  return emf != nullptr;
}

// The middles of the two halves of a picture drawn into the rectangle.
inline POINT BlackHalfMiddle(const RECT& r) {
  return {r.left + (r.right - r.left) / 4, (r.top + r.bottom) / 2};
}
inline POINT WhiteHalfMiddle(const RECT& r) {
  return {r.left + 3 * (r.right - r.left) / 4, (r.top + r.bottom) / 2};
}
// The five by five dots around a point.
inline RECT Around(POINT p) { return {p.x - 2, p.y - 2, p.x + 3, p.y + 3}; }

// An enhanced metafile of nothing but its border: a one-dot line along the
// four sides of its bounds, 400 by 200 dots of the screen, which are its
// frame; so each side of its rectangle, right and bottom included, is a line.
inline bool WriteBorderedEmf(const std::string& path) {
  const HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, nullptr);
  if (!dc) return false;
  SelectObject(dc, GetStockObject(BLACK_PEN));
  const POINT border[] = {{0, 0}, {400, 0}, {400, 200}, {0, 200}, {0, 0}};
  Polyline(dc, border, 5);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  DeleteEnhMetaFile(emf);
  return emf != nullptr;
}

// A placeable metafile of nothing but its border: lines along the four
// sides of its box, 1000 by 500.
inline bool WriteBorderedPlaceableMetafile(const std::string& path) {
  const HDC recording = CreateMetaFileA(nullptr);
  if (!recording) return false;
  MoveToEx(recording, 0, 0, nullptr);
  for (const POINT& p : {POINT{1000, 0}, POINT{1000, 500}, POINT{0, 500}, POINT{0, 0}})
    LineTo(recording, p.x, p.y);
  const UniqueMetafile metafile(CloseMetaFile(recording));
  return WritePlaceableMetafile(metafile.get(), path.c_str(), {0, 0, 1000, 500}) == 1;
}

// A Windows metafile without a placeable header whose window is 100 by 50
// and whose black rectangle reaches far beyond it on every side, so that it
// covers all of the cells it is drawn into; before the rectangle, one
// SaveDC record without its RestoreDC, one RestoreDC without its SaveDC, or
// neither.
enum class UnmatchedLevel { kNone, kSave, kRestore };
inline bool WriteCoveringWindowMetafile(const std::string& path, UnmatchedLevel unmatched) {
  const HDC recording = CreateMetaFileA(nullptr);
  if (!recording) return false;
  SetWindowOrgEx(recording, 0, 0, nullptr);
  SetWindowExtEx(recording, 100, 50, nullptr);
  if (unmatched == UnmatchedLevel::kSave) SaveDC(recording);
  if (unmatched == UnmatchedLevel::kRestore) RestoreDC(recording, -1);
  SelectObject(recording, GetStockObject(BLACK_BRUSH));
  Rectangle(recording, -1000, -1000, 2000, 2000);
  const UniqueMetafile metafile(CloseMetaFile(recording));
  return WriteMetafile(metafile.get(), path.c_str()) == 1;
}

// The ink of a picture with a border, in a rectangle of a bitmap (anything
// with Inked(x, y)): the box around its ink and, for each side of the box
// (left, top, right, bottom), the share of the side's length inked within
// two dots of it and the stroke's thickness at the side's middle.
struct BorderInk {
  RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  double covered[4] = {};
  int thickness[4] = {};
  bool empty() const { return box.left > box.right; }
};

template <class Bitmap>
BorderInk BorderInkIn(const Bitmap& bitmap, const RECT& r) {
  BorderInk ink;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x)
      if (bitmap.Inked(x, y))
        ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y),
                   std::max(ink.box.right, x + 1), std::max(ink.box.bottom, y + 1)};
  if (ink.empty()) return ink;
  const RECT& b = ink.box;
  // Along a side: dot i of its length, d dots in from the side.
  const auto inked = [&](int side, LONG i, LONG d) {
    switch (side) {
      case 0:
        return bitmap.Inked(b.left + d, b.top + i);
      case 1:
        return bitmap.Inked(b.left + i, b.top + d);
      case 2:
        return bitmap.Inked(b.right - 1 - d, b.top + i);
      default:
        return bitmap.Inked(b.left + i, b.bottom - 1 - d);
    }
  };
  for (int side = 0; side < 4; ++side) {
    const LONG length = side % 2 == 0 ? b.bottom - b.top : b.right - b.left;
    int n = 0;
    for (LONG i = 0; i < length; ++i)
      n += inked(side, i, 0) || inked(side, i, 1) || inked(side, i, 2);
    ink.covered[side] = double(n) / length;
    int thick = 0;
    while (thick < length && inked(side, length / 2, thick)) ++thick;
    ink.thickness[side] = thick;
  }
  return ink;
}
