// The report reader: which lines make a page, what each page line holds,
// where the pictures go and which drawing of the container each shows.
#include "report/print/report_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "report/print/page_buffers.h"
#include "tests/print/report_pages_sink.h"

namespace {

// Reads the report text through a C file, as printing and preview do.
std::vector<ReadPage> Read(const std::string& report, int32_t font_mode = 0,
                           const std::string& path = "C:\\CASES\\RUN1.DQO",
                           int32_t* container_pictures = nullptr) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  if (!file) return {};
  std::fwrite(report.data(), 1, report.size(), file);
  std::rewind(file);
  PageRecorder recorder;
  int32_t count = -1;
  ReportReader reader(path, font_mode, container_pictures ? *container_pictures : count, recorder);
  ReadReportFile(file, reader);
  std::fclose(file);
  return recorder.pages;
}

std::string Lines(int from, int to) {
  std::string out;
  for (int i = from; i <= to; ++i) out += BodyLine("line " + std::to_string(i));
  return out;
}

}  // namespace

TEST(ReportReader, AWrittenBodyLineGivesItsTextControlCharacterAndMarks) {
  const auto pages = Read(BodyLine("Flow rate ....: 12.5", 'b', "                   }"));
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].text.size(), 1u);
  EXPECT_EQ(pages[0].Row(0), "Flow rate ....: 12.5");
  EXPECT_EQ(pages[0].text[0][79], 'b');
  EXPECT_EQ(pages[0].marks[0][19], '}');
  EXPECT_EQ(pages[0].marks[0].substr(0, 19), std::string(19, ' '));
  EXPECT_EQ(pages[0].marks[0][79], 'b');
}

struct SplitCase {
  const char* name;
  std::string line;
  int32_t font_mode;
  std::string text;   // the 80 text cells expected, blanks to 80
  std::string marks;  // the 80 mark cells expected, blanks to 80
};

class BodyLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(BodyLineSplit, GivesTheCellsOfTextAndMarks) {
  const SplitCase& c = GetParam();
  char text[80];
  char marks[80];
  SplitBodyLine(c.line, c.font_mode, text, marks);
  std::string want_text = c.text;
  want_text.resize(80, ' ');
  std::string want_marks = c.marks;
  want_marks.resize(80, ' ');
  EXPECT_EQ(std::string(text, 80), want_text);
  EXPECT_EQ(std::string(marks, 80), want_marks);
}

std::string At80(std::string s, char last) {
  s.resize(79, ' ');
  return s + last;
}

INSTANTIATE_TEST_SUITE_P(Lines, BodyLineSplit,
                         ::testing::Values(
                             // A text shorter than 80 keeps its tab, and its marks stay blank.
                             SplitCase{"ShortTextKeepsItsTab", "A\txyz\n", 0, At80("A\txyz", 'x'),
                                       At80("", 'x')},
                             SplitCase{"NoTabNoControlCharacter", "Plain text\n", 0,
                                       At80("Plain text", ' '), At80("", ' ')},
                             SplitCase{"NulAndLineFeedBecomeBlanks", std::string("A\0B\n", 4), 0,
                                       At80("A B", ' '), At80("", ' ')},
                             // The last tab splits; the marks start after the control character.
                             SplitCase{"SplitAtTheLastTab", std::string(80, 'a') + "\tq\t1{ }\n", 0,
                                       At80(std::string(79, 'a'), '1'), At80("{ }", '1')},
                             SplitCase{"FixedPitchTakesTheWholeLine", "A\tB\n", 1, "A B", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReportReader, AControlCharacterOneStartsANewPage) {
  const auto pages =
      Read(BodyLine("Title", '1') + BodyLine("a") + BodyLine("Next", '1') + BodyLine("b"));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Row(0), "Title");
  EXPECT_EQ(pages[0].text.size(), 2u);
  EXPECT_EQ(pages[1].Row(0), "Next");
}

TEST(ReportReader, SeventyLinesPrintAsPagesOfSixtyOneAndNine) {
  const auto pages = Read(Lines(1, 70));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].text.size(), 61u);
  EXPECT_EQ(pages[0].Row(60), "line 61");
  EXPECT_EQ(pages[1].text.size(), 9u);
  EXPECT_EQ(pages[1].Row(0), "line 62");
}

