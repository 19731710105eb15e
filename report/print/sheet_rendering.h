// A report page drawn on a sheet, for printing and preview: the page of 62
// rows by 80 columns mapped onto the whole sheet, one half or one quarter of
// it; text written segment by segment at its cells in a proportional font,
// values aligned on their marks and dot leaders stretched to the grid; line
// characters drawn as box lines; pictures filling their cells.
#pragma once

#include <windows.h>

#include <cstdint>

#include "include/holders.h"
#include "report/drawing/pictures_face.h"
#include "report/print/page_buffers.h"

// Title font, heading font and text font; each new one replaces (and
// deletes) the one before.
struct PrintFonts {
  HFONT title;
  HFONT heading;
  HFONT text;
};
extern PrintFonts PRINT_FONTS;

// The screen's device context while the preview draws a sheet for the
// clipboard, null otherwise: text that cannot be measured on the drawing
// context is measured on it.
extern HDC PREVIEW_REFERENCE_DC;

// A page of fixed size, for a context that measures nothing (a Windows
// metafile): its page area, its font heights and its cell, in logical units.
struct FixedPage {
  RECT area;
  int32_t title_height;
  int32_t heading_height;
  int32_t text_height;
  CELL_SIZE cell;
};
// The clipboard picture's page: on the sheet of paper in hundredths of a
// millimetre, the page area within the margins as paper has it, its cell
// the place's share of that area (so that a page is drawn at the picture's
// own scale), the fonts 312, 260 and 260 of a cell of 322.
FixedPage ClipboardPage(int32_t pages_per_sheet, const SheetMargins& margins);
// The fixed page in use, or null (at load): then the page area and the cell
// are measured.
extern const FixedPage* FIXED_PAGE;

// Creates the three fonts of PRINT_FONT_FACE and measures the cell.
void CreatePrintFonts(HDC dc, CELL_SIZE* cell_size);
// Deletes the three fonts; the next print or preview creates them anew.
void DeletePrintFonts();

// The page area: the device's (OUTPUT_TARGET 0), the page area of the
// sheet of paper laid into the window's client area (1: within the sheet's
// margins, PREVIEW_SHEET_MARGINS, as paper has it), or the fixed page's.
RECT GetPageArea(HWND window, HDC dc);
// The sheet of paper laid into the window's client area, in its
// proportions at that many pages a sheet, centred with a margin.
RECT PreviewSheetRect(HWND window, int32_t pages_per_sheet);
// The part of the page area that a place takes.
RECT PlaceRect(HWND window, HDC dc, const SheetPlace& place);
// Maps the page grid onto place p of the sheet.
void SetPageViewport(HWND window, HDC dc, const CELL_SIZE& cell_size, int32_t p);
// Maps the page area onto itself: logical units are the device's.
void MapPageAreaAsItIs(HWND window, HDC dc);
// While it lives, nothing drawn on the context reaches beyond the place's
// part of the page area, and the mappings set meanwhile end with it: the
// context is put back as it was, whatever levels were saved or restored on
// it meanwhile.
class PlaceClip {
 public:
  PlaceClip(HWND window, HDC dc, const SheetPlace& place);
  PlaceClip(const PlaceClip&) = delete;
  PlaceClip& operator=(const PlaceClip&) = delete;

 private:
  SavedDcState page_;
};
// The frame of a sheet of two or four pages around the places of its pages
// (SheetFrameAt); nothing for other counts. The page area is mapped as it
// is afterwards.
void DrawSheetFrame(HWND window, HDC dc, int32_t pages_per_sheet);

// The first n rows (0 to 61) of the page buffers: text, then lines, in the
// text font and a black pen.
void DrawPageBody(HDC dc, int32_t n, const CELL_SIZE& cell_size);
void DrawSheetText(HDC dc, int32_t n, const CELL_SIZE& cell_size);
// Writes length characters from text at the page cell first_cell, with the
// dots of its first leader stretched to the cell after it.
void DrawSheetSegment(HDC dc, const char* text, int32_t first_cell, int32_t length,
                      const CELL_SIZE& cell_size);
void DrawSheetLines(HDC dc, int32_t n, const CELL_SIZE& cell_size);

// Draws the picture into its cells at place p; answers what DrawPicture
// answered, 0 when the cell is smaller than one unit.
int32_t DrawPictureInCells(PICTURE_RECORD* picture, HWND window, HDC dc, const CELL_SIZE& cell_size,
                           int32_t p);
// Loads, draws and frees each picture of PAGE_PICTURES at place p of a page
// of n rows. Its rows are held to the page's: a picture whose rows run past
// row 61 ends there, one that starts there or below is not drawn; a drawing
// that reaches the page's last row is stretched to row 61.
void DrawPagePictures(HWND window, HDC dc, const CELL_SIZE& cell_size, int32_t p, int32_t n);

HDC GetPreviewReferenceDC();
