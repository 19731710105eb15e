// The text-form screen's cells and what is drawn from them: an 80-by-25 grid
// of character cells with their text, attributes, layout marks and merged
// field values, and the plans that turn a stretch of cells or a range of rows
// into texts and lines at pixel positions. The window side carries a plan
// out on a device context (screen_face.h).
//
// Pure C++: no platform calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "report/screen/line_characters_face.h"

inline constexpr int32_t SCREEN_ROWS = 25;
inline constexpr int32_t SCREEN_CELLS = SCREEN_ROWS * ROW_CELLS;
// Row 25, the status row.
inline constexpr int32_t STATUS_ROW_CELL = 1920;
// The status row's right part, written apart from its left part: row 25, column 65.
inline constexpr int32_t STATUS_RIGHT_CELL = 1984;
// Layout marks count on rows 1-20 only.
inline constexpr int32_t MARKED_CELLS = 1600;

// Attributes of a cell: 0-4 and 8 text colours, and these with a painting of
// their own. Any other value paints as 0.
inline constexpr unsigned char ATTRIBUTE_FIELD = 5;   // an input field
inline constexpr unsigned char ATTRIBUTE_STATUS = 6;  // the status row, in the caption's colours
inline constexpr unsigned char ATTRIBUTE_SHADED = 7;  // a row on a grey strip
// In a row's 80th cell: the row is underlined over 79 cells ('u') or 60 ('v').
inline constexpr unsigned char ATTRIBUTE_UNDERLINE = 'u';
inline constexpr unsigned char ATTRIBUTE_SHORT_UNDERLINE = 'v';

// A page's field data: values each ended by byte 3, the list ended by byte 25.
inline constexpr char FIELD_SEPARATOR = 3;
inline constexpr char FIELD_DATA_END = 25;
// The screen's copy of a page's field data: at most 2000 bytes and a NUL.
inline constexpr int32_t FIELD_DATA_SIZE = 2001;

// The screen's buffers, cell for cell; all zero at load.
extern char SCREEN_TEXT[SCREEN_CELLS];        // OEM code page (437)
extern char SCREEN_ATTRIBUTES[SCREEN_CELLS];  // see the attributes above
// The current page's template body; only '{' (a value left-aligned from the
// cell), '}' (right-aligned ending at it) and '~' (centred on it) count.
extern char LAYOUT_MARKS[SCREEN_CELLS];
// The offset in FIELD_DATA of the value merged at the cell, or -1.
extern int32_t FIELD_INDEX[SCREEN_CELLS];
// The current page's field data, NUL-terminated (FIELD_DATA[2000] stays NUL).
extern char FIELD_DATA[FIELD_DATA_SIZE];
// SplitWords' copy of its text, which its word pointers point into.
inline constexpr int32_t WORD_BUFFER_SIZE = 256;
extern char WORD_BUFFER[WORD_BUFFER_SIZE];

// The value merged at the cell: one blank when its FIELD_INDEX is negative or
// the cell is outside the screen; otherwise FIELD_DATA from that offset up to
// the next byte 3, empty when the data ends first. At a '{' mark the value is
// cut at its first pair of blanks.
std::string GetCellFieldValue(int32_t cell);

// No layout marks, no merged values and no field data: the screen as no
// report page has filled it.
void ForgetPageValues();

// Stores count characters and attributes into the screen's buffers from cell
// first, so that what is shown can be repainted; a source that is the
// buffers themselves is left alone. Cells outside the screen are not stored.
void KeepCells(const char* text, const char* attributes, int32_t count, int32_t first);

// Copies the text (at most 255 characters) into WORD_BUFFER and cuts it at
// blanks: words[1], words[2], ... point at its words, at most 19
// (words holds SPLIT_WORD_SLOTS pointers; words[0] is not used). *count is
// the number of words plus one, and 0 for an empty or null text.
inline constexpr int32_t SPLIT_WORD_SLOTS = 20;
void SplitWords(const char* text, int32_t* count, char** words);

// A pixel position worked out in 64 bits, held to what a 32-bit coordinate holds.
int32_t PixelOf(int64_t position);