TEST(ReportReader, BothPageBreakLinesEndAPageAndABreakWithoutLinesDoesNothing) {
  const auto pages =
      Read("[Page break]\n" + BodyLine("one") + "[PAGE BREAK] rest\n" + "[page break]\n" +
           BodyLine("two") + std::string(REPORT_PAGE_BREAK_LINE) + "\n" + BodyLine("three"));
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(pages[0].before_break);
  EXPECT_TRUE(pages[1].before_break);
  EXPECT_FALSE(pages[2].before_break);
  EXPECT_EQ(pages[1].Row(0), "two");
  EXPECT_EQ(pages[2].Row(0), "three");
}

TEST(ReportReader, TheComponentBreakPrintsAsText) {
  const std::string component =
      "------------------------- Component Break --------------------------";
  const auto pages = Read(component + "\n");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].Row(0), component);
}

TEST(ReportReader, PicturesArePlacedAtTheNextBodyLineWithItsRow) {
  const auto pages = Read(BodyLine("a") + "$$$LOGO.WMF  1  1 10  5\n" + BodyLine("b"));
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].pictures.size(), 1u);
  EXPECT_STREQ(pages[0].pictures[0].reference, "LOGO.WMF  1  1 10  5");
  EXPECT_EQ(pages[0].pictures[0].row, 1);
  EXPECT_EQ(pages[0].Row(1), "b");
}

TEST(ReportReader, TheEleventhPictureLineInARowIsText) {
  std::string report;
  for (int i = 1; i <= 11; ++i) report += "$$$P" + std::to_string(i) + ".WMF 1 1 2 2\n";
  const auto pages = Read(report + BodyLine("body"));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].Row(0), "$$$P11.WMF 1 1 2 2");
  EXPECT_EQ(pages[0].pictures.size(), 10u);
  EXPECT_EQ(pages[0].pictures[0].row, 0);
}

TEST(ReportReader, APageHoldsTenPicturesAndDropsTheRest) {
  std::string report;
  for (int i = 1; i <= 5; ++i) report += "$$$A" + std::to_string(i) + ".WMF 1 1 2 2\n";
  report += BodyLine("first");
  for (int i = 1; i <= 8; ++i) report += "$$$B" + std::to_string(i) + ".WMF 1 1 2 2\n";
  report += BodyLine("second");
  const auto pages = Read(report);
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].pictures.size(), 10u);
  EXPECT_STREQ(pages[0].pictures[9].reference, "B5.WMF 1 1 2 2");
  EXPECT_EQ(pages[0].pictures[9].row, 1);
}

TEST(ReportReader, ContainerReferencesShowTheReportsOwnContainerInFileOrder) {
  const std::string report = "$$$PLATE.zfd  1  2 40 20\n" + BodyLine("a") +
                             "$$$OTHER.ZFD 1 1 2 2\n" + "$$$LOGO.WMF 1 1 2 2\n" +
                             "$$$THIRD.ZFD 3 4 5 6\n" + BodyLine("b");
  for (int copy = 0; copy < 2; ++copy) {
    int32_t count = 99;
    const auto pages = Read(report, 0, "C:\\CASES\\RUN1.DQO", &count);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].pictures.size(), 4u);
    EXPECT_STREQ(pages[0].pictures[0].reference, "C:\\CASES\\RUN1.ZFD  1  2 40 20");
    EXPECT_EQ(pages[0].pictures[0].drawing_number, 1);
    EXPECT_STREQ(pages[0].pictures[2].reference, "LOGO.WMF 1 1 2 2");
    EXPECT_STREQ(pages[0].pictures[3].reference, "C:\\CASES\\RUN1.ZFD 3 4 5 6");
    EXPECT_EQ(pages[0].pictures[3].drawing_number, 3);
    EXPECT_EQ(count, 3);
  }
}

