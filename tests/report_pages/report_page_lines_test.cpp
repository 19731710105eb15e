#include "report/pages/report_page_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/page_cells.h"

namespace {

using page_test::BodyLine;
using page_test::Cells;
using page_test::Line;

std::vector<std::string> References(std::string_view text) {
  std::vector<std::string> found;
  for (std::size_t at = 0; const auto r = NextPictureReference(text, at); at = r->next)
    found.push_back((r->angle ? "<" : "{") + std::string(r->inside));
  return found;
}

TEST(PictureReferences, AngleBracketsFirstThenBracesWhereNoAngleIsLeft) {
  using V = std::vector<std::string>;
  EXPECT_EQ(References("<A.WMF 1 1 10 5>{B.WMF 1 6 10 9}"),
            (V{"<A.WMF 1 1 10 5", "{B.WMF 1 6 10 9"}));
  EXPECT_EQ(References("{B.WMF 1 6 10 9}<A.WMF 1 1 10 5>"), (V{"<A.WMF 1 1 10 5"}));
  EXPECT_EQ(References("<A 1 1 2 2> <B 1 3 2 4"), (V{"<A 1 1 2 2"}));  // no partner ends it
  EXPECT_EQ(References("{A 1 1 2 2"), V{});
  EXPECT_EQ(References("no references"), V{});
}

TEST(PictureReferences, AReferenceIsANameAndFourNumbersInsideItsBrackets) {
  const struct {
    std::string inside;
    const char* read;  // name c1 r1 c2 r2, or "none"
  } cases[] = {
      {"PLATE.ZFD 1 3 40 20", "PLATE.ZFD 1 3 40 20"},
      {"  LOGO.EMF\t41 1 80 10 and more", "LOGO.EMF 41 1 80 10"},
      {"A.WMF -1 +2 3 4", "A.WMF -1 2 3 4"},
      {"A.WMF 1 2 3", "none"},  // fewer than four numbers
      {"A.WMF 1 2 3 x4", "none"},
      {"A.WMF 1 2 3 2147483648", "none"},  // past the 32-bit range
      {"A.WMF 1 2 3 -2147483648", "A.WMF 1 2 3 -2147483648"},
      {"", "none"},
      {std::string(79, 'N') + " 1 1 2 2", "79 1 1 2 2"},
      {std::string(80, 'N') + " 1 1 2 2", "none"},
  };
  for (const auto& c : cases) {
    const auto r = ParsePictureReference(c.inside);
    std::string read = "none";
    if (r) {
      const std::string name = r->name.size() >= 79 ? std::to_string(r->name.size()) : r->name;
      read = name + " " + std::to_string(r->first_column) + " " + std::to_string(r->first_row) +
             " " + std::to_string(r->last_column) + " " + std::to_string(r->last_row);
    }
    EXPECT_EQ(read, c.read) << c.inside;
  }
}

TEST(PictureReferences, ContainerPicturesAreKnownByTheirExtension) {
  EXPECT_TRUE(IsContainerPicture("PLATE.ZFD"));
  EXPECT_TRUE(IsContainerPicture("plate.zfd"));
  EXPECT_TRUE(IsContainerPicture("A.B.Zfdx"));  // four characters compared
  EXPECT_FALSE(IsContainerPicture("PLATE.ZF"));
  EXPECT_FALSE(IsContainerPicture("ZFD.DQD"));
  EXPECT_FALSE(IsContainerPicture("PLATEZFD"));
}

// The rows of a reference as they stand in the file, with the lines above.
int32_t RowInFile(const std::vector<Line>& lines, int32_t first_row) {
  const std::string page = Cells(lines);
  const std::string refs = "<P.WMF 1 " + std::to_string(first_row) + " 10 20>";
  const auto pictures = TakePagePictures(refs, page.c_str(), page.c_str());
  return pictures.empty() ? -999 : pictures[0].reference.first_row;
}

TEST(PagePictures, RowsCountTheLinesAsTheyStandInTheFile) {
  EXPECT_EQ(RowInFile({{"a"}, {"", 'U'}, {"b"}, {"", '0'}}, 10), 10);
  EXPECT_EQ(RowInFile({{"a"}, {"", 'U'}, {"b"}, {"", 'U'}}, 10), 8);
  EXPECT_EQ(RowInFile({{"text", 'U'}, {"text", 'x'}, {"", '-'}}, 10), 8);
  EXPECT_EQ(RowInFile({{"", 'U'}, {"", 'X'}, {"", 'U'}}, 10), 9);  // the page ends at 'X'
  EXPECT_EQ(RowInFile({{"", 'U'}, {"", 'U'}, {"", 'U'}}, 2), 0);   // the first row's own line too
  EXPECT_EQ(RowInFile({{"", '*'}, {"", 'U'}}, 10), 10);
}

// Both rows move up by the lines left out above the first; a row the move
// would take past the 32-bit range stays where it is.
TEST(PagePictures, ARowMovedBeyondThirtyTwoBitsKeepsItsPlace) {
  const std::string page = Cells({{"", 'U'}, {"", 'U'}});
  const auto pictures = TakePagePictures("<P.WMF 1 10 10 -2147483647>", page.c_str(), page.c_str());
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].reference.first_row, 8);
  EXPECT_EQ(pictures[0].reference.last_row, -2147483647);  // -2147483649 would not fit
  const auto within = TakePagePictures("<P.WMF 1 10 10 -2147483646>", page.c_str(), page.c_str());
  ASSERT_EQ(within.size(), 1u);
  EXPECT_EQ(within[0].reference.last_row, -2147483647 - 1);
}

