// Picture files made by the picture tests: Windows metafiles with and
// without a placeable header, enhanced metafiles, and drawings.
#pragma once

#include <windows.h>

#include <string>

#include "report/drawing/metafiles_face.h"

// A Windows metafile of one line from (x1, y1) to (x2, y2).
inline std::string LineMetafileBits(int x1, int y1, int x2, int y2) {
  const HDC dc = CreateMetaFileA(nullptr);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  const HMETAFILE wmf = CloseMetaFile(dc);
  const UINT size = GetMetaFileBitsEx(wmf, 0, nullptr);
  std::string bits(size, '\0');
  GetMetaFileBitsEx(wmf, size, bits.data());
  DeleteMetaFile(wmf);
  return bits;
}

inline std::string PlaceableFront(int left, int top, int right, int bottom) {
  unsigned char header[PLACEABLE_HEADER_SIZE];
  MakePlaceableHeader(left, top, right, bottom, header);
  return std::string(reinterpret_cast<const char*>(header), sizeof header);
}

// An enhanced metafile file whose frame a black rectangle fills.
inline bool WriteFilledEmf(const std::string& path) {
  const RECT frame = {0, 0, 1000, 500};  // hundredths of a millimetre
  const HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
  if (!dc) return false;
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  // In the reference device's pixels: far past the frame, so it is all covered.
  Rectangle(dc, -100, -100, 2000, 2000);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  DeleteEnhMetaFile(emf);
  return emf != nullptr;
}
