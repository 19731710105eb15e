#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/pages/report_pages_face.h"
#include "tests/common/page_cells.h"

namespace {

using page_test::Cells;
using page_test::PageText;

// Twelve items in the header's columns 21-28, 31-38, ..., 71-78.
std::string ItemsLine(const std::string& start, char first) {
  std::string line = start;
  line.resize(20, ' ');
  for (int k = 0; k < 6; ++k) line += std::string(8, static_cast<char>(first + k)) + "  ";
  return line;
}

struct Header {
  std::string page = std::string(PAGE_CELLS + 8, '#');  // a guard after the page
  std::string options = std::string(PAGE_OPTIONS_LENGTH, '?');
  std::string items = std::string(HEADER_ITEMS_SIZE, '?');
  int32_t cursor = -1;
  int32_t under_text = 7;
  std::vector<std::string> loads;
  std::size_t end = 0;

  void Read(const char* mode, const std::string& text, std::size_t length = std::string::npos) {
    static Header* self;
    self = this;
    const HeaderPictures pictures{&under_text,
                                  [](const char* refs) { self->loads.push_back(refs); }};
    end = ReadTemplateHeader(mode, text.data(), std::min(length, text.size()), page.data(),
                             options.data(), items.data(), &cursor, pictures);
  }
  std::string Body() const { return page.substr(0, PAGE_CELLS); }
};

class TemplateHeader : public ::testing::Test {
 protected:
  void SetUp() override { PICTURE_REFS[0] = '\0'; }
};

TEST_F(TemplateHeader, ReadsItemsOptionsAndTheBody) {
  std::vector<std::string> body;
  for (int i = 0; i < 24; ++i) body.push_back("line " + std::to_string(i + 1));
  body[23] += std::string(74 - body[23].size(), ' ') + "{   }X";  // column 80: the control
  const std::string text = PageText(ItemsLine("TITLE", 'a'), ItemsLine("YNHNNFNNNNNNN", 'm'), body);
  Header h;
  h.Read("D  ", text + "+extra bytes of the next page");
  EXPECT_EQ(h.options, "YNHNNFNNNNNNN");
  EXPECT_EQ(h.items,
            "aaaaaaaabbbbbbbbccccccccddddddddeeeeeeeeffffffff"
            "mmmmmmmmnnnnnnnnooooooooppppppppqqqqqqqqrrrrrrrr    ");
  std::vector<page_test::Line> lines;
  for (int i = 0; i < 23; ++i) lines.push_back({body[i]});
  lines.push_back({std::string_view(body[23]).substr(0, 79), 'X'});
  EXPECT_EQ(h.Body(), Cells(lines));
  EXPECT_EQ(h.page.substr(PAGE_CELLS), "########");
  EXPECT_EQ(h.end, text.size());  // right after the 24th line
  EXPECT_EQ(h.under_text, 7);     // no pictures: the flag stays
  EXPECT_STREQ(PICTURE_REFS, "");
  EXPECT_TRUE(h.loads.empty());
}

TEST_F(TemplateHeader, NoOptionsForAnNModeOrAPrintedDialog) {
  const std::string text = PageText("", "YYYYYYYYYYYYY", {});
  for (const char* mode : {"DN ", "_PD", "SN"}) {
    Header h;
    h.Read(mode, text);
    EXPECT_EQ(h.options, std::string(13, 'N')) << mode;
  }
  Header plain;
  plain.Read("D", text);
  EXPECT_EQ(plain.options, std::string(13, 'Y'));
}

TEST_F(TemplateHeader, PictureReferencesOfTheHeaderAreAppended) {
  std::strcpy(PICTURE_REFS, "<REQ.WMF 1 1 5 5>");
  Header h;
  h.Read("D", PageText("<A.WMF 1 1 10 5> {B.WMF 1 6 10 9}", "{C.ZFD 1 10 40 20}", {}));
  EXPECT_STREQ(PICTURE_REFS, "<REQ.WMF 1 1 5 5><A.WMF 1 1 10 5>{B.WMF 1 6 10 9}{C.ZFD 1 10 40 20}");
  EXPECT_EQ(h.under_text, 0);    // the kind of the last pair taken
  EXPECT_TRUE(h.loads.empty());  // a page request leaves the pictures unloaded

  PICTURE_REFS[0] = '\0';
  Header braces_first;
  braces_first.Read("S", PageText("{B.WMF 1 6 10 9} <A.WMF 1 1 10 5>", "", {}));
  EXPECT_STREQ(PICTURE_REFS, "<A.WMF 1 1 10 5>");
  EXPECT_EQ(braces_first.under_text, 1);
  EXPECT_EQ(braces_first.loads, std::vector<std::string>{"<A.WMF 1 1 10 5>"});

  // A '<' without its '>' ends the scan, braces before it or not.
  PICTURE_REFS[0] = '\0';
  Header open_angle;
  open_angle.Read("D", PageText("<A.WMF 1 1 10 5> {B.WMF 1 6 10 9}", "<C.ZFD 1 10 40 20", {}));
  EXPECT_STREQ(PICTURE_REFS, "<A.WMF 1 1 10 5>");
  EXPECT_EQ(open_angle.under_text, 1);
}

// Each row its own text, odd rows shorter than even ones, so that the cut
// part of a long row running on into the next row would show there.
std::vector<std::string> DistinctRows(std::size_t even_length, std::size_t odd_length) {
  std::vector<std::string> rows;
  for (int i = 0; i < 24; ++i) {
    std::string row(even_length + odd_length, static_cast<char>('A' + i));
    row.replace(0, 2, std::to_string(10 + i));
    row.resize(i % 2 == 0 ? even_length : odd_length);
    rows.push_back(row);
  }
  return rows;
}

std::string RowCells(const std::vector<std::string>& rows) {
  std::string cells;
  for (const std::string& row : rows) {
    cells += row.substr(0, 80);
    cells.resize(cells.size() + 80 - std::min<std::size_t>(row.size(), 80), ' ');
  }
  return cells;
}

TEST_F(TemplateHeader, LongLinesAreCutAtColumn80) {
  const std::vector<std::string> rows = DistinctRows(100, 5);  // within the 2050 bytes read
  Header h;
  h.Read("D", PageText("", "", rows));
  EXPECT_EQ(h.Body(), RowCells(rows));
  EXPECT_EQ(h.page.substr(PAGE_CELLS), "########");
  // A long first header line: the second still gives the options.
  Header header;
  header.Read("D", PageText(std::string(90, 'H') + "<X.WMF 1 1 2 2>", "YYYYYYYYYYYYY", {"body"}));
  EXPECT_EQ(header.options, "YYYYYYYYYYYYY");
  EXPECT_EQ(header.Body().substr(0, 4), "body");
  EXPECT_STREQ(PICTURE_REFS, "");  // past column 80: not in the header
}

// What a long header line loses past column 80 leaves the header's room to
// the second line: its options whole, and every body row in its place.
TEST_F(TemplateHeader, CutHeaderCharactersDoNotCountAgainstTheHeader) {
  const std::vector<std::string> rows = DistinctRows(60, 60);
  Header h;
  h.Read("D", PageText(std::string(150, 'H'), ItemsLine("YNHNNFNNNNNNN", 'm'), rows));
  EXPECT_EQ(h.options, "YNHNNFNNNNNNN");
  EXPECT_EQ(h.items.substr(48, 8), "mmmmmmmm");
  EXPECT_EQ(h.Body(), RowCells(rows));
}

TEST_F(TemplateHeader, OnlyTheBytesReadAreParsed) {
  const std::string text = PageText("", "", {"first", "second"}) + "third\r\n";
  Header h;
  h.Read("D", text, text.size() - 7);
  EXPECT_EQ(h.Body(), Cells({{"first"}, {"second"}}));
  EXPECT_EQ(h.end, text.size() - 7);
  Header none;
  none.Read("D", "", 0);
  EXPECT_EQ(none.Body(), std::string(PAGE_CELLS, ' '));
  EXPECT_EQ(none.options, std::string(13, ' '));
  EXPECT_EQ(none.end, 0u);
  // No more than the page buffer's 2050 bytes.
  const std::string big = PageText("", "", {}) + std::string(3000, 'B');
  Header capped;
  capped.Read("D", big);
  EXPECT_EQ(capped.end, 2050u);
}

TEST_F(TemplateHeader, ABlankUnderscoreAndFOrPMarkTheCursorCell) {
  const std::string text = PageText("", "", {"Name _F here", "_P at the start", "x_P no blank"});
  Header d;
  d.Read("D", text);
  EXPECT_EQ(d.Body().substr(0, 16), "Name  F here    ");
  EXPECT_EQ(d.Body().substr(80, 3), "_P ");
  EXPECT_EQ(d.Body().substr(160, 3), "x_P");
  EXPECT_EQ(d.cursor, -1);  // a page request takes no cursor cell
  Header s;
  s.Read("S", text);
  EXPECT_EQ(s.cursor, 5);
}

}  // namespace
