// The clipboard's picture pasted as a receiver pastes it, onto the whole of
// a bitmap: a metafile picture by its mapping mode, an enhanced metafile
// (which the clipboard makes of it) into the bitmap's rectangle.
#pragma once

#include <windows.h>

#include "tests/print/dib_canvas.h"

inline bool PastePicture(UINT format, const DibCanvas& into) {
  if (!OpenClipboard(nullptr)) return false;
  bool pasted = false;
  if (format == CF_METAFILEPICT) {
    HANDLE block = GetClipboardData(CF_METAFILEPICT);
    if (auto* picture = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr) {
      SetMapMode(into.dc(), picture->mm);
      SetViewportExtEx(into.dc(), into.width(), into.height(), nullptr);
      pasted = PlayMetaFile(into.dc(), picture->hMF) != FALSE;
      SetMapMode(into.dc(), MM_TEXT);
      GlobalUnlock(block);
    }
  } else if (HANDLE emf = GetClipboardData(CF_ENHMETAFILE)) {
    const RECT whole = {0, 0, into.width(), into.height()};
    pasted = PlayEnhMetaFile(into.dc(), static_cast<HENHMETAFILE>(emf), &whole) != FALSE;
  }
  CloseClipboard();
  return pasted;
}
