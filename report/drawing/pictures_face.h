// The pictures of a report page: enhanced metafiles, Windows metafiles with or
// without a placeable header, and drawings, each placed on a rectangle of cells
// of the page's 80-column grid; and the flags that say how the screen and the
// printed sheet draw them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "report/drawing/drawing_face.h"

enum PictureKind : int32_t {
  PICTURE_NONE = 0,
  PICTURE_ENHANCED_METAFILE = 1,
  PICTURE_PLACEABLE_METAFILE = 2,
  PICTURE_WINDOWS_METAFILE = 3,
  PICTURE_DRAWING = 4,
};

// One picture. An empty record is all zero.
struct PICTURE_RECORD {
  int32_t kind;         // PictureKind
  int32_t first_cell;   // (row - 1) * 80 + (column - 1) of the top-left cell, plus the load offset
  int32_t last_cell;    // the same of the bottom-right cell
  RECT drawing_window;  // logical units of the drawing, set at its first drawing on the screen
  RECT screen_rect;     // device units where a drawing was last drawn on the screen
  HANDLE metafile;      // HENHMETAFILE (kind 1) or HMETAFILE (kinds 2 and 3)
  unsigned char placeable_header[22];  // kind 2: the file's first 22 bytes
  LOADED_DRAWING drawing;              // kind 4
};

inline constexpr int32_t PICTURE_LIST_CAPACITY = 10;

// The current page's pictures: the first count entries are loaded.
struct PictureList {
  PICTURE_RECORD pictures[PICTURE_LIST_CAPACITY];
  int32_t count;
};
extern PictureList PICTURE_LIST;

// 1 (at load): the screen paints a page's pictures first and its text over
// them; 0: the pictures last.
extern int32_t PICTURES_UNDER_TEXT;
// 1 exactly while a page picture is drawn into its cells on a printed or
// previewed sheet; 0 for the screen.
extern int32_t PAGE_PICTURE_FLAG;

// Frees every loaded picture of PICTURE_LIST; answers the former count.
int32_t FreePictures();
// Releases one picture and clears its record.
void FreePicture(PICTURE_RECORD* picture);
// Fills PICTURE_LIST from the picture references of a template header text.
void LoadPagePictures(const char* text);
// Loads one picture from a reference "NAME c1 r1 c2 r2"; answers 1 or 0.
int32_t LoadPictureReference(PICTURE_RECORD* picture, const char* reference, int32_t cell_offset,
                             int32_t drawing_number);
// Loads a picture file by its extension (EMF, WMF, DQD or ZFD, in either
// case; drawing_number is used by containers only); answers 1 or 0.
int32_t LoadPictureFile(PICTURE_RECORD* picture, const char* path, int32_t drawing_number);
// Draws the picture into the rectangle (device units) of the device context;
// answers 1 when it drew, else 0. On a printed or previewed sheet
// (PAGE_PICTURE_FLAG 1) every kind fills the rectangle: a metafile is played
// into it, a Windows metafile without a placeable header with its own
// window mapped onto it. On the screen an enhanced metafile fills the
// window's client area, which replaces the rectangle (a window that gives
// none keeps it), and a Windows metafile without a placeable header plays
// at its own coordinates. A metafile's RestoreDC records restore only the
// levels it saved itself, as on a context of its own; the levels it leaves
// saved are the caller's to put back with a level saved before it.
int32_t DrawPicture(PICTURE_RECORD* picture, HWND window, HDC dc, RECT* rect);

// A metafile picture being recorded for the clipboard, which its receiver
// plays into a rectangle of its own: the receiver maps the picture's whole
// extent onto that rectangle, so the picture may hold window origin and
// extent records and no mapping mode or viewport of its own, and a
// Windows metafile's coordinates hold 16 bits. While one is recorded,
// mappings are made with window records alone, drawings are drawn at the
// picture's own scale, and metafile pictures go in as bitmaps of
// dots_per_unit dots a logical unit.
struct PictureRecording {
  SIZE extent;
  double dots_per_unit;
};
// The recording in progress, or null: the context maps in device units.
extern const PictureRecording* PICTURE_RECORDING;

// Maps the logical rectangle `from` onto the rectangle `to` of the device
// (or of the recording's extent) in the given mapping mode, anisotropic or
// isotropic.
void MapRectOnto(HDC dc, const RECT& from, const RECT& to, int map_mode);

// The mapping of a placeable metafile's box onto the rectangle.
void SetPlaceableMapping(HWND window, HDC dc, const unsigned char* header, const RECT* rect);

// The rectangle DrawPictureDrawing last fitted to its drawing's proportions,
// and the width and height (thousandths of a drawing unit) of the drawing
// being drawn.
extern RECT DRAWING_FIT;
extern SIZE DRAWING_SIZE;

// Draws a drawing picture into the rectangle narrowed to the drawing's
// proportions; on the screen (PAGE_PICTURE_FLAG 0) it is clipped there, its
// background cleared to the context's brush, and the rectangle kept as the
// picture's screen rectangle. Answers 1 when it drew; 0 for a picture
// without records, a drawing without width or height, or an empty rectangle.
int32_t DrawPictureDrawing(PICTURE_RECORD* picture, HWND window, HDC dc, RECT* rect);
// ExecuteDrawing over DRAWING_SIZE: a drawing point (x, y) lands at logical
// (trunc(1000·x), H − trunc(1000·y)).
void DrawDrawingUnits(HDC dc, const DRAWING_RECORD* records, int32_t record_count,
                      const char* texts, int32_t text_size);

// The loaded drawing picture whose screen rectangle holds the point (x in
// the low, y in the high 16 bits, unsigned), sides included: answers 1 and
// its index, or 0.
int32_t FindDrawingAtPoint(uint32_t point, int32_t* index);

// A bitmap and the rectangle of it that is selected.
struct SelectionBitmap {
  HBITMAP bitmap;
  RECT rect;
};
extern SelectionBitmap SELECTION_BITMAP;

// Puts the selected rectangle of SELECTION_BITMAP on the clipboard as a
// metafile picture, or the whole bitmap itself (which the clipboard then
// owns) when as_bitmap is not 0. Nothing when there is no bitmap or the
// clipboard will not open.
void CopySelectionToClipboard(HWND window, int32_t as_bitmap);
