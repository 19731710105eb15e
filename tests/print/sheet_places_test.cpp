// Where the pages of a sheet lie: every cell of every page, with its
// offsets, inside its place and inside the sheet frame, the frame on the
// sheet; the preview's sheet in the paper's proportions in its window, and
// its page area inside it where a printer's printable area lies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "report/print/page_buffers.h"

namespace {

class SheetLayout : public ::testing::TestWithParam<int32_t> {};

}  // namespace

TEST_P(SheetLayout, EveryCellOfEveryPageLiesInsideItsPlaceAndInsideTheFrame) {
  const int32_t per_sheet = GetParam();
  SheetFrameCells frame{};
  const bool framed = SheetFrameAt(per_sheet, &frame);
  EXPECT_EQ(framed, per_sheet != 1);
  const int32_t across = per_sheet == 1 ? 1 : 2;
  const int32_t down = per_sheet == 4 ? 2 : 1;
  for (int32_t p = 1; p <= per_sheet; ++p) {
    const SheetPlace place = SheetPlaceAt(per_sheet, p);
    // The page's cells, columns 0 to 79 and rows 0 to 61, in its place.
    EXPECT_GE(place.column_offset, 0) << p;
    EXPECT_GE(place.row_offset, 0) << p;
    EXPECT_LE(place.column_offset + ROW_CELLS, place.columns) << p;
    EXPECT_LE(place.row_offset + PAGE_ROWS, place.rows) << p;
    if (!framed) continue;
    // The same cells on the sheet's grid: clear of the frame and of the
    // lines between the places.
    const int32_t left = (place.right ? place.columns : 0) + place.column_offset;
    const int32_t top = (place.bottom ? place.rows : 0) + place.row_offset;
    const int32_t right = left + ROW_CELLS;
    const int32_t bottom = top + PAGE_ROWS;
    EXPECT_GT(left, frame.left) << p;
    EXPECT_LT(right, frame.right) << p;
    EXPECT_GT(top, frame.top) << p;
    EXPECT_LT(bottom, frame.bottom) << p;
    EXPECT_TRUE(place.right ? left > frame.middle_x : right < frame.middle_x) << p;
    if (frame.middle_y > 0)
      EXPECT_TRUE(place.bottom ? top > frame.middle_y : bottom < frame.middle_y) << p;
  }
  if (!framed) return;
  const SheetPlace first = SheetPlaceAt(per_sheet, 1);
  EXPECT_EQ(frame.columns, across * first.columns);
  EXPECT_EQ(frame.rows, down * first.rows);
  EXPECT_GT(frame.left, 0);
  EXPECT_GT(frame.top, 0);
  EXPECT_LT(frame.right, frame.columns) << "the frame lies on the sheet";
  EXPECT_LT(frame.bottom, frame.rows);
  EXPECT_EQ(frame.middle_x, first.columns);
  EXPECT_EQ(frame.middle_y, per_sheet == 4 ? first.rows : 0);
}

INSTANTIATE_TEST_SUITE_P(PagesASheet, SheetLayout, ::testing::Values(1, 2, 4));

TEST(SheetLayout, OnePageASheetShowsThePageAloneOnTheWholeSheet) {
  const SheetPlace place = SheetPlaceAt(1, 7);
  EXPECT_EQ(place.columns, ROW_CELLS);
  EXPECT_EQ(place.rows, PAGE_ROWS);
  EXPECT_EQ(place.column_offset, 0);
  EXPECT_EQ(place.row_offset, 0);
  EXPECT_FALSE(place.half_width || place.half_height || place.frame_first);
}

struct WindowCase {
  int32_t width, height;
};

class PreviewSheetArea : public ::testing::TestWithParam<WindowCase> {};

