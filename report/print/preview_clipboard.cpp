// A preview sheet on the clipboard as a metafile picture.
#include "report/drawing/metafile_picture_face.h"
#include "report/print/print_job.h"
#include "report/print/print_preview_face.h"
#include "report/print/sheet_rendering.h"

namespace {

// The dots an inch at which the clipboard picture's text is measured, on
// the screen mapped to the sheet's own size: ten times the screen's, so
// that the advances the picture carries are the font's own widths and not
// widths rounded to a screen's dots, which a receiver drawing the glyphs
// larger would find too narrow for them.
constexpr int32_t kMeasureDotsPerInch = 960;
constexpr int32_t kHimetricPerInch = 2540;
// The metafile pictures of a page go into the picture as bitmaps of 150
// dots an inch.
constexpr double kPictureDotsPerInch = 150;

}  // namespace

FixedPage ClipboardPage(int32_t pages_per_sheet, const SheetMargins& margins) {
  const SheetSize sheet = PreviewSheetSize(pages_per_sheet);
  const SheetArea area = PageAreaOnSheet({0, 0, sheet.width, sheet.height}, sheet, margins);
  const SheetPlace place = SheetPlaceAt(pages_per_sheet, 1);
  const int32_t place_width = place.half_width ? area.width / 2 : area.width;
  const int32_t place_height = place.half_height ? area.height / 2 : area.height;
  // The place's grid at the picture's own scale: whole cells, so the page
  // maps onto its place at almost exactly one unit for one.
  const CELL_SIZE cell = {place_width / place.columns, place_height / place.rows};
  return {{area.left, area.top, area.left + area.width, area.top + area.height},
          cell.height * 312 / 322,
          cell.height * 260 / 322,
          cell.height * 260 / 322,
          cell};
}

int32_t CopyPreviewToClipboard(HWND window, int32_t sheet) {
  if (PrintJobRunning()) return 0;
  const SheetSize size = PreviewSheetSize(PREVIEW_PAGES_PER_SHEET);
  // A metafile measures no text: the screen measures it, mapped to the
  // sheet at its own size.
  ScreenDc screen;
  PREVIEW_REFERENCE_DC = screen.get();
  if (HDC reference = screen.get()) {
    SetMapMode(reference, MM_ANISOTROPIC);
    SetViewportOrgEx(reference, 0, 0, nullptr);
    SetViewportExtEx(reference, size.width * kMeasureDotsPerInch / kHimetricPerInch,
                     size.height * kMeasureDotsPerInch / kHimetricPerInch, nullptr);
    SetWindowOrgEx(reference, 0, 0, nullptr);
    SetWindowExtEx(reference, size.width, size.height, nullptr);
  }
  int32_t copied = 0;
  if (HDC recording = CreateMetaFileA(nullptr)) {
    // The receiver maps this extent onto its rectangle; every mapping of
    // the sheet's pages and pictures is made of window records within it.
    SetWindowOrgEx(recording, 0, 0, nullptr);
    SetWindowExtEx(recording, size.width, size.height, nullptr);
    const FixedPage page = ClipboardPage(PREVIEW_PAGES_PER_SHEET, PREVIEW_SHEET_MARGINS);
    const PictureRecording picture_recording = {{size.width, size.height},
                                                kPictureDotsPerInch / kHimetricPerInch};
    FIXED_PAGE = &page;
    PICTURE_RECORDING = &picture_recording;
    const int32_t drawn = DrawPreviewSheet(recording, window, sheet);
    PICTURE_RECORDING = nullptr;
    FIXED_PAGE = nullptr;
    UniqueMetafile recorded(CloseMetaFile(recording));
    // The picture's size is the sheet's, in hundredths of a millimetre.
    // Made before the clipboard is opened, so that it is held no longer
    // than the hand-over takes.
    const HGLOBAL picture =
        drawn ? MakeMetafilePicture(recorded.get(), MM_ANISOTROPIC, size.width, size.height)
              : nullptr;
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