TEST(ReportReader, AContainerReferenceDroppedOnAFullPageStillCounts) {
  std::string report;
  for (int i = 1; i <= 10; ++i) report += "$$$D.ZFD 1 1 2 2\n";
  report += BodyLine("full");
  report += "$$$E.ZFD 1 1 2 2\n" + BodyLine("still full");
  report += BodyLine("next", '1');
  report += "$$$F.ZFD 1 1 2 2\n" + BodyLine("shown");
  const auto pages = Read(report);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].pictures.size(), 10u);
  ASSERT_EQ(pages[1].pictures.size(), 1u);
  EXPECT_EQ(pages[1].pictures[0].drawing_number, 12);
}

// A picture line's reference always fits its entry (the line buffer cuts a
// longer line, which then names no picture); the loader judges the name.
TEST(ReportReader, ALongReferenceIsKeptWhole) {
  const std::string name79 = std::string(75, 'N') + ".WMF";
  const std::string kept = name79 + " 80 61 80 61";
  const std::string longer = std::string(130, 'L') + ".WMF 1 1 2 2";
  const auto pages = Read("$$$" + kept + "\n$$$" + longer + "\n" + BodyLine("a"));
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].pictures.size(), 2u);
  EXPECT_EQ(std::string(pages[0].pictures[0].reference), kept);
  EXPECT_EQ(std::string(pages[0].pictures[1].reference), longer);
}

// The container is named by the report's folder, so that it is found from
// any current folder: a folder of 255 characters with a file name of 79,
// quoted for the blank the folder holds, and four numbers of 11 characters.
TEST(ReportReader, AContainerReferenceNamesTheReportsFolderHoweverLong) {
  const std::string folder = "C:\\My Cases\\" + std::string(255 - 12, 'F');
  const std::string stem = folder + "\\" + std::string(75, 'R');
  const std::string numbers = " -2147483648 -2147483648 -2147483648 -2147483648";
  struct Case {
    std::string report;
    std::string tail;
    std::string reference;
  };
  for (const Case& c :
       {Case{"C:\\My Cases\\RUN1.DQO", " 1 2 40 20", "\"C:\\My Cases\\RUN1.ZFD\" 1 2 40 20"},
        Case{stem + ".DQO", numbers, '"' + stem + ".ZFD\"" + numbers},
        Case{"RUN1.DQO", " 1 1 2 2", "RUN1.ZFD 1 1 2 2"}}) {
    SCOPED_TRACE(c.report);
    const auto pages = Read("$$$PLATE.ZFD" + c.tail + "\n" + BodyLine("a"), 0, c.report);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].pictures.size(), 1u);
    EXPECT_EQ(std::string(pages[0].pictures[0].reference), c.reference);
  }
}

TEST(ReportReader, ContainerReferencesThatCannotBeHeldAreDroppedAndCounted) {
  int32_t count = 0;
  const auto pages = Read("$$$A.ZFD 1 1 2 2\n$$$B.ZFD 1 1 2 2\n" + BodyLine("a"), 0,
                          "C:\\" + std::string(400, 'R') + ".DQO", &count);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].pictures.empty());
  EXPECT_EQ(count, 2);
}

TEST(ReportReader, ALineOfMoreThan199CharactersArrivesInPieces) {
  const auto pages = Read(std::string(199, 'a') + "bbb\n");
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].text.size(), 2u);
  EXPECT_EQ(pages[0].Row(1), "bbb");
}

