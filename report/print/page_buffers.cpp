// The page buffers shared by printing and preview, and the places of a page
// on its sheet.
#include "report/print/page_buffers.h"

#include <algorithm>
#include <cstring>

char PAGE_TEXT[PAGE_ROWS][ROW_CELLS];
char PAGE_MARKS[PAGE_ROWS][ROW_CELLS];
PagePictures PAGE_PICTURES;
int32_t PAGES_PER_SHEET = 1;
int32_t PRINT_FONT_MODE = 0;
char PRINT_FONT_FACE[20] = "Arial";
int32_t PRINT_COLUMNS = 80;
int32_t OUTPUT_TARGET = 0;
PageOffset PAGE_OFFSET;

void SetPrintFontMode(int32_t mode) {
  PRINT_FONT_MODE = mode;
  if (mode == 0) std::strcpy(PRINT_FONT_FACE, "Arial");
  if (mode == 1) std::strcpy(PRINT_FONT_FACE, "Courier New");
  if (mode == 0 || mode == 1) PRINT_COLUMNS = 80;
}

void EmptyPage() {
  std::memset(PAGE_TEXT, ' ', sizeof PAGE_TEXT);
  std::memset(PAGE_MARKS, ' ', sizeof PAGE_MARKS);
  PAGE_PICTURES = {};
}

int32_t ClampPageLines(int32_t lines) { return std::clamp(lines, 0, PAGE_PRINTED_ROWS); }

namespace {

// The quarter of a sheet that page position p takes: 0 top left, 1 top
// right, 2 bottom left, 3 bottom right.
int32_t Quarter(int32_t p) { return ((p - 1) % 4 + 4) % 4; }

// The margins around the page grid in a place, in cells: a place is 8
// columns (10 at four pages a sheet) and 6 rows larger than the page. The
// left pages sit 5 columns in (7), 2 columns inside the frame and 3 before
// the middle line; the right pages 4 columns after the middle line and 2
// before the frame. The top pages sit 3 rows down, a row inside the frame;
// the bottom pages 2 rows below the middle line and 2 above the frame.
constexpr int32_t kTwoExtraColumns = 8;
constexpr int32_t kFourExtraColumns = 10;
constexpr int32_t kExtraRows = 6;

}  // namespace

SheetPlace SheetPlaceAt(int32_t pages_per_sheet, int32_t p) {
  if (pages_per_sheet == 2) {
    const bool right = p % 2 == 0;
    return {.column_offset = right ? 4 : 5,
            .row_offset = 3,
            .columns = PRINT_COLUMNS + kTwoExtraColumns,
            .rows = PAGE_ROWS + kExtraRows,
            .right = right,
            .bottom = false,
            .half_width = true,
            .half_height = false,
            .frame_first = !right};
  }
  if (pages_per_sheet == 4) {
    const int32_t quarter = Quarter(p);
    const bool right = quarter % 2 == 1;
    const bool bottom = quarter >= 2;
    return {.column_offset = right ? 4 : 7,
            .row_offset = bottom ? 2 : 3,
            .columns = PRINT_COLUMNS + kFourExtraColumns,
            .rows = PAGE_ROWS + kExtraRows,
            .right = right,
            .bottom = bottom,
            .half_width = true,
            .half_height = true,
            .frame_first = quarter == 0};
  }
  return {.column_offset = 0,
          .row_offset = 0,
          .columns = PRINT_COLUMNS,
          .rows = PAGE_ROWS,
          .right = false,
          .bottom = false,
          .half_width = false,
          .half_height = false,
          .frame_first = false};
}

bool SheetFrameAt(int32_t pages_per_sheet, SheetFrameCells* frame) {
  if (pages_per_sheet != 2 && pages_per_sheet != 4) return false;
  const SheetPlace place = SheetPlaceAt(pages_per_sheet, 1);
  const bool four = pages_per_sheet == 4;
  const int32_t columns = 2 * place.columns;
  const int32_t rows = four ? 2 * place.rows : place.rows;
  // Two columns and two rows from the sheet's edges (three columns, and
  // five at four pages, on the left, where the left pages sit further in).
  *frame = {.columns = columns,
            .rows = rows,
            .left = four ? 5 : 3,
            .top = 2,
            .right = columns - (four ? 4 : 2),
            .bottom = rows - 2,
            .middle_x = place.columns,
            .middle_y = four ? place.rows : 0};
  return true;
}

