#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "report/drawing/drawing_execution.h"
#include "report/drawing/pictures_face.h"
#include "report/pages/report_file_face.h"
#include "report/pages/report_pages_face.h"
#include "report/screen/line_characters_face.h"
#include "report/screen/screen_cells_face.h"
#include "services/language_setting_face.h"
#include "standins/ostrin/rich_text_probe.h"
#include "tests/common/field_data_text.h"
#include "tests/common/page_cells.h"
#include "tests/common/report_run.h"
#include "tests/common/report_samples.h"
#include "tests/common/rich_text_log.h"
#include "tests/common/settings_file.h"
#include "tests/common/template_files.h"
#include "tests/drawing/container_bytes.h"

namespace {

using field_data_test::FieldList;
using field_data_test::Values;
using Calls = std::vector<std::string>;

class ReportPage : public ::testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(REPORT_LANGUAGE_CODE, "   ");
    std::strcpy(SELECTED_LANGUAGE_CODE, "   ");
    std::memset(TEMPLATE_INDEX_CACHE.name, ' ', sizeof TEMPLATE_INDEX_CACHE.name);
    REPORT_LANGUAGE_INDEX = 0;
    PICTURE_REFS[0] = '\0';
    report_test::InstallSamples(run_);
  }
  void TearDown() override {
    REPORT_LANGUAGE_INDEX = 0;
    std::strcpy(REPORT_LANGUAGE_CODE, "   ");
  }
  void StoreLanguage(const char* name) {
    ASSERT_TRUE(WritePrivateProfileStringA("Setting", "Language", name, SETTINGS_FILE));
  }
  // A request as the jacket makes it; answers the result text.
  std::string Request(const char* mode, const char* page_id, std::string data = FieldList(""),
                      const std::string& pictures = "") {
    std::strcpy(page_id_, page_id);
    data_ = std::move(data);
    char result[6] = "-----";
    ProcessReportPage(mode, page_id_, data_.data(), static_cast<int64_t>(data_.size()),
                      pictures.c_str(), static_cast<int64_t>(pictures.size()), result);
    return result;
  }
  std::string Report() const { return run_.report_bytes(); }

  SettingsFileGuard settings_;
  ReportRun run_;
  char page_id_[16] = {};
  std::string data_;
};

TEST_F(ReportPage, AnSRequestSetsTheLanguageItsPageIdNames) {
  EXPECT_EQ(Request("S", "FRENCH"), "S----");
  EXPECT_STREQ(REPORT_LANGUAGE_CODE, "FRE");
  // SetLanguage takes a language by its first letter: "Fr" is French, whose code stays "FRE".
  std::strcpy(REPORT_LANGUAGE_CODE, "ENG");
  EXPECT_EQ(Request("SX ", "Fr"), "S----");
  EXPECT_STREQ(REPORT_LANGUAGE_CODE, "FRE");
  EXPECT_STREQ(SELECTED_LANGUAGE_CODE, "FRE");
  // Without its language file the language stays, and the result still says 'S'.
  EXPECT_EQ(Request("S", "GERMAN"), "S----");
  EXPECT_STREQ(REPORT_LANGUAGE_CODE, "FRE");
  EXPECT_FALSE(Exists(run_.report()));
}

TEST_F(ReportPage, APageOfTheSettingsLanguageComesFromTheProgramFolder) {
  StoreLanguage("FRENCH");
  // A template of the same name in the current folder is not taken.
  ScratchFolder current;
  template_test::WriteTemplate(current.path(), "P012.FRE", {"wrong\r\n", "wrong\r\n"});
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof previous, previous);
  SetCurrentDirectoryA(current.path().c_str());
  EXPECT_EQ(Request("D", "p0120002", FieldList("48|1200|400|1/1|5|")), "-----");
  SetCurrentDirectoryA(previous);
  EXPECT_STREQ(page_id_, "P0120002");
  EXPECT_STREQ(REPORT_LANGUAGE_CODE, "FRE");
  EXPECT_STREQ(SELECTED_LANGUAGE_CODE, "FRE");
  const std::string report = Report();
  EXPECT_NE(report.find("GEOMETRIE DES PLAQUES"), std::string::npos) << report;
  EXPECT_NE(report.find("Plaques ...............48"), std::string::npos) << report;
  EXPECT_EQ(report.find("wrong"), std::string::npos);
}

TEST_F(ReportPage, APageMissingInFrenchComesFromEnglish) {
  std::strcpy(REPORT_LANGUAGE_CODE, "FRE");
  Request("D", "P0120003", FieldList("17|Pressure drop above the limit|"));
  const std::string report = Report();
  EXPECT_NE(report.find("MESSAGES"), std::string::npos);
  EXPECT_NE(report.find("Code  17"), std::string::npos) << report;
  // Missing in English too: nothing is written.
  ASSERT_TRUE(DeleteFileA(run_.report().c_str()));
  Request("D", "P0120004", FieldList("1|"));
  Request("D", "P999X001", FieldList("1|"));
  EXPECT_FALSE(Exists(run_.report()));
}

