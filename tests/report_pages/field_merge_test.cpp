#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "report/pages/report_page_lines.h"
#include "report/pages/report_pages_face.h"
#include "report/screen/screen_cells_face.h"
#include "tests/common/exact_cells.h"
#include "tests/common/field_data_text.h"
#include "tests/common/page_cells.h"

namespace {

using field_data_test::FieldList;
using page_test::BodyLine;
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
  cells[1918] = '{';
  const Merge m = MergeInto(cells, FieldList("12345|abcdef|xyz|"));
  EXPECT_EQ(m.merged.substr(0, 4), "ef5 ");  // from cells -2 and -4 on
  EXPECT_EQ(m.merged.substr(1917, 3), " x ");
  EXPECT_EQ(m.merged.size(), static_cast<std::size_t>(PAGE_CELLS));
}

// Column 80 holds the line's control character: a value that reaches it, or
// would run on into a row beside its own, is cut at the edge of its row.
TEST(FieldMerge, ValuesStayInColumnsOneTo79OfTheirRow) {
  const struct {
    const char* name;
    int column;  // of the mark in row 2, from 1
    char mark;
    const char* value;
    int text_column;   // where the row's text starts after the merge
    const char* text;  // the row's text, blanks after it trimmed
  } cases[] = {
      {"end page", 69, '{', "Remark: ok X", 69, "Remark: ok"},
      {"leave out", 70, '{', "1234567890x", 70, "1234567890"},
      {"line feed", 78, '{', "ab\n", 78, "ab"},
      {"into the row above", 3, '}', "abcdef", 1, "def"},
      {"centred over the row's start", 2, '~', "abcdefghij", 1, "efghij"},
      {"a mark in column 80", 80, '{', "X", 1, ""},
  };
  for (const auto& c : cases) {
    std::string cells = Cells({{"", 'U'}, {"", '0'}, {"", '*'}});
    const int mark_cell = 80 + c.column - 1;
    cells[mark_cell] = c.mark;
    const Merge m = MergeInto(cells, FieldList(std::string(c.value) + "|"));
    std::string row = m.Row(1);
    row.erase(row.find_last_not_of(' ') + 1);
    EXPECT_EQ(row, std::string(c.text_column - 1, ' ') + c.text) << c.name;
    EXPECT_EQ(m.Row(0), std::string(79, ' ')) << c.name;
    EXPECT_EQ(m.Row(2), std::string(79, ' ')) << c.name;
    EXPECT_EQ(m.page[79], 'U') << c.name;
    if (c.column != 80) EXPECT_EQ(m.page[80 + 79], '0') << c.name;
    EXPECT_EQ(m.page[160 + 79], '*') << c.name;
    EXPECT_EQ(FIELD_INDEX[mark_cell], 0) << c.name;
  }
}

// The page a value at column 80 would have ended still reaches the report whole.
TEST(FieldMerge, AValueEndingInColumn80LeavesTheReportLinesWhole) {
  std::string cells = Cells({{"Remark"}, {"Next line"}});
  cells[68] = '{';
  const Merge m = MergeInto(cells, FieldList("Remark: ok X|"));
  std::string marks(2000, ' ');
  const std::string body = FormReportBody(m.merged.c_str(), m.page.c_str(), marks.data());
  EXPECT_EQ(body.substr(0, 2 * 83), BodyLine("Remark" + std::string(62, ' ') + "Remark: ok", ' ') +
                                        BodyLine("Next line", ' '));
  EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 24);
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

TEST(FieldMerge, ColumnEightyOfTheMergedPageIsTheControlCharacter) {
  std::string cells = Cells({{"", 'U'}, {"", '#'}, {"", '0'}});
  cells[2 * 80 + 76] = '{';  // a value running into column 80
  const Merge m = MergeInto(cells, FieldList("abcd|"));
  EXPECT_EQ(m.page[79], 'U');
  EXPECT_EQ(m.page[80 + 79], ' ');
  EXPECT_EQ(m.page[160 + 79], '0');
  EXPECT_EQ(m.Row(2, 76, 4), "abc0");
}

}  // namespace