// A report is read as bytes, its lines ended as a text file's: CR LF and LF
// alike end a line, a CR alone is a character of its line, and a byte 0x1A
// (where a file read as text ends) is text like any other.
TEST(ReportReader, LinesEndAtCrLfOrLfAndAByte1AIsText) {
  const std::string sub = "\x1A";
  std::string valued = BodyLine("Flow ....: 12.5", 'b', "              }");
  valued.insert(valued.size() - 1, "\r");
  const auto pages = Read(valued + "page" + sub + "two\r\n" + "lone\rCR\n" + std::string(198, 'a') +
                          "\r\n" + "last" + sub);
  ASSERT_EQ(pages.size(), 1u);
  // A CR LF counts as one character of the line buffer's 199: the line of
  // 198 characters is one row.
  ASSERT_EQ(pages[0].text.size(), 5u);
  EXPECT_EQ(pages[0].Row(0), "Flow ....: 12.5");
  EXPECT_EQ(pages[0].marks[0], At80("              }", 'b'));
  EXPECT_EQ(pages[0].Row(1), "page" + sub + "two");
  EXPECT_EQ(pages[0].Row(2), "lone\rCR");
  EXPECT_EQ(pages[0].text[3], At80(std::string(79, 'a'), ' '));
  EXPECT_EQ(pages[0].Row(4), "last" + sub);
}

TEST(ReportReader, TheRestOfALongPictureOrPageBreakLineIsIgnored) {
  const auto pages = Read("$$$" + std::string(200, 'P') + ".WMF 1 1 2 2\n" + BodyLine("a") +
                          "[Page break]" + std::string(300, '-') + "\n" + BodyLine("b"));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].text.size(), 1u);
  EXPECT_TRUE(pages[0].pictures.empty());
  EXPECT_EQ(pages[1].Row(0), "b");
}

TEST(ReportReader, ALastLineWithoutALineEndIsRead) {
  const auto pages = Read(BodyLine("a") + "last");
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].text.size(), 2u);
  EXPECT_EQ(pages[0].Row(1), "last");
}

TEST(ReportReader, PicturesStillWaitingAtTheEndAreDropped) {
  const auto pages = Read(BodyLine("a") + "$$$LOGO.WMF 1 1 2 2\n");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].pictures.empty());
}

TEST(ReportReader, FixedPitchDropsPictureLinesAndStartsPagesOnlyAtBreaks) {
  const auto pages = Read("$$$LOGO.WMF 1 1 2 2\n" + BodyLine("Title", '1') +
                              BodyLine("Second", '1') + "[Page break]\n" + BodyLine("x"),
                          1);
  ASSERT_EQ(pages.size(), 2u);
  ASSERT_EQ(pages[0].text.size(), 2u);
  EXPECT_TRUE(pages[0].pictures.empty());
  EXPECT_EQ(pages[0].text[0].substr(0, 5), "Title");
  EXPECT_EQ(pages[0].text[0][79], ' ');  // the line's own 80th column
}

TEST(ReportReader, ASinkThatStopsEndsTheReading) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const std::string report = BodyLine("a", '1') + BodyLine("b", '1') + BodyLine("c", '1');
  std::fwrite(report.data(), 1, report.size(), file);
  std::rewind(file);
  PageRecorder recorder;
  recorder.stop_after = 1;
  int32_t count = 0;
  ReportReader reader("R.DQO", 0, count, recorder);
  EXPECT_FALSE(ReadReportFile(file, reader));
  std::fclose(file);
  EXPECT_EQ(recorder.pages.size(), 1u);
  EXPECT_FALSE(reader.ReadPiece(BodyLine("d", '1')));
}

TEST(ReportContainer, IsTheReportPathWithTheExtensionZfd) {
  EXPECT_EQ(ReportContainerPath("C:\\CASES\\RUN1.DQO"), "C:\\CASES\\RUN1.ZFD");
  EXPECT_EQ(ReportContainerPath("D:REPORT.X.DQO"), "D:REPORT.X.ZFD");
  EXPECT_EQ(ReportContainerPath("C:\\RUN.1\\PLAIN"), "C:\\RUN.1\\PLAIN.ZFD");
  EXPECT_EQ(ReportContainerPath("PLAIN"), "PLAIN.ZFD");
  EXPECT_TRUE(IsContainerReference("a.zfd 1 2 3 4"));
  EXPECT_FALSE(IsContainerReference("a.zfd.wmf 1 2 3 4"));
  EXPECT_FALSE(IsContainerReference("ZFD 1 2 3 4"));
}
