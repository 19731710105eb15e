#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/pages/report_file_face.h"
#include "standins/ostrin/rich_text_probe.h"
#include "tests/common/report_run.h"
#include "tests/common/rich_text_log.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kPageBreak = std::string(30, '-') + " Page Break " + std::string(30, '-') + "\n";
const std::string kComponentBreak =
    std::string(25, '-') + " Component Break " + std::string(26, '-') + "\n";

TEST(ReportMarkers, WithoutRichTextTheMarkersAreLinesOfTheReport) {
  ReportRun run;
  WriteBytes(run.report(), "earlier\n");
  EXPECT_EQ(WritePageBreak(), 0);
  EXPECT_EQ(WriteComponentBreak(), 0);
  EXPECT_EQ(WriteTocBreak(), 0);
  EXPECT_EQ(WriteSectionStart("Heat balance and more", 12), 0);
  EXPECT_EQ(WriteSectionEnd(), 0);
  EXPECT_EQ(run.report_bytes(), "earlier\n" + kPageBreak + kComponentBreak +
                                    "[Section Start] Heat balance\n[Section End]\n");
  EXPECT_EQ(kPageBreak, PAGE_BREAK_LINE);
  EXPECT_EQ(kComponentBreak, COMPONENT_BREAK_LINE);
}

TEST(ReportMarkers, SectionTitlesStopAtTheirLengthANulOr255Characters) {
  ReportRun run;
  const std::string long_title(300, 'T');
  WriteSectionStart(long_title.c_str(), 300);
  WriteSectionStart("Short\0hidden", 12);
  WriteSectionStart("Negative", -4);
  WriteSectionStart(nullptr, 5);
  EXPECT_EQ(run.report_bytes(),
            "[Section Start] " + std::string(255, 'T') +
                "\n[Section Start] Short\n[Section Start] \n[Section Start] \n");
}

TEST(ReportMarkers, WithoutARunNameTheReportIsOutputDqo) {
  ReportRun run("");
  WritePageBreak();
  EXPECT_EQ(ReadBytes(run.cases() / "OUTPUT.DQO"), kPageBreak);
}

// A line that could not be written is dropped, and its writer says so.
TEST(ReportMarkers, AReportThatCannotBeOpenedDropsTheLine) {
  ReportRun run;
  std::strcpy(FOLDER_BUFFERS.case_folder, (run.cases() / "MISSING\\").c_str());
  EXPECT_EQ(WritePageBreak(), -1);
  EXPECT_EQ(WriteComponentBreak(), -1);
  EXPECT_EQ(WriteSectionStart("T", 1), -1);
  EXPECT_EQ(WriteTocBreak(), 0);  // it has no line to write
  // A case folder so long that the report's path does not fit.
  std::strcpy(FOLDER_BUFFERS.case_folder, (run.cases().path() + std::string(240, 'C')).c_str());
  EXPECT_EQ(WriteSectionEnd(), -1);
  EXPECT_FALSE(Exists(run.cases() / "MISSING"));
}

// A title's line breaks would end its line early and make the rest a report
// line of its own.
TEST(ReportMarkers, ASectionTitleStaysOneLine) {
  ReportRun run;
  EXPECT_EQ(WriteSectionStart("Heat\nbalance\r\nof PLATE1", 24), 0);
  EXPECT_EQ(run.report_bytes(), "[Section Start] Heat balance  of PLATE1\n");
}

TEST(ReportMarkers, WithRichTextTheMarkersGoToTheLibraryInTheCallersOrder) {
  ReportRun run;
  OstrinProbeSetEnabled(1);
  const std::string title(300, 'S');
  EXPECT_EQ(WriteSectionStart("Heat balance", 12), 1);
  EXPECT_EQ(WritePageBreak(), 1);
  EXPECT_EQ(WriteComponentBreak(), 1);
  EXPECT_EQ(WriteTocBreak(), 1);
  EXPECT_EQ(WriteSectionEnd(), 1);
  EXPECT_EQ(WriteSectionStart(title.c_str(), 300), 1);
  EXPECT_EQ(rich_text_test::Calls(false),
            (Calls{"SectionStart(Heat balance)", "PageBreak", "ComponentBreak", "TOCBreak",
                   "SectionEnd", "SectionStart(" + std::string(255, 'S') + ")"}));
  EXPECT_EQ(OstrinProbeCallCount(), 12);  // each writer asks first
  EXPECT_FALSE(Exists(run.report()));
}

TEST(ReportMarkers, TheLibrarysAnswersAreHandedBack) {
  ReportRun run;
  OstrinProbeSetEnabled(1);
  OstrinProbeSetDocument((run.cases() / "NO\\FOLDER.ORT").c_str());  // it cannot write
  EXPECT_EQ(WritePageBreak(), 0);
  EXPECT_EQ(WriteTocBreak(), 0);
  EXPECT_FALSE(Exists(run.report()));
}

TEST(ReportWord, IsStoredAndReturned) {
  EXPECT_EQ(GetReportWord(), 0);
  SetReportWord(-7);
  EXPECT_EQ(GetReportWord(), -7);
  RunReportHook();
  EXPECT_EQ(GetReportWord(), -7);
}

}  // namespace