// An index naming more pages than its template holds: a page past the
// template's end is missing there, and English gives it.
TEST_F(ReportPage, APageTheTemplateLacksComesFromEnglish) {
  std::strcpy(REPORT_LANGUAGE_CODE, "FRE");
  const std::vector<std::string> body{"BILAN", "Page {"};
  template_test::WriteTemplate(run_.lan(""), "T110.ENG",
                               {page_test::PageText("", "", {"BALANCE", "Page {"}),
                                page_test::PageText("", "", {"DETAILS", "Page {"})});
  WriteBytes(run_.lan("T110.FRE"), page_test::PageText("", "", body));
  WriteBytes(run_.lan("T110INDX.FRE"),
             template_test::IndexBytes(
                 {0, static_cast<int32_t>(ReadBytes(run_.lan("T110.FRE")).size()) - 1}));
  EXPECT_EQ(Request("D", "T1100002", FieldList("2|")), "-----");
  const std::string report = Report();
  EXPECT_EQ(report.substr(0, 8), "DETAILS ") << report;
  EXPECT_NE(report.find("Page 2"), std::string::npos) << report;
}

// A page request whose page reaches neither the report nor the rich-text
// library says so in its result; one that is written leaves it as it was.
TEST_F(ReportPage, APageThatIsNotWrittenSaysSoInTheResult) {
  std::strcpy(REPORT_LANGUAGE_CODE, "ENG");
  EXPECT_EQ(Request("D", "P0120003", FieldList("17|text|")), "-----");
  EXPECT_EQ(Request("D", "P0120004", FieldList("1|")), "E----");  // in no template
  ASSERT_TRUE(DeleteFileA(run_.report().c_str()));
  ASSERT_TRUE(CreateDirectoryA(run_.report().c_str(), nullptr));  // in the report's way
  EXPECT_EQ(Request("D", "P0120003", FieldList("17|text|")), "E----");
  EXPECT_EQ(Request("DN", "P0120003"), "-----");  // no page meant
  EXPECT_EQ(Request("DL", "P0120003"), "-----");
  OstrinProbeSetEnabled(1);
  EXPECT_EQ(Request("D", "P0120001", FieldList("1|")), "-----");
  std::strcpy(REPORT_LANGUAGE_CODE, "FRE");
  EXPECT_EQ(Request("D", "P0120001", FieldList("1|")), "E----");  // no rich-text template
}

// The nth container picture line of the report is the run's container's nth
// drawing: the one its page meant, or an empty one where that could not be had.
TEST_F(ReportPage, EachContainerPictureOfTheReportShowsItsPagesDrawing) {
  std::strcpy(REPORT_LANGUAGE_CODE, "ENG");
  WriteBytes(run_.cases() / "GOOD.ZFD", DrawingBytesOf({Record('M'), Record('D', 1.0f, 1.0f)}, ""));
  ASSERT_TRUE(CreateDirectoryA((run_.cases() / "BAD.ZFD").c_str(), nullptr));
  const std::string pictures = "<BAD.ZFD 1 1 10 5><GOOD.ZFD 1 6 10 9>";
  EXPECT_EQ(Request("D", "P0120003", FieldList("1|t|"), pictures), "-----");
  ASSERT_TRUE(RemoveDirectoryA((run_.cases() / "BAD.ZFD").c_str()));
  WriteBytes(run_.cases() / "BAD.ZFD", DrawingBytesOf({Record('M')}, ""));
  auto held = std::make_unique<HeldOpen>(run_.cases() / "BAD.ZFD");
  ASSERT_TRUE(held->held());
  EXPECT_EQ(Request("D", "P0120003", FieldList("1|t|"), pictures), "-----");
  held.reset();
  const std::string container = run_.cases() / "ZOVK1.ZFD";
  for (int32_t n = 1; n <= 4; ++n) {
    LOADED_DRAWING drawing{};
    const bool good = n % 2 == 0;
    EXPECT_EQ(LoadDrawing(&drawing, container.c_str(), n), good ? 1 : 0) << n;
    EXPECT_EQ(drawing.record_count, good ? 2 : 0) << n;
    FreeDrawing(&drawing);
  }
  EXPECT_EQ(run_.container_lines(), 4u);
}

TEST_F(ReportPage, AnyOtherLanguageFallsBackToEnglishOnce) {
  std::strcpy(REPORT_LANGUAGE_CODE, "GER");
  Request("D", "P0120003", FieldList("17|text|"));
  EXPECT_NE(Report().find("MESSAGES"), std::string::npos);
}

TEST_F(ReportPage, AnLRequestOnlyTakesThePictureReferences) {
  std::strcpy(REPORT_LANGUAGE_CODE, "ENG");
  Request("DL", "p0120001", FieldList("1|"), "x<LOGO.EMF 41 1 80 10>y");
  EXPECT_STREQ(PICTURE_REFS, "<LOGO.EMF 41 1 80 10>");
  EXPECT_STREQ(page_id_, "P0120001");
  EXPECT_FALSE(Exists(run_.report()));
}

