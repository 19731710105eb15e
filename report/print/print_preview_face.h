// The print preview: the report file read once into page records held in
// movable global memory, then shown sheet by sheet as it would be printed
// (one, two or four pages a sheet) in the caller's window, or put on the
// clipboard as a metafile picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "include/holders.h"
#include "report/print/page_buffers.h"

// One report page of the last load. A line count of 0 is an empty page (a
// filler before a sheet break), without a block. The block holds n * 80
// bytes of text, n * 80 of marks, then count references of
// PICTURE_REFERENCE_SIZE bytes; it stays locked while it is held.
struct PREVIEW_PAGE {
  int32_t line_count = 0;
  int32_t picture_count = 0;
  int32_t drawing_numbers[PAGE_PICTURE_CAPACITY] = {};
  int32_t picture_rows[PAGE_PICTURE_CAPACITY] = {};
  GlobalMemory block;
  char* data = nullptr;
};
// Record q holds report page q + 1; the table grows with the report.
extern std::vector<PREVIEW_PAGE> PREVIEW_PAGES;
// Sheets of the last load; the showing window pages through 0 to count - 1.
extern int32_t PREVIEW_SHEET_COUNT;
// The sheet the window shows; a load sets it to 0.
extern int32_t PREVIEW_CURRENT_SHEET;
// The preview's own cell and its own count of ".ZFD" picture lines.
extern CELL_SIZE PREVIEW_CELL_SIZE;
extern int32_t PREVIEW_CONTAINER_PICTURE_COUNT;
// The pages a sheet and the font mode the last load read the report in;
// its sheets are drawn in them, whatever printing has set since.
extern int32_t PREVIEW_PAGES_PER_SHEET;
extern int32_t PREVIEW_FONT_MODE;
// Where the page area lies on the load's sheets, as paper has it: the
// default printer's printable area at the load's pages a sheet.
extern SheetMargins PREVIEW_SHEET_MARGINS;

// While a print job runs the page buffers, the fonts and the page area are
// the job's: every request below then does nothing and answers so (0, or
// -1 for LoadPreviewFile), and the earlier preview is kept.

// Loads the report with the pages a sheet of "Print Format"; answers 1 when
// pages were loaded (OUTPUT_TARGET 1, sheet 0), else 0 with the earlier
// preview kept.
int32_t OpenPreview(HWND window, const void* unused, const char* path);
// The same at one page a sheet, without a window; answers 0, or -1.
int32_t LoadPreviewFile(const char* path);
// Paints the sheet into the window's client area; answers ReleaseDC's result.
int32_t PaintPreviewWindow(const void* unused, HWND window, int32_t sheet);
// Paints the sheet as PaintPreviewWindow does, into a context of the
// window's client size (the window's own, or a bitmap standing in for it):
// the client area white and framed, the sheet of paper outlined in it, its
// pages on their places. Answers 1, or 0 when nothing was painted.
int32_t PaintPreviewInto(HDC dc, HWND window, int32_t sheet);
// Puts the sheet on the clipboard as a metafile picture; answers 1 when it
// is there. A clipboard that will not open, or a picture that cannot be
// recorded, leaves the clipboard as it was. The picture is the sheet of
// paper (PreviewSheetSize, in hundredths of a millimetre), its pages in the
// page area as printed, mapped with window records alone, so a receiver
// shows it whole in any rectangle.
int32_t CopyPreviewToClipboard(HWND window, int32_t sheet);

// Reads the report into PREVIEW_PAGES, in the font mode printing reads it,
// and asks where the default printer's page area lies on the sheet; "File
// not found" (parent the window) when it cannot be opened. Answers 1 when
// pages were stored.
int32_t LoadPreviewPages(HWND window, const char* path);
// Stores a page of n rows (0: an empty page) with its pictures; answers 1,
// or 0 with "Not enough memory to alloacte" when no block can be had.
int32_t StorePreviewPage(PREVIEW_PAGE* record, const char* text, const char* marks,
                         const PagePicture* pictures, int32_t n, int32_t count);
// Draws the sheet's stored pages in the load's pages a sheet and font mode;
// pages that were not stored draw nothing. Answers 1, or 0 while a print
// job runs.
int32_t DrawPreviewSheet(HDC dc, HWND window, int32_t sheet);
// Draws the page buffers as previewed page q (from 1) of n rows: its
// pictures first, its text and lines over them.
void DrawPreviewPage(HDC dc, HWND window, int32_t q, int32_t n);
void CreatePreviewFonts(HDC dc, CELL_SIZE* cell_size);