TEST(PagePictures, ShortTextsAndUnreadableReferencesGiveNoPicture) {
  const std::string page = Cells({});
  EXPECT_TRUE(TakePagePictures("<A 1 1 2 2>", page.c_str(), page.c_str()).size() == 1);
  EXPECT_TRUE(TakePagePictures("<A 1 1 2>", page.c_str(), page.c_str()).empty());
  EXPECT_TRUE(TakePagePictures("<A 1 1 2>{}", page.c_str(), page.c_str()).empty());
  const auto pictures =
      TakePagePictures("{B.EMF 5 6 7 8}<bad><A.zfd 1 2 3 4>", page.c_str(), page.c_str());
  ASSERT_EQ(pictures.size(), 1u);  // braces are looked for only where no '<' is left
  EXPECT_TRUE(pictures[0].container);
  EXPECT_EQ(FormatPictureLine(pictures[0].reference), "$$$A.zfd  1  2  3  4\n");
  EXPECT_EQ(FormatPictureLine({"LOGO.EMF", 41, -1, 180, 100}), "$$$LOGO.EMF 41 -1 180 100\n");
}

std::string Body(const std::vector<Line>& merged, const std::vector<Line>& controls,
                 std::string& marks) {
  const std::string u = Cells(merged), g = Cells(controls);
  return FormReportBody(u.c_str(), g.c_str(), marks.data());
}

TEST(ReportBody, ControlCharactersEndThePageOrLeaveLinesOut) {
  std::string marks(2000, ' ');
  // Line 3 with 'X' ends the page: lines 1 and 2 only.
  EXPECT_EQ(Body({{"one"}, {"two"}, {"three"}, {"four"}}, {{""}, {""}, {"", 'X'}}, marks),
            BodyLine("one", ' ') + BodyLine("two", ' '));
  const std::vector<Line> merged{{""}, {"with text"}, {""},     {"zero"}, {"small x"}, {"dash"},
                                 {""}, {""},          {"star"}, {""},     {"after"}};
  const std::vector<Line> controls{{"", 'U'}, {"", 'U'}, {"", '-'}, {"", '0'}, {"", 'x'}, {"", '-'},
                                   {"", '"'}, {"", '0'}, {"", '*'}, {"", '*'}, {"", ' '}};
  EXPECT_EQ(Body(merged, controls, marks),
            BodyLine("with text", 'U') + std::string(EXTRA_BLANK_LINE) + BodyLine("zero", '0') +
                BodyLine("dash", '-') + BodyLine("", '"') + std::string(EXTRA_BLANK_LINE) +
                BodyLine("", '0') + BodyLine("star", '*'));
  EXPECT_EQ(EXTRA_BLANK_LINE, std::string(80, ' ') + "\t \n");
}

TEST(ReportBody, AllTwentyFourLinesWithoutAnEnd) {
  std::string marks(2000, ' ');
  const std::string body = Body({}, {}, marks);
  std::string expected;
  for (int i = 0; i < 24; ++i) expected += BodyLine("", ' ');
  EXPECT_EQ(body, expected);
}

TEST(ReportBody, LinesCarryTheirMarksUpToTheLastOne) {
  std::string marks(2000, ' ');
  marks.replace(0, 30, "ab{cd}ef~gh    {             z");
  marks.replace(80, 10, std::string("x}y\0z", 5));
  marks[80 + 79] = '}';  // column 80 is no mark of the text
  const std::string body = Body({{"Duty"}, {"Area"}, {"Plain"}}, {}, marks);
  const std::string expected = BodyLine("Duty", ' ', "  {  }  ~      {") +
                               BodyLine("Area", ' ', " }") + BodyLine("Plain", ' ');
  EXPECT_EQ(body.substr(0, expected.size()), expected);
  // The other characters are blanked in the marks themselves, NULs excepted.
  EXPECT_EQ(marks.substr(0, 30), "  {  }  ~      {              ");
  EXPECT_EQ(marks.substr(80, 5), std::string(" } \0 ", 5));
}

TEST(ReportBody, NulsAndLineBreaksOfThePageShowAsBlanks) {
  std::string merged = Cells({{"a"}});
  merged[1] = '\0';
  merged[2] = '\n';
  merged[3] = '\r';
  merged[4] = 'b';
  merged[79] = 'Z';  // column 80 of the merged page is not written
  std::string marks(2000, ' ');
  const std::string controls = Cells({{"", 'U'}});
  const std::string body = FormReportBody(merged.c_str(), controls.c_str(), marks.data());
  EXPECT_EQ(body.substr(0, 83), BodyLine("a   b", 'U'));
}

}  // namespace