// The sheet of paper, upright or turned sideways, as large as fits in a
// window of any shape, in the paper's proportions to a dot, centred, with
// at least a dot free all round; none in a window too small for one.
TEST_P(PreviewSheetArea, KeepsThePapersProportionsCentredWithAMargin) {
  const WindowCase& c = GetParam();
  for (int32_t per_sheet : {1, 2}) {
    const SheetSize paper = PreviewSheetSize(per_sheet);
    EXPECT_EQ(paper.width > paper.height, per_sheet == 2);
    const SheetArea area = FitSheetInto(c.width, c.height, paper);
    if (c.width < 3 || c.height < 3) {
      EXPECT_EQ(area.width, 0);
      EXPECT_EQ(area.height, 0);
      continue;
    }
    ASSERT_GT(area.width, 0);
    ASSERT_GT(area.height, 0);
    EXPECT_GE(area.left, 1);
    EXPECT_GE(area.top, 1);
    EXPECT_LE(area.left + area.width, c.width - 1);
    EXPECT_LE(area.top + area.height, c.height - 1);
    EXPECT_LE(std::abs(area.left - (c.width - area.left - area.width)), 1);
    EXPECT_LE(std::abs(area.top - (c.height - area.top - area.height)), 1);
    // One dot either way off the paper's proportions at most.
    EXPECT_LE(std::llabs(int64_t{area.width} * paper.height - int64_t{area.height} * paper.width),
              std::max(paper.width, paper.height));
    // As large as fits: the margin is a fortieth of the shorter side.
    const int32_t margin = std::max(1, std::min(c.width, c.height) / 40);
    EXPECT_TRUE(area.width >= c.width - 2 * margin - 1 || area.height >= c.height - 2 * margin - 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, PreviewSheetArea,
                         ::testing::Values(WindowCase{600, 800}, WindowCase{900, 400},
                                           WindowCase{1000, 1000}, WindowCase{5, 900},
                                           WindowCase{3, 3}, WindowCase{2, 500}, WindowCase{0, 0}));

struct PrinterPageCase {
  const char* name;
  PrinterPage page;
  SheetMargins margins;
};

class PrintableArea : public ::testing::TestWithParam<PrinterPageCase> {};

// The margins of a printer's printable area in hundredths of a millimetre,
// from what its device reports in its dots; what is no printable area on its
// paper gives the nominal quarter inch.
TEST_P(PrintableArea, GivesItsMarginsOrTheNominalOnes) {
  const PrinterPageCase& c = GetParam();
  const SheetMargins m = PrintableMargins(c.page);
  EXPECT_EQ(m.left, c.margins.left);
  EXPECT_EQ(m.top, c.margins.top);
  EXPECT_EQ(m.right, c.margins.right);
  EXPECT_EQ(m.bottom, c.margins.bottom);
}

constexpr SheetMargins kNominal = NOMINAL_SHEET_MARGINS;

INSTANTIATE_TEST_SUITE_P(
    Printers, PrintableArea,
    ::testing::Values(
        // A4 at 300 dots an inch, a quarter inch in on every side.
        PrinterPageCase{"QuarterInch", {75, 75, 2329, 3358, 2479, 3508, 300, 300}, kNominal},
        // Turned sideways, half an inch at the top, a quarter at the left,
        // an inch at the right and three quarters at the bottom.
        PrinterPageCase{
            "Sideways", {75, 150, 3133, 2104, 3508, 2479, 300, 300}, {635, 1270, 2540, 1905}},
        PrinterPageCase{
            "OtherDotsEachWay", {60, 30, 4840, 3448, 4960, 3508, 600, 300}, {254, 254, 254, 254}},
        PrinterPageCase{"NoMarginAtAll", {0, 0, 2480, 3508, 2480, 3508, 300, 300}, {0, 0, 0, 0}},
        // What a page that is no printer's reports (a metafile's, the screen's).
        PrinterPageCase{"NothingReported", {0, 0, 1024, 768, 0, 0, 96, 96}, kNominal},
        PrinterPageCase{"NoDots", {75, 75, 2329, 3358, 2479, 3508, 0, 300}, kNominal},
        PrinterPageCase{"NoArea", {75, 75, 0, 3358, 2479, 3508, 300, 300}, kNominal},
        PrinterPageCase{"AreaOffThePaper", {200, 75, 2329, 3358, 2479, 3508, 300, 300}, kNominal},
        PrinterPageCase{"NegativeOffset", {-5, 75, 2329, 3358, 2479, 3508, 300, 300}, kNominal},
        PrinterPageCase{"LessThanHalfLeft", {700, 75, 1000, 3358, 2479, 3508, 300, 300}, kNominal}),
    [](const auto& info) { return std::string(info.param.name); });

// The page area inside a sheet drawn at any size: the margins scaled as the
// sheet is, each edge where the sheet's own lies; margins that leave less
// than half the sheet give the whole sheet.
TEST(PageAreaOnSheet, IsTheSheetLessItsMarginsScaledAsTheSheetIs) {
  const SheetSize a4 = PreviewSheetSize(1);
  const SheetArea own = PageAreaOnSheet({0, 0, a4.width, a4.height}, a4, NOMINAL_SHEET_MARGINS);
  EXPECT_EQ(own.left, 635);
  EXPECT_EQ(own.top, 635);
  EXPECT_EQ(own.width, a4.width - 1270);
  EXPECT_EQ(own.height, a4.height - 1270);
  const SheetArea shown = PageAreaOnSheet({10, 20, 210, 297}, a4, {635, 1270, 2540, 1905});
  EXPECT_EQ(shown.left, 10 + 6);                  // 6.35
  EXPECT_EQ(shown.top, 20 + 12);                  // 12.7
  EXPECT_EQ(shown.left + shown.width, 10 + 184);  // 210 - 25.4 = 184.6
  EXPECT_EQ(shown.top + shown.height, 20 + 277);  // 297 - 19.05 = 277.95
  const SheetArea wide = PageAreaOnSheet({10, 20, 210, 297}, a4, {5300, 0, 5300, 0});
  EXPECT_EQ(wide.left, 10);
  EXPECT_EQ(wide.width, 210);
  const SheetArea none = PageAreaOnSheet({0, 0, 0, 0}, a4, NOMINAL_SHEET_MARGINS);
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
}
