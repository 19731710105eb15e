// The text-form screen in its window: an 80-by-25 form painted with GDI from
// the screen's cell buffers (screen_cells_face.h) into SCREEN_WINDOW, with box
// lines, framed input fields, the status row in the window caption's colours,
// aligned values, dot leaders and the caret.
//
// The window, its fonts, its size and its message loop are its owner's:
// SetScreenWindow and SetScreenMetrics come before any painting. A routine
// that takes the window's device context itself does nothing while no window
// is set; the cell, field-character and line painting each have a form that
// paints on a device context given to it. GDI results are not tested: an
// absent font leaves the device context's current one in use.
#pragma once

#include <windows.h>

#include <cstdint>

#include "include/holders.h"
#include "report/screen/screen_cells_face.h"

// What the window's owner hands over, in this order.
struct ScreenMetrics {
  HFONT field_font;
  HFONT text_font;
  int32_t width;  // client area, pixels
  int32_t height;
};
extern ScreenMetrics SCREEN_METRICS;

// A colour as three integers, of which only the low byte of each counts.
struct ColourSlot {
  int32_t red;
  int32_t green;
  int32_t blue;
};
struct AttributeColours {
  ColourSlot text;
  ColourSlot background;
};
// Per attribute 0-8; any other attribute takes 0's.
inline constexpr int32_t SCREEN_ATTRIBUTE_COUNT = 9;
extern AttributeColours ATTRIBUTE_COLOURS[SCREEN_ATTRIBUTE_COUNT];

// The window caption's colours (GetSysColor 2, 9, 3 and 19) for the status
// row. Until LoadSystemColours fills them both pairs hold the status row's
// first colours, white on (0, 0, 125).
struct CaptionColours {
  ColourSlot active_caption;
  ColourSlot active_text;
  ColourSlot inactive_caption;
  ColourSlot inactive_text;
};
extern CaptionColours CAPTION_COLOURS;

// The screen's pens and brush, made at their first use: each line pen draws
// in its attribute's text colour (the default pen in attribute 0's), the
// field-frame pen in black, and the field brush is hollow, so a frame leaves
// the field's text as it is. last_pen is the LinePen last selected on dc, 255
// none; dc is set only while a routine draws on it (ScreenSelections).
struct ScreenPens {
  UniqueGdiObject line[4];  // LinePen kDefault to kAttribute3
  UniqueGdiObject field_frame;
  HBRUSH field_brush;  // a stock object, owned by no one
  HDC dc;
  int32_t last_pen;
};
extern ScreenPens SCREEN_PENS;

// Which of the two fonts is selected on the device context that a routine is
// drawing on, so a font is selected only when it changes; dc is set only
// while that routine runs (ScreenSelections). SetScreenMetrics starts the
// font again.
struct ScreenFontTracker {
  HDC dc;
  ScreenFont font;
};
extern ScreenFontTracker SCREEN_FONT_TRACKER;

// The font and pen trackers for one routine's drawing on one device context:
// nothing of ours counts as selected when it starts, and nothing is tracked
// after it ends. A device context is never known by its handle alone: a
// window hands out the same handle value again after a ReleaseDC, with the
// context's own font and pen on it. Inside a routine already drawing on the
// same context the trackers go on as they are; on another context the outer
// routine's trackers come back afterwards.
class ScreenSelections {
 public:
  explicit ScreenSelections(HDC dc);
  ~ScreenSelections();
  ScreenSelections(const ScreenSelections&) = delete;
  ScreenSelections& operator=(const ScreenSelections&) = delete;

 private:
  bool own_;
  ScreenFontTracker outer_font_;
  HDC outer_pen_dc_;
  int32_t outer_pen_;
};

// The caret's size; nothing in the library sets it. 0 by 0: no caret.
struct CaretSize {
  int32_t width;
  int32_t height;
};
extern CaretSize CARET_SIZE;

// A word that nothing sets; GetScreenWord answers it.
extern int32_t SCREEN_WORD;

