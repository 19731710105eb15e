// The value at a layout mark or before a column of '=' signs.
#include <gtest/gtest.h>

#include "report/screen/line_characters_face.h"
#include "tests/screen/screen_page.h"

namespace {

struct Row {
  ExactCells text{2000};
  ExactCells marks{2000};
  // One row of text from column 0 and its marks beneath, '.' standing for no mark.
  Row(int32_t row, std::string_view line, std::string_view mark_line) {
    text.put(Cell(row, 0), line);
    for (std::size_t i = 0; i < mark_line.size(); ++i)
      if (mark_line[i] != '.') marks[Cell(row, static_cast<int32_t>(i))] = mark_line[i];
  }
  std::string value(int32_t cell, int32_t lower_bound = 0) const {
    return GetAlignedSegment(text.view(), marks.view(), cell, lower_bound);
  }
};

struct AlignedCase {
  const char* name;
  const char* line;
  const char* marks;  // '.' no mark
  int32_t column;
  const char* value;
};

class AlignedValues : public testing::TestWithParam<AlignedCase> {};

TEST_P(AlignedValues, TakeTheStretchTheMarkNames) {
  const AlignedCase& c = GetParam();
  const Row row(2, c.line, c.marks);
  EXPECT_EQ(row.value(Cell(2, c.column)), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, AlignedValues,
    testing::Values(
        // A '}' under a number's last digit: the number, over the two blanks before it.
        AlignedCase{"RightNumber", "Flow rate  1234.5  kg/s", "................}", 16, "1234.5"},
        // Words with single blanks between them belong to a right-aligned value.
        AlignedCase{"RightWords", "   heat exchanger one", "....................}", 20,
                    "heat exchanger one"},
        // Two dots stop it: a leader before the number.
        AlignedCase{"RightAfterLeader", "Length.......123", "...............}", 15, "123"},
        AlignedCase{"RightAfterLine", "|12 |", "..}", 2, "12"},
        // A value ending in '=' takes the word before it with the blank between.
        AlignedCase{"EqualsTakesOneWord", "Heat exchanger area =", "", 20, "area ="},
        // ... and only the '=' when an operator stands in that word.
        AlignedCase{"EqualsAfterFormula", "x = a*b =", "", 8, "="},
        AlignedCase{"EqualsAfterDivision", "   kW/m2 =", "", 9, "="},
        // '{' runs right to two blanks, a line character or column 80.
        AlignedCase{"LeftToTwoBlanks", "12 kg   more", "{", 0, "12 kg"},
        AlignedCase{"LeftToALine", "12|34", "{", 0, "12"},
        AlignedCase{"LeftBeforeARightMark", "ab cd ef", "{......}", 0, "ab cd"},
        // '~' reaches both ways.
        AlignedCase{"Centred", "|  Steam side  |", ".......~", 7, "Steam side"},
        AlignedCase{"NoMark", "plain text", "", 3, ""}),
    [](const testing::TestParamInfo<AlignedCase>& info) { return std::string(info.param.name); });

TEST(AlignedValues, TheLowerBoundCutsTheStart) {
  const Row row(0, "  heat exchanger one", "...................}");
  EXPECT_EQ(row.value(19), "heat exchanger one");
  EXPECT_EQ(row.value(19, 7), "exchanger one");
}

TEST(AlignedValues, AValueStaysInItsRow) {
  Row row(1, "123 tail", "..}");
  row.text.put(Cell(0, 70), "abcdefghij");
  EXPECT_EQ(FindSegmentStart(row.text.view(), row.marks.view(), Cell(1, 2)), Cell(1, 0));
  EXPECT_EQ(row.value(Cell(1, 2)), "123");
  // A left-aligned value at column 79's neighbour ends before column 80.
  row.text.put(Cell(1, 75), "abcde");
  row.text.put(Cell(2, 0), "next");
  row.marks[Cell(1, 75)] = '{';
  EXPECT_EQ(FindSegmentEnd(row.text.view(), row.marks.view(), Cell(1, 75)), Cell(1, 78));
  EXPECT_EQ(row.value(Cell(1, 75)), "abcd");
}

TEST(AlignedValues, AValueStaysInItsText) {
  // A text of the row's first ten cells only.
  ExactCells cells(10);
  cells.put(0, "abc def gh");
  const CellText text{cells.data(), 0, 10};
  ExactCells marks(10);
  marks[0] = '{';
  EXPECT_EQ(FindSegmentEnd(text, marks.view(), 0), 9);
  EXPECT_EQ(GetAlignedSegment(text, marks.view(), 0, 0), "abc def gh");
  // The same cells as cells 1000 to 1009: the walk left stops at the text's first cell.
  const CellText later{cells.data(), 1000, 10};
  EXPECT_EQ(FindSegmentStart(later, CellText{}, 1006), 1004);
  EXPECT_EQ(GetAlignedSegment(later, CellText{}, 1000, 0), "");
  EXPECT_EQ(GetAlignedSegment(later, CellText{}, 999, 0), "");
}

}  // namespace
