#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "exact_cells.h"
#include "field_data_text.h"
#include "page_cells.h"
#include "report_pages.h"
#include "screen_cells.h"

namespace {

using field_data_test::FieldList;
using page_test::Cells;
using page_test::Line;

struct Merge {
  std::string merged;
  std::string page;
  std::string data;

  std::string Row(int line, int from = 0, int count = 79) const {
    return merged.substr(line * 80 + from, count);
  }
};

// The merge of the field data into the page given cell by cell.
Merge MergeInto(std::string page, std::string data) {
  Merge m{std::string(PAGE_CELLS, '?'), std::move(page), std::move(data)};
  MergeFieldData(m.merged.data(), m.page.data(), m.data.data(),
                 static_cast<int64_t>(m.data.size()));
  return m;
}

TEST(FieldMerge, ValuesAlignOnTheirMarks) {
  const Merge m = MergeInto(Cells({{"  }    {    ~       `"}}), FieldList("12|12|abc|abc|"));
  EXPECT_EQ(m.Row(0, 0, 24), " 12    12  abc     abc  ");
  EXPECT_EQ(FIELD_INDEX[2], 0);
  EXPECT_EQ(FIELD_INDEX[7], 3);
  EXPECT_EQ(FIELD_INDEX[12], 6);
  EXPECT_EQ(FIELD_INDEX[20], 10);
  EXPECT_STREQ(FIELD_DATA, field_data_test::Values("12|12|abc|abc|").c_str());
}

TEST(FieldMerge, ValuesGoRowByRowLeftToRight) {
  const Merge m = MergeInto(Cells({{"  }   }"}, {"{"}}), FieldList("a|b|c|"));
  EXPECT_EQ(m.Row(0, 0, 8), "  a   b ");
  EXPECT_EQ(m.Row(1, 0, 2), "c ");
}

TEST(FieldMerge, EmptyValuesAndMissingOnesLeaveBlankCells) {
  const Merge m = MergeInto(Cells({{"{   {   {   {"}}), FieldList("x||y|"));
  EXPECT_EQ(m.Row(0, 0, 14), "x       y     ");
  EXPECT_EQ(FIELD_INDEX[4], -1);
  EXPECT_EQ(FIELD_INDEX[12], -1);  // no fourth value
  EXPECT_EQ(FIELD_INDEX[8], 3);
}

TEST(FieldMerge, TheLastValueNeedsNoByte3) {
  const Merge m = MergeInto(Cells({{"{   {"}}), FieldList("x|yz"));
  EXPECT_EQ(m.Row(0, 0, 6), "x   yz");
}

TEST(FieldMerge, AListWithoutItsEndMergesNothing) {
  std::string data(1999, 'v');
  data += '\x19';
  const Merge m = MergeInto(Cells({{"{   }"}}), data);
  EXPECT_EQ(m.Row(0, 0, 6), "      ");
  EXPECT_EQ(m.data[0], '\x19');
  EXPECT_EQ(FIELD_INDEX[0], -1);
  EXPECT_STREQ(FIELD_DATA, "");
  const Merge cut =
      MergeInto(Cells({{"{"}}), field_data_test::Values("v|"));  // no byte 25 within its length
  EXPECT_EQ(cut.Row(0, 0, 2), "  ");
  EXPECT_EQ(cut.data[0], '\x19');
}

TEST(FieldMerge, NulBytesOfTheDataAreBlanks) {
  std::string data = FieldList("a b|");
  data[1] = '\0';
  const Merge m = MergeInto(Cells({{"{"}}), data);
  EXPECT_EQ(m.Row(0, 0, 4), "a b ");
  EXPECT_STREQ(FIELD_DATA, "a b\x03");
}

TEST(FieldMerge, ValuesAreWrittenOnlyInsideThePage) {
  std::string cells(PAGE_CELLS, ' ');
  cells[0] = '~';
  cells[1] = '}';
  cells[1919] = '{';
  const Merge m = MergeInto(cells, FieldList("12345|abcdef|xyz|"));
  EXPECT_EQ(m.merged.substr(0, 4), "ef5 ");  // from cells -2 and -4 on
  EXPECT_EQ(m.merged.substr(1917, 3), "  x");
  EXPECT_EQ(m.merged.size(), static_cast<std::size_t>(PAGE_CELLS));
}

TEST(FieldMerge, TheTemplateKeepsWhatStandsBesideItsMarks) {
  std::string cells = Cells({{"a{b c}d `#@~"}});
  cells[13] = '\0';
  cells[0] = '}';
  cells[1919] = '{';
  const Merge m = MergeInto(cells, FieldList(""));
  EXPECT_EQ(m.page.substr(0, 14), " bb ccd ##@   ");
  EXPECT_EQ(m.page[1919], ' ');
  EXPECT_EQ(m.merged.substr(0, 14), "  b c d       ");
}

// The template page in a heap block of exactly its 1920 cells: a '{' in its
// last cell takes a blank for the cell beside it, and nothing past the page
// is read.
TEST(FieldMerge, AMarkInThePagesLastCellReadsNothingPastIt) {
  ExactCells page(PAGE_CELLS);
  page.put(PAGE_CELLS - 5, "ab}c");
  page[PAGE_CELLS - 1] = '{';
  std::string data = FieldList("");
  std::string merged(PAGE_CELLS, '?');
  MergeFieldData(merged.data(), page.data(), data.data(), static_cast<int64_t>(data.size()));
  EXPECT_EQ(page.at(PAGE_CELLS - 5, 5), "abbc ");
  EXPECT_EQ(merged.substr(PAGE_CELLS - 5), "ab c ");
}

TEST(FieldMerge, PickerGroupsAreBlanked) {
  const Merge m = MergeInto(Cells({{"Pick [[A PLATE]] or [[B FRAME]] here"}, {"[ not a group"}}),
                            FieldList(""));
  const std::string group(11, ' ');
  EXPECT_EQ(m.Row(0, 0, 36), "Pick " + group + " or " + group + " here");
  EXPECT_EQ(m.Row(1, 0, 13), "[ not a group");
}

TEST(FieldMerge, ColumnEightyOfTheMergedPageBecomesTheControlCharacter) {
  std::string cells = Cells({{"", 'U'}, {"", '#'}, {"", '0'}});
  cells[2 * 80 + 76] = '{';  // a value running into column 80
  const Merge m = MergeInto(cells, FieldList("abcd|"));
  EXPECT_EQ(m.page[79], 'U');
  EXPECT_EQ(m.page[80 + 79], ' ');
  EXPECT_EQ(m.page[160 + 79], 'd');
}

}  // namespace
