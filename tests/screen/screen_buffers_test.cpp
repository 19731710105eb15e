// The screen's cell buffers: merged values read back, cells kept for
// repainting, words split, and the grid's cells and points.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/screen/screen_cells_face.h"
#include "tests/screen/screen_page.h"

TEST(CellFieldValue, ACellWithoutAValueGivesOneBlank) {
  ScreenBuffersScope screen;
  screen.Merge(Cell(2, 30), '}', "17.5");
  EXPECT_EQ(GetCellFieldValue(Cell(2, 31)), " ");
  EXPECT_EQ(GetCellFieldValue(Cell(2, 30)), "17.5");
  EXPECT_EQ(GetCellFieldValue(-1), " ");
  EXPECT_EQ(GetCellFieldValue(SCREEN_CELLS), " ");
}

TEST(CellFieldValue, AtALeftMarkTheNumberWithoutItsUnit) {
  ScreenBuffersScope screen;
  screen.Merge(Cell(1, 10), '{', "12  kg");
  screen.Merge(Cell(1, 40), '}', "12  kg");
  EXPECT_EQ(GetCellFieldValue(Cell(1, 10)), "12");
  EXPECT_EQ(GetCellFieldValue(Cell(1, 40)), "12  kg");
}

TEST(CellFieldValue, TheValuesOfAPageFollowOneAnother) {
  ScreenBuffersScope screen;
  screen.Merge(Cell(0, 5), '{', "first");
  screen.Merge(Cell(0, 20), '{', "");
  screen.Merge(Cell(0, 30), '{', "third");
  EXPECT_EQ(GetCellFieldValue(Cell(0, 5)), "first");
  EXPECT_EQ(GetCellFieldValue(Cell(0, 20)), "");
  EXPECT_EQ(GetCellFieldValue(Cell(0, 30)), "third");
}

TEST(CellFieldValue, NoValueReadsPastTheCopysEnd) {
  ScreenBuffersScope screen;
  // What a longer page left behind the current page's NUL stays unread.
  const std::string stale = std::string("abc") + FIELD_SEPARATOR + "old value" + FIELD_SEPARATOR;
  std::memcpy(FIELD_DATA, stale.data(), stale.size());
  FIELD_DATA[3] = '\0';
  FIELD_INDEX[0] = 0;
  FIELD_INDEX[1] = 5;
  FIELD_INDEX[2] = 1999;
  FIELD_INDEX[3] = 1 << 30;
  EXPECT_EQ(GetCellFieldValue(0), "");  // the data ends before a byte 3
  EXPECT_EQ(GetCellFieldValue(1), "");
  EXPECT_EQ(GetCellFieldValue(2), "");
  EXPECT_EQ(GetCellFieldValue(3), "");
  // A full copy of 2000 bytes without a byte 3.
  std::memset(FIELD_DATA, 'x', FIELD_DATA_SIZE - 1);
  EXPECT_EQ(GetCellFieldValue(0), "");
}

TEST(KeepCells, StoresWhatIsShownFromItsFirstCell) {
  ScreenBuffersScope screen;
  const char attributes[] = {1, 2, 3};
  KeepCells("abc", attributes, 3, 1998);
  EXPECT_EQ(std::string(SCREEN_TEXT + 1998, 2), "ab");
  EXPECT_EQ(SCREEN_ATTRIBUTES[1999], 2);
  KeepCells("xyz", attributes, 3, 2000);
  KeepCells("xyz", attributes, 3, -1);
  EXPECT_EQ(std::string(SCREEN_TEXT + 1998, 2), "ab");
  // From the buffers themselves, overlapping or not.
  KeepCells(SCREEN_TEXT + 1998, SCREEN_ATTRIBUTES + 1998, 2, 1997);
  EXPECT_EQ(std::string(SCREEN_TEXT + 1997, 3), "abb");
}

TEST(SplitWords, ThreeWordsWithTwoBlanksBetweenTheFirstTwo) {
  int32_t count = -1;
  char* words[SPLIT_WORD_SLOTS] = {};
  SplitWords("a  b c", &count, words);
  EXPECT_EQ(count, 4);
  EXPECT_STREQ(words[1], "a");
  EXPECT_STREQ(words[2], "b");
  EXPECT_STREQ(words[3], "c");
  EXPECT_EQ(words[4], nullptr);
}

TEST(SplitWords, AnEmptyTextHasCountZero) {
  int32_t count = -1;
  char* words[SPLIT_WORD_SLOTS] = {};
  SplitWords("", &count, words);
  EXPECT_EQ(count, 0);
  SplitWords(nullptr, &count, words);
  EXPECT_EQ(count, 0);
  SplitWords("   ", &count, words);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(words[1], nullptr);
}

