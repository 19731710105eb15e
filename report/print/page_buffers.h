// The report page as printing and preview hold it: 62 rows of 80 cells of
// text and of layout marks, the page's pictures, how many pages go on a
// sheet, and where on the sheet the page drawn last sits. Platform-free, so
// the report reader that fills these buffers also builds natively.
#pragma once

#include <cstddef>
#include <cstdint>

#include "report/screen/line_characters_face.h"

// A page: rows 0-61 of ROW_CELLS (80) cells; column 80 (index 79) holds the
// row's control character. Row 61 is never printed; it ends every vertical line.
inline constexpr int32_t PAGE_ROWS = 62;
// The most rows a page prints.
inline constexpr int32_t PAGE_PRINTED_ROWS = 61;
inline constexpr int32_t PAGE_PICTURE_CAPACITY = 10;
// A picture reference with its terminator: a name of up to a path's length
// (335 characters: a report's own drawing container is named by the
// report's folder) in quotes and four numbers of up to 11 characters, each
// after a blank, which is everything a picture reference can say.
inline constexpr std::size_t PICTURE_REFERENCE_SIZE = 335 + 2 + 4 * 12 + 1;

// The page's text in the OEM code page (437).
extern char PAGE_TEXT[PAGE_ROWS][ROW_CELLS];
// '{' left-aligned value from this cell, '}' right-aligned value ending
// here, '~' value centred here, blank elsewhere; column 80 repeats the
// control character.
extern char PAGE_MARKS[PAGE_ROWS][ROW_CELLS];

struct PagePicture {
  char reference[PICTURE_REFERENCE_SIZE];  // "NAME c1 r1 c2 r2", NUL-terminated
  int32_t row;                             // page row of the line the picture belongs to
  int32_t drawing_number;                  // which drawing of a ".ZFD" container
};
struct PagePictures {
  int32_t count;  // 0 to PAGE_PICTURE_CAPACITY
  PagePicture entries[PAGE_PICTURE_CAPACITY];
};
extern PagePictures PAGE_PICTURES;

// 1, 2 or 4; 1 at load.
extern int32_t PAGES_PER_SHEET;
// 0 (at load): proportional text with control characters and layout marks;
// 1: fixed pitch, whole lines.
extern int32_t PRINT_FONT_MODE;
// The face of the print fonts, at most 19 characters; "Arial" at load.
extern char PRINT_FONT_FACE[20];
// The page width in cells, for the viewport and the sheet frame.
extern int32_t PRINT_COLUMNS;
// 0 while printing (the page area is the device's), 1 after a preview load
// (the page area is the showing window's client area).
extern int32_t OUTPUT_TARGET;

// A cell's width and height in logical units.
struct CELL_SIZE {
  int32_t width;
  int32_t height;
};

// Column and row offset, in cells, of the page drawn last.
struct PageOffset {
  int32_t column;
  int32_t row;
};
extern PageOffset PAGE_OFFSET;

// PRINT_FONT_MODE := mode; modes 0 and 1 also choose the face ("Arial",
// "Courier New") and 80 columns. The fonts take the face when next created.
void SetPrintFontMode(int32_t mode);

// Text and marks all blanks, no pictures.
void EmptyPage();

// A row count as the page buffers can hold it: 0 to 61.
int32_t ClampPageLines(int32_t lines);

// Where a page goes on its sheet. A place shows a grid of `columns` by
// `rows` cells: the page's 80 by 62 cells, shifted by the offsets, and the
// margin around them that holds the sheet frame. Every cell of the page lies
// inside its place, so no page reaches into its neighbour's place or off
// the sheet.
struct SheetPlace {
  int32_t column_offset;
  int32_t row_offset;
  int32_t columns;
  int32_t rows;
  bool right;        // viewport origin at half the width
  bool bottom;       // viewport origin at half the height
  bool half_width;   // viewport extent half the width
  bool half_height;  // viewport extent half the height
  bool frame_first;  // the first place of a sheet: the sheet frame is drawn first
};
// The place of the page at sheet position p (1 for the first page after a
// sheet break), printed or previewed alike; any count other than 2 or 4 is
// one page a sheet.
SheetPlace SheetPlaceAt(int32_t pages_per_sheet, int32_t p);

// The sheet frame of two or four pages a sheet, in cells of the sheet's
// grid (the places side by side: two places across, and two down at four
// pages a sheet): a rectangle around every place's page, a line between the
// places across (middle_x) and, at four pages, down (middle_y; 0 for none).
struct SheetFrameCells {
  int32_t columns;  // the sheet's grid
  int32_t rows;
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  int32_t middle_x;
  int32_t middle_y;
};
// False for one page a sheet (and any count other than 2 or 4), which has
// no frame.
bool SheetFrameAt(int32_t pages_per_sheet, SheetFrameCells* frame);

// The sheet of paper the preview shows and the clipboard picture holds, in
// hundredths of a millimetre: A4, turned sideways at two pages a sheet as
// the print job turns the paper.
struct SheetSize {
  int32_t width;
  int32_t height;
};
SheetSize PreviewSheetSize(int32_t pages_per_sheet);

// Where the preview lays a sheet of that size in a client area of
// client_width by client_height: as large as fits with a margin on every
// side, in the sheet's proportions, centred. Width and height 0 when the
// area is too small for any.
struct SheetArea {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
};
SheetArea FitSheetInto(int32_t client_width, int32_t client_height, const SheetSize& sheet);

// Where a printer's page area lies on its sheet of paper: the margins of
// its printable area from the paper's edges, in hundredths of a millimetre.
struct SheetMargins {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
// A quarter of an inch all round: the printable area of a printer that
// cannot be asked.
inline constexpr SheetMargins NOMINAL_SHEET_MARGINS = {635, 635, 635, 635};

// A printer's page as its device reports it, in its dots: the printable
// area's offset from the paper's corner and its size, the paper's size,
// and the dots an inch either way.
struct PrinterPage {
  int32_t offset_x;
  int32_t offset_y;
  int32_t width;
  int32_t height;
  int32_t paper_width;
  int32_t paper_height;
  int32_t dots_x;
  int32_t dots_y;
};
// The margins of the printer's printable area; the nominal ones when what
// it reports is no printable area on its paper, or one that leaves less
// than half the paper either way.
SheetMargins PrintableMargins(const PrinterPage& page);

// The page area of a sheet of that size laid out at `sheet` (as
// FitSheetInto lays it, or at its own size): the sheet less its margins,
// scaled as the sheet is. The whole sheet when the margins leave less than
// half of it either way.
SheetArea PageAreaOnSheet(const SheetArea& sheet, const SheetSize& size,
                          const SheetMargins& margins);

// PAGE_OFFSET := the place's offsets.
void SetPageOffset(const SheetPlace& place);

// The logical position of a page cell (row * 80 + column) on the sheet,
// shifted by PAGE_OFFSET.
void SheetCellToPoint(int32_t cell, int32_t* x, int32_t* y, const CELL_SIZE& cell_size);
