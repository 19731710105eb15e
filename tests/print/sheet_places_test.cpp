// Where the pages of a sheet lie: every cell of every page, with its
// offsets, inside its place and inside the sheet frame, the frame on the
// sheet; and the preview's sheet in the paper's proportions in its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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
