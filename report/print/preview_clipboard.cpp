// A preview sheet on the clipboard as a metafile picture.
#include "metafile_picture.h"
#include "print_preview.h"
#include "sheet_rendering.h"

int32_t CopyPreviewToClipboard(HWND window, int32_t sheet) {
  // A metafile measures no text: the screen measures it, mapped as the
  // picture is to a page of 920 by 1140 pixels.
  ScreenDc screen;
  PREVIEW_REFERENCE_DC = screen.get();
  if (HDC reference = screen.get()) {
    SetMapMode(reference, MM_ANISOTROPIC);
    SetViewportOrgEx(reference, 0, 0, nullptr);
    SetViewportExtEx(reference, 920, 1140, nullptr);
    SetWindowOrgEx(reference, 0, 0, nullptr);
    SetWindowExtEx(reference, CLIPBOARD_PICTURE_WIDTH, CLIPBOARD_PICTURE_HEIGHT, nullptr);
  }
  int32_t copied = 0;
  if (HDC recording = CreateMetaFileA(nullptr)) {
    SetWindowOrgEx(recording, 0, 0, nullptr);
    SetWindowExtEx(recording, CLIPBOARD_PICTURE_WIDTH, CLIPBOARD_PICTURE_HEIGHT, nullptr);
    // The picture is laid out on its own fixed page, whatever the window's size.
    FIXED_PAGE = &CLIPBOARD_PAGE;
    DrawPreviewSheet(recording, window, sheet);
    FIXED_PAGE = nullptr;
    UniqueMetafile drawn(CloseMetaFile(recording));
    // Made before the clipboard is opened, so that it is held no longer
    // than the hand-over takes.
    const HGLOBAL picture = MakeMetafilePicture(drawn.get(), MM_ANISOTROPIC,
                                                CLIPBOARD_PICTURE_WIDTH, CLIPBOARD_PICTURE_HEIGHT);
    if (picture && OpenClipboard(window)) {
      EmptyClipboard();
      copied = HandMetafilePictureToClipboard(picture) ? 1 : 0;
      CloseClipboard();
    } else if (picture) {
      FreeMetafilePicture(picture);
    }
  }
  PREVIEW_REFERENCE_DC = nullptr;
  return copied;
}
