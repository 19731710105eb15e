// The pictures of a report page: enhanced metafiles, Windows metafiles with or
// without a placeable header, and drawings, each placed on a rectangle of cells
// of the page's 80-column grid; and the flags that say how the screen and the
// printed sheet draw them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "drawing.h"

enum PictureKind : int32_t {
  PICTURE_NONE = 0,
  PICTURE_ENHANCED_METAFILE = 1,
  PICTURE_PLACEABLE_METAFILE = 2,
  PICTURE_WINDOWS_METAFILE = 3,
  PICTURE_DRAWING = 4,
};

// One picture. An empty record is all zero.
struct PICTURE_RECORD {
  int32_t kind;        // PictureKind
  int32_t first_cell;  // (row - 1) * 80 + (column - 1) of the top-left cell, plus the load offset
  int32_t last_cell;   // the same of the bottom-right cell
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
// Draws the picture into the rectangle (device units) of the device context;
// answers 1 when it drew, else 0.
int32_t DrawPicture(PICTURE_RECORD* picture, HWND window, HDC dc, RECT* rect);