TEST_F(ReportPage, ThePicturesOfTheLastPageAreFreedFirst) {
  WriteBytes(run_.program() / "PLATE.DQD", "VER 2.0\nM 1000000 2000000 0\nD 2000000 2000000 0\n");
  LoadPagePictures("<PLATE.DQD 1 3 40 20>");
  ASSERT_EQ(PICTURE_LIST.count, 1);
  Request("DL", "P0120001", FieldList(""), "<PLATE.DQD 1 3 40 20>");
  EXPECT_EQ(PICTURE_LIST.count, 0);  // a page request loads none of its own
}

TEST_F(ReportPage, AnNRequestAndOtherModesStopBeforeThePage) {
  std::memset(LAYOUT_MARKS, '{', sizeof LAYOUT_MARKS);
  std::strcpy(PICTURE_REFS, "<OLD.EMF 1 1 2 2>");
  EXPECT_EQ(Request("DN", "p0120001", FieldList("1|"), "<LOGO.EMF 41 1 80 10>"), "-----");
  EXPECT_STREQ(page_id_, "p0120001");
  EXPECT_STREQ(PICTURE_REFS, "");
  EXPECT_EQ(std::string(LAYOUT_MARKS, sizeof LAYOUT_MARKS), std::string(2000, ' '));
  for (const char* mode : {"X", "", "d"}) EXPECT_EQ(Request(mode, "p0120001"), "-----") << mode;
  ProcessReportPage(nullptr, page_id_, nullptr, 0, nullptr, 0, nullptr);
  EXPECT_FALSE(Exists(run_.report()));
}

TEST_F(ReportPage, ThePageLeavesItsLayoutMarksAndFieldValuesForTheScreen) {
  std::strcpy(REPORT_LANGUAGE_CODE, "ENG");
  Request("D", "P0120003", FieldList("17|Pressure drop|"));
  // Body line 3 of the messages page: the '{' mark of the code.
  EXPECT_EQ(LAYOUT_MARKS[2 * 80 + 10], '{');
  EXPECT_EQ(LAYOUT_MARKS[2 * 80 + 2], ' ');  // the frame is no mark
  EXPECT_EQ(FIELD_INDEX[2 * 80 + 10], 0);
  EXPECT_EQ(FIELD_INDEX[3 * 80 + 10], 3);
  EXPECT_STREQ(FIELD_DATA, Values("17|Pressure drop|").c_str());
  EXPECT_EQ(PICTURE_LIST.count, 0);
}

TEST_F(ReportPage, WithChineseTheBoxesOfAnEnglishPageArePlainCharacters) {
  REPORT_LANGUAGE_INDEX = CHINESE_LANGUAGE_INDEX;
  std::strcpy(REPORT_LANGUAGE_CODE, "CHI");
  Request("D", "P0120003", FieldList("1|t|"));
  std::string report = Report();
  EXPECT_NE(report.find("  |" + std::string(44, '-') + "|"), std::string::npos) << report;
  EXPECT_EQ(report.find('\xC4'), std::string::npos);
  // A Chinese template keeps them.
  ASSERT_TRUE(DeleteFileA(run_.report().c_str()));
  WriteBytes(run_.lan("P012.CHI"), ReadBytes(run_.lan("P012.ENG")));
  WriteBytes(run_.lan("P012INDX.CHI"), ReadBytes(run_.lan("P012INDX.ENG")));
  Request("D", "P0120003", FieldList("1|t|"));
  report = Report();
  EXPECT_NE(report.find("  \xDA" + std::string(44, '\xC4') + "\xBF"), std::string::npos);
}

TEST_F(ReportPage, WithRichTextThePagesAndMarkersGoToTheLibraryInTheCallersOrder) {
  std::strcpy(REPORT_LANGUAGE_CODE, "ENG");
  OstrinProbeSetEnabled(1);
  WriteSectionStart("Heat balance", 12);
  WritePageBreak();
  Request("D", "p0120001", FieldList("PLATE1|ZOVK1|") + "after the list");
  WriteComponentBreak();
  WriteTocBreak();
  WriteSectionEnd();
  EXPECT_EQ(rich_text_test::Calls(false), (Calls{"SectionStart(Heat balance)", "PageBreak",
                                                 "ParseRTF(" + run_.lan("P012.RENG") +
                                                     ", P0120001, " + Values("PLATE1|ZOVK1|") + ")",
                                                 "ComponentBreak", "TOCBreak", "SectionEnd"}));
  EXPECT_FALSE(Exists(run_.report()));
}

TEST_F(ReportPage, WithRichTextAMissingTemplatePassesNothingOn) {
  std::strcpy(REPORT_LANGUAGE_CODE, "FRE");
  OstrinProbeSetEnabled(1);
  Request("D", "P0120001", FieldList("1|"));
  EXPECT_EQ(rich_text_test::Calls(), Calls{"IsRTFEnabled"});
  EXPECT_FALSE(Exists(run_.report()));  // no text report either
}

}  // namespace