SheetSize PreviewSheetSize(int32_t pages_per_sheet) {
  constexpr SheetSize kA4 = {21000, 29700};
  return pages_per_sheet == 2 ? SheetSize{kA4.height, kA4.width} : kA4;
}

SheetArea FitSheetInto(int32_t client_width, int32_t client_height, const SheetSize& sheet) {
  // A fortieth of the shorter side, and at least a dot, stays free around the sheet.
  const int64_t margin = std::max<int64_t>(1, std::min(client_width, client_height) / 40);
  const int64_t room_w = client_width - 2 * margin;
  const int64_t room_h = client_height - 2 * margin;
  if (room_w < 1 || room_h < 1 || sheet.width < 1 || sheet.height < 1) return {0, 0, 0, 0};
  int64_t w = room_w;
  int64_t h = room_w * sheet.height / sheet.width;
  if (h > room_h) {
    h = room_h;
    w = room_h * sheet.width / sheet.height;
  }
  w = std::max<int64_t>(w, 1);
  h = std::max<int64_t>(h, 1);
  return {static_cast<int32_t>((client_width - w) / 2),
          static_cast<int32_t>((client_height - h) / 2), static_cast<int32_t>(w),
          static_cast<int32_t>(h)};
}

namespace {

constexpr int64_t kHimetricPerInch = 2540;

// A margin's share of a side may not reach a quarter: the two leave half.
bool LeavesHalf(int64_t before, int64_t after, int64_t side) {
  return before >= 0 && after >= 0 && 2 * (before + after) <= side;
}

}  // namespace

SheetMargins PrintableMargins(const PrinterPage& page) {
  const int64_t right = int64_t{page.paper_width} - page.offset_x - page.width;
  const int64_t bottom = int64_t{page.paper_height} - page.offset_y - page.height;
  if (page.dots_x < 1 || page.dots_y < 1 || page.width < 1 || page.height < 1 ||
      !LeavesHalf(page.offset_x, right, page.paper_width) ||
      !LeavesHalf(page.offset_y, bottom, page.paper_height))
    return NOMINAL_SHEET_MARGINS;
  const auto x = [&](int64_t dots) {
    return static_cast<int32_t>(dots * kHimetricPerInch / page.dots_x);
  };
  const auto y = [&](int64_t dots) {
    return static_cast<int32_t>(dots * kHimetricPerInch / page.dots_y);
  };
  return {x(page.offset_x), y(page.offset_y), x(right), y(bottom)};
}

SheetArea PageAreaOnSheet(const SheetArea& sheet, const SheetSize& size,
                          const SheetMargins& margins) {
  if (size.width < 1 || size.height < 1 || !LeavesHalf(margins.left, margins.right, size.width) ||
      !LeavesHalf(margins.top, margins.bottom, size.height))
    return sheet;
  // Each edge where the sheet's own would lie at that scale, so that the
  // page area's sides stay where paper has them however the sheet is drawn.
  const auto x = [&](int64_t at) {
    return static_cast<int32_t>(sheet.left + at * sheet.width / size.width);
  };
  const auto y = [&](int64_t at) {
    return static_cast<int32_t>(sheet.top + at * sheet.height / size.height);
  };
  const int32_t left = x(margins.left);
  const int32_t top = y(margins.top);
  return {left, top, x(int64_t{size.width} - margins.right) - left,
          y(int64_t{size.height} - margins.bottom) - top};
}

void SetPageOffset(const SheetPlace& place) {
  PAGE_OFFSET = {place.column_offset, place.row_offset};
}

void SheetCellToPoint(int32_t cell, int32_t* x, int32_t* y, const CELL_SIZE& cell_size) {
  *x = (cell % ROW_CELLS + PAGE_OFFSET.column) * cell_size.width;
  *y = (cell / ROW_CELLS + PAGE_OFFSET.row) * cell_size.height;
}