TEST(SplitWords, StaysWithinItsBufferAndSlots) {
  int32_t count = -1;
  char* words[SPLIT_WORD_SLOTS] = {};
  // 30 words: the first 19 fill the slots, and the count names no slot beyond them.
  std::string many;
  for (int i = 0; i < 30; ++i) many += std::string(1, static_cast<char>('A' + i % 26)) + " ";
  SplitWords(many.c_str(), &count, words);
  EXPECT_EQ(count, SPLIT_WORD_SLOTS);
  EXPECT_STREQ(words[19], "S");
  // 300 characters: the text is cut at 255.
  const std::string long_word(300, 'w');
  SplitWords(long_word.c_str(), &count, words);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(std::string(words[1]).size(), 255u);
}

struct PointCase {
  int32_t width;
  int32_t height;
  int32_t x;
  int32_t y;
  int32_t cell;
};

class PointToCellCases : public testing::TestWithParam<PointCase> {};

TEST_P(PointToCellCases, GiveACellOfTheGrid) {
  const PointCase& c = GetParam();
  EXPECT_EQ((ScreenGrid{c.width, c.height}.cell_at(c.x, c.y)), c.cell);
}

INSTANTIATE_TEST_SUITE_P(Points, PointToCellCases,
                         testing::Values(
                             // 800 by 500: cells of 10 by 20 pixels, the grid from x = 5.
                             PointCase{800, 500, 5, 0, 0}, PointCase{800, 500, 16, 21, 81},
                             PointCase{800, 500, 799, 499, 1999},
                             PointCase{800, 500, 794, 499, 1998},
                             // Left of the grid's first cell, right of column 80, below row 25.
                             PointCase{800, 500, 0, 45, 160}, PointCase{800, 500, -50, -50, 0},
                             PointCase{800, 500, 900, 45, 239}, PointCase{800, 500, 100, 900, 1929},
                             // A client area too small for a cell of one pixel.
                             PointCase{79, 500, 40, 40, 0}, PointCase{800, 24, 40, 10, 0},
                             PointCase{0, 0, 3, 3, 0},
                             // Points and client areas at the 32-bit limits.
                             PointCase{800, 500, INT32_MIN, INT32_MIN, 0},
                             PointCase{800, 500, INT32_MAX, INT32_MAX, 1999},
                             PointCase{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX, 1920},
                             PointCase{INT32_MAX, INT32_MAX, INT32_MAX, 0, 79},
                             PointCase{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, 0}));

TEST(ScreenGrid, CellsStartHalfACellFromTheLeftEdge) {
  const ScreenGrid grid{800, 500};
  EXPECT_EQ(grid.x(0), 5);
  EXPECT_EQ(grid.x(81), 15);
  EXPECT_EQ(grid.y(81), 20);
  EXPECT_EQ(grid.x(1999), 795);
  EXPECT_EQ(grid.y(1999), 480);
}

// Where a point or the caret is put: cells outside the screen at the nearest
// cell on it, and no position beyond what 32 bits hold.
TEST(ScreenGrid, PointsAndTheCaretStayOnTheScreen) {
  EXPECT_EQ(ScreenCellOf(-1), 0);
  EXPECT_EQ(ScreenCellOf(INT32_MIN), 0);
  EXPECT_EQ(ScreenCellOf(1234), 1234);
  EXPECT_EQ(ScreenCellOf(SCREEN_CELLS), 1999);
  EXPECT_EQ(ScreenCellOf(INT32_MAX), 1999);
  const ScreenGrid grid{800, 500};
  EXPECT_EQ(grid.caret_top(Cell(7, 12), 6), 7 * 20 + 20 - 6);
  EXPECT_EQ(grid.caret_top(0, INT32_MIN), INT32_MAX);
  EXPECT_EQ(grid.caret_top(1999, INT32_MAX), 480 + 20 - INT32_MAX);
  const ScreenGrid huge{INT32_MAX, INT32_MAX};
  EXPECT_EQ(huge.caret_top(1999, INT32_MIN), INT32_MAX);
  EXPECT_EQ(huge.y(INT32_MAX), INT32_MAX);
  EXPECT_EQ(huge.x(1999), 79 * (INT32_MAX / 80) + INT32_MAX / 160);
  const ScreenGrid negative{INT32_MIN, INT32_MIN};
  EXPECT_EQ(negative.y(INT32_MAX), INT32_MIN);
}
