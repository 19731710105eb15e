// Picture files for the sheet tests: an enhanced metafile whose left half
// is black and right half white, its frame exactly the two, so that what
// shows of it in a rectangle tells where its rectangle was.
#pragma once

#include <windows.h>

#include <string>

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