void SetScreenMetrics(const ScreenMetrics& metrics);
// The grid of the client size in SCREEN_METRICS.
ScreenGrid GetScreenGrid();
// The top-left corner of the cell; a cell outside the screen gives the
// corner of the nearest one on it (0 or 1999).
void CellToPoint(int32_t cell, POINT* point);
// The cell under the point: column and row clamped to the grid, 0 while a
// cell has no size.
void PointToCell(POINT point, int32_t* cell);

// Copies 1920 characters and attributes into rows 1-24 of the buffers (the
// status row keeps its own) and repaints the screen.
void LoadScreen(const char* text, const char* attributes);
// The whole screen again: the pictures under or over the cells and lines as
// PICTURES_UNDER_TEXT says, then the caret.
void RepaintScreen();
void RefreshScreen();
// The window's paint handler: every cell of the buffers between BeginPaint
// and EndPaint.
void PaintScreen();
void PaintAllCells();
// Count cells from cell first on the window's device context; the shown
// cells are kept in the buffers.
void PaintCells(const char* text, char* attributes, int32_t count, int32_t first);
void DrawCells(HDC dc, const char* text, char* attributes, int32_t count, int32_t first);
// One character of an input field, framed along the cell's top and bottom,
// kept in the buffers.
void PaintFieldCharacter(char character, char attribute, int32_t cell);
void PaintFieldCharacterOn(HDC dc, char character, char attribute, int32_t cell);
// The lines of rows first_row to first_row + rows - 1.
void DrawScreenLines(int32_t first_row, int32_t rows);
void DrawScreenLinesOn(HDC dc, int32_t first_row, int32_t rows);
// The current page's pictures (PICTURE_LIST), each drawn on a device context
// of its own over its cells; a picture with a cell outside the screen is left
// out.
void PaintPictures();
// The length characters from the cell, the first dot leader stretched.
void DrawLeaderSegment(HDC dc, const char* text, int32_t cell, int32_t length);
// Makes count cells from cell first show the window's background.
void ClearCells(int32_t first, int32_t count);
// The text as it stands, in the text font, at a pixel position.
void DrawTextAt(int32_t x, int32_t y, const char* text);
// The caret at the cell's x, its bottom on the cell's bottom; a cell outside
// the screen places it at the nearest one on it.
void PlaceCaret(int32_t cell);

void GetAttributeColours(int32_t attribute, COLORREF* background, COLORREF* text);
void UnpackColour(ColourSlot* slot, COLORREF colour);
// Fills the caption slots from the system's colours and gives the status row
// the active pair (active 1) or the inactive pair.
void LoadSystemColours(int32_t active);
// The status row in the active or the inactive pair, repainted.
void ActivateStatusLine();
void DeactivateStatusLine();

// The case's base name (a buffer of FOLDER_BUFFER_SIZE) and the run name (a
// buffer of RUN_NAME_BUFFER_SIZE), as the run folders hold them.
void GetCaseAndRunNames(char* case_base_name, char* run_name);
void SoundBeep();
// Ends the process with exit code 0, through PROGRAM_END (program_end.h).
void QuitProgram();
// Hands the text, cut to 80 characters, to the loader to show; answers its result.
int PassTextToLoader(const char* text);
int32_t GetScreenWord();

// What the painting routines share on a device context.
// The font (its handle from SCREEN_METRICS) unless the tracker of the
// routine drawing on that context says it is selected.
void SelectScreenFont(HDC dc, ScreenFont font);
// The pen, made at its first use, unless it is the one last selected there
// by the routine drawing on that context.
void SelectLinePen(HDC dc, LinePen pen);
// The text in the current font, converted from the OEM code page when from_oem.
void WriteScreenText(HDC dc, int32_t x, int32_t y, std::string_view text, bool from_oem);
// Its width as WriteScreenText would write it in the text font.
int32_t MeasureScreenText(HDC dc, std::string_view text);