// The cell grid of a client area of width by height pixels: a cell is
// width/80 wide and height/25 high, and the grid starts half a cell from the
// area's left edge. Positions are worked out in 64 bits, so no size of the
// client area and no cell overflows them.
struct ScreenGrid {
  int32_t width = 0;
  int32_t height = 0;

  int32_t cell_width() const { return width / ROW_CELLS; }
  int32_t cell_height() const { return height / SCREEN_ROWS; }
  // The top-left corner of the cell.
  int32_t x(int32_t cell) const {
    return PixelOf(int64_t{cell % ROW_CELLS} * cell_width() + width / 160);
  }
  int32_t y(int32_t cell) const { return PixelOf(int64_t{cell / ROW_CELLS} * cell_height()); }
  // The cell under a point: column 0-79 and row 0-24, the nearest cell for a
  // point outside the grid; 0 while a cell has no size.
  int32_t cell_at(int32_t px, int32_t py) const;
  // The top of a caret of that height whose bottom sits on the cell's bottom.
  int32_t caret_top(int32_t cell, int32_t caret_height) const;
};

// The cell itself, or for a cell outside the screen the nearest one on it
// (0 or 1999): what a point or the caret is placed at.
int32_t ScreenCellOf(int32_t cell);

// The fonts the screen writes in, as its font tracker numbers them.
enum class ScreenFont : int32_t { kNone = 0, kText = 1, kField = 2 };

// One thing to do on the device context, in order.
struct CellStep {
  enum class Kind {
    kColours,    // take the background and text colours of attribute
    kText,       // write text in font at (x, y), from the OEM code page when from_oem
    kFrameLine,  // a line with the field-frame pen from (x, y) to (to_x, to_y)
  };
  Kind kind = Kind::kText;
  int32_t attribute = 0;
  ScreenFont font = ScreenFont::kText;
  bool from_oem = false;
  int32_t x = 0;
  int32_t y = 0;
  int32_t to_x = 0;
  int32_t to_y = 0;
  std::string text;
};

// The width in pixels of a text (OEM code page) as the screen writes it in
// its text font.
using MeasureText = std::function<int32_t(std::string_view text)>;

// The longest text a leader segment is written as, dots included.
inline constexpr int32_t LEADER_TEXT_LIMIT = 599;

// Plans the painting of count cells from cell first: runs of one attribute
// within a row, input fields framed, the status row, shaded rows, and text
// segments each written at its own cell's x with values aligned on their
// layout marks and dot leaders stretched to the grid. Line characters are
// never written as text. A count that reaches past the screen is cut; a
// negative one, or a first cell outside the screen, plans nothing. A row's
// 80th cell is painted in the run of its 79th; the attributes given are left
// as they are.
std::vector<CellStep> PlanCells(const char* text, const char* attributes, int32_t count,
                                int32_t first, const ScreenGrid& grid, const MeasureText& measure);

// The text step of length characters written from the cell: the first run of
// two or more dots gains dots until the text after it starts at its own
// cell's x, within LEADER_TEXT_LIMIT characters.
CellStep PlanLeaderSegment(const char* text, int32_t cell, int32_t length, const ScreenGrid& grid,
                           const MeasureText& measure);

// The pens of the screen's lines: attributes 1, 2 and 3 have their own,
// every other attribute takes the default line pen.
enum class LinePen : int32_t {
  kDefault = 0,
  kAttribute1 = 1,
  kAttribute2 = 2,
  kAttribute3 = 3,
  kFieldFrame = 4,
};

struct LineStep {
  enum class Kind {
    kLine,   // from (x1, y1) to (x2, y2)
    kFrame,  // a rectangle outline with the field brush: left x1, top y1, right x2, bottom y2
  };
  Kind kind = Kind::kLine;
  LinePen pen = LinePen::kDefault;
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
};

// Plans the lines of rows first_row to first_row + rows - 1 (cut to 0-24) of
// a screen text and its attributes (2000 cells each): the rule above row 23,
// the shaded strip's top line, horizontal box lines, underlines, field
// frames, then vertical box lines over columns 1-79.
std::vector<LineStep> PlanScreenLines(const char* text, const char* attributes, int32_t first_row,
                                      int32_t rows, const ScreenGrid& grid);
