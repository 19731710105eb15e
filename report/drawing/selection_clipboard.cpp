// The selected part of a bitmap put on the clipboard.
#include "report/drawing/metafile_picture_face.h"
#include "report/drawing/pictures_face.h"

SelectionBitmap SELECTION_BITMAP = {nullptr, {0, 0, 0, 0}};

namespace {

// The selected rectangle of the bitmap copied into a metafile recorded in memory.
HMETAFILE RecordSelection(HWND window, LONG width, LONG height) {
  const HDC window_dc = GetDC(window);
  const HDC source = CreateCompatibleDC(window_dc);
  const HGDIOBJ own_bitmap = SelectObject(source, SELECTION_BITMAP.bitmap);
  const HDC recording = CreateMetaFileA(nullptr);
  if (recording)
    BitBlt(recording, 0, 0, width, height, source, SELECTION_BITMAP.rect.left,
           SELECTION_BITMAP.rect.top, SRCCOPY);
  SelectObject(source, own_bitmap);
  DeleteDC(source);
  ReleaseDC(window, window_dc);
  return recording ? CloseMetaFile(recording) : nullptr;
}

}  // namespace

void CopySelectionToClipboard(HWND window, int32_t as_bitmap) {
  if (!SELECTION_BITMAP.bitmap) return;
  // Opened first: when the clipboard will not open, nothing has been made
  // that would have to be thrown away.
  if (!OpenClipboard(window)) return;
  EmptyClipboard();
  if (as_bitmap != 0) {
    if (SetClipboardData(CF_BITMAP, SELECTION_BITMAP.bitmap)) SELECTION_BITMAP.bitmap = nullptr;
    CloseClipboard();
    return;
  }
  const LONG width = SELECTION_BITMAP.rect.right - SELECTION_BITMAP.rect.left;
  const LONG height = SELECTION_BITMAP.rect.bottom - SELECTION_BITMAP.rect.top;
  const HMETAFILE recorded = RecordSelection(window, width, height);
  HandMetafilePictureToClipboard(MakeMetafilePicture(recorded, MM_TEXT, width, height));
  CloseClipboard();
  if (recorded) DeleteMetaFile(recorded);
}
