#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <limits>
#include <string>

#include "report/pages/report_file_face.h"
#include "report/pages/report_pages_face.h"
#include "services/language_setting_face.h"
#include "services/service_jackets.h"
#include "standins/ostrin/rich_text_probe.h"
#include "standins/pravel/loader_probe.h"
#include "tests/common/report_run.h"
#include "tests/common/template_files.h"

namespace {

std::string LoaderText(int64_t index) {
  char text[128] = {};
  return PravelProbePutText(index, text, sizeof text) < 0 ? "(none)" : text;
}

TEST(LoaderTextJacket, PassesAtMost80CharactersTrailingBlanksIncluded) {
  PravelProbeReset();
  const std::string long_text = std::string(80, 'a') + std::string(20, 'b');
  SEND_LOADER_TEXT(long_text.c_str(), 100);
  SEND_LOADER_TEXT("Duty  ok  ", 10);
  EXPECT_EQ(std::string(NAME_BUFFERS.loader_text, 12), std::string("Duty  ok  \0 ", 12));
  SEND_LOADER_TEXT("not passed", -3);
  EXPECT_EQ(PravelProbePutTextCount(), 3);
  EXPECT_EQ(LoaderText(0), std::string(80, 'a'));
  EXPECT_EQ(LoaderText(1), "Duty  ok  ");
  EXPECT_EQ(LoaderText(2), "");
}

class CommandJacket : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("ZOVK_COMMAND_OUT", out_.c_str());
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    program_ = "\"" + std::string(folder) + "\\command_line_probe.exe\"";
  }
  void TearDown() override { SetEnvironmentVariableA("ZOVK_COMMAND_OUT", nullptr); }
  // The command line the probe was started with; empty when it did not run.
  // A started program is not waited for, and on a busy machine wine can take
  // many seconds to start one: a minute before it counts as not started.
  std::string Received() {
    for (int i = 0; i < 1200 && !Exists(out_); ++i) Sleep(50);
    return ReadBytes(out_);
  }
  ScratchFolder scratch_;
  const std::string out_ = scratch_ / "COMMAND.TXT";
  std::string program_;
};

TEST_F(CommandJacket, RunsTheWholeCommandWithItsTrailingBlanks) {
  const std::string command = program_ + " A  B   ";
  RUN_COMMAND_LINE(command.c_str(), static_cast<int64_t>(command.size()));
  EXPECT_EQ(Received(), command);
}

TEST_F(CommandJacket, ACommandWithoutRoomForItsCopyRunsNothing) {
  const std::string command = program_ + " A";
  RUN_COMMAND_LINE(command.c_str(), std::numeric_limits<int64_t>::max());
  RUN_COMMAND_LINE(command.c_str(), -1);  // an empty command
  RUN_COMMAND_LINE(command.c_str(), static_cast<int64_t>(program_.size()));
  EXPECT_EQ(Received(), program_);  // only the last one ran
}

class DrawingJackets : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(run_.cases() / "PLATE.DQD", "VER 2.0\nM 1000000 2000000 0\nD 2000000 2000000 0\n");
  }
  ReportRun run_;
};

TEST_F(DrawingJackets, ConvertPassesNamesUpTo255Characters) {
  CONVERT_DRAWING("PLATE", 5);
  EXPECT_TRUE(Exists(run_.cases() / "PLATE.ZFD"));
  const std::string hundred(100, 'n');
  CONVERT_DRAWING(hundred.c_str(), 100);
  EXPECT_EQ(std::string(NAME_BUFFERS.drawing_name), hundred);  // not cut at 80
  const std::string padded = std::string(255, 'p') + std::string(45, ' ');
  CONVERT_DRAWING(padded.c_str(), 300);  // all it loses are blanks
  EXPECT_EQ(std::string(NAME_BUFFERS.drawing_name), std::string(255, 'p'));
  const std::string longer = std::string(256, 'q');
  CONVERT_DRAWING(longer.c_str(), 256);  // refused: its cut would name another file
  EXPECT_EQ(std::string(NAME_BUFFERS.drawing_name), std::string(255, 'p'));
}

TEST_F(DrawingJackets, RenderPassesItsSizesOnlyWhenTheyAre32BitIntegers) {
  const int64_t width = 4000, height = 2000, huge = int64_t{1} << 32;
  RENDER_METAFILE("PLATE.DQD", 9, "WIDE.WMF", 8, &huge, &height);
  RENDER_METAFILE("PLATE.DQD", 9, "NONE.WMF", 8, &width, nullptr);
  EXPECT_FALSE(Exists(run_.cases() / "WIDE.WMF"));
  EXPECT_FALSE(Exists(run_.cases() / "NONE.WMF"));
  RENDER_METAFILE("PLATE.DQD  ", 9, "PLATE.WMF  ", 9, &width, &height);
  const std::string metafile = ReadBytes(run_.cases() / "PLATE.WMF");
  ASSERT_GT(metafile.size(), 22u);
  EXPECT_EQ(metafile.substr(0, 4), "\xD7\xCD\xC6\x9A");  // the placeable key
}

// Both names keep up to 255 characters and a name that would be cut renders
// nothing, so no other drawing is read nor any other file written.
TEST_F(DrawingJackets, RenderTakesNamesUpTo255CharactersAndRefusesLongerOnes) {
  const int64_t width = 4000, height = 2000;
  const std::string long_metafile = std::string(251, 'm') + ".WMF";  // 255 characters
  RENDER_METAFILE("PLATE.DQD", 9, long_metafile.c_str(), 255, &width, &height);
  EXPECT_EQ(std::string(NAME_BUFFERS.metafile_name), long_metafile);
  // Past 255 only blanks may be lost.
  const std::string padded = "PLATE.DQD" + std::string(291, ' ');
  RENDER_METAFILE(padded.c_str(), 300, "PADDED.WMF", 10, &width, &height);
  EXPECT_EQ(std::string(NAME_BUFFERS.drawing_name), padded.substr(0, 255));

  const std::string too_long = std::string(252, 'm') + ".WMF";  // cut, it would name another file
  RENDER_METAFILE("PLATE.DQD", 9, too_long.c_str(), 256, &width, &height);
  EXPECT_EQ(std::string(NAME_BUFFERS.metafile_name), "PADDED.WMF");
  const std::string drawing_too_long = std::string(252, 'd') + ".DQD";
  RENDER_METAFILE(drawing_too_long.c_str(), 256, "REFUSED.WMF", 11, &width, &height);
  EXPECT_EQ(std::string(NAME_BUFFERS.drawing_name), "PLATE.DQD");
  EXPECT_EQ(std::string(NAME_BUFFERS.metafile_name), "PADDED.WMF");
  EXPECT_FALSE(Exists(run_.cases() / "REFUSED.WMF"));
}

class ReportJackets : public ::testing::Test {
 protected:
  void SetUp() override { PICTURE_REFS[0] = '\0'; }
  std::string Request(const char* mode, int64_t mode_len, const char* page_id, int64_t page_id_len,
                      const std::string& pictures, int64_t pictures_len, int64_t result_len) {
    std::string data = "\x19";
    std::string result(8, '?');
    REQUEST_REPORT_PAGE(mode, mode_len, page_id, page_id_len, data.data(), 1, pictures.c_str(),
                        pictures_len, result.data(), result_len);
    return result;
  }
  ReportRun run_;
};

TEST_F(ReportJackets, ModeAndPageIdArePaddedToTheirFields) {
  Request("DL", 2, "P0120001", 8, "<A.WMF 1 1 2 2>", 15, 8);
  EXPECT_EQ(std::string(REPORT_PAGE_FIELDS.mode, 4), std::string("DL \0", 4));
  EXPECT_EQ(std::string(REPORT_PAGE_FIELDS.page_id, 9), std::string("P0120001\0", 9));
  EXPECT_STREQ(PICTURE_REFS, "<A.WMF 1 1 2 2>");
  Request("DLXY", 4, "p0120002 and more", 17, "", 0, 8);
  EXPECT_EQ(std::string(REPORT_PAGE_FIELDS.mode, 4), std::string("DLX\0", 4));
  EXPECT_EQ(std::string(REPORT_PAGE_FIELDS.page_id, 9), std::string("P0120002\0", 9));
}

TEST_F(ReportJackets, TheResultTextTakesTheResultFieldPaddedToItsLength) {
  EXPECT_EQ(Request("S", 1, "XHOSA", 5, "", 0, 3), "S  ?????");
  EXPECT_EQ(Request("S", 1, "XHOSA", 5, "", 0, 8), "S       ");
  EXPECT_EQ(Request("S", 1, "XHOSA", 5, "", 0, -2), "????????");
  // No template holds the page: it is not written, and the result says so.
  EXPECT_EQ(Request("D", 1, "P0120001", 8, "", 0, 8), "E       ");
}

TEST_F(ReportJackets, ThePictureTextIsReadWithinItsLength) {
  const std::string pictures = "<A.WMF 1 1 2 2><B.WMF 1 3 2 4>";
  Request("DL", 2, "P0120001", 8, pictures, 15, 5);
  EXPECT_STREQ(PICTURE_REFS, "<A.WMF 1 1 2 2>");
  Request("DL", -1, "P0120001", 8, pictures, 30, 5);  // no mode: nothing is taken
  EXPECT_STREQ(PICTURE_REFS, "");
}

TEST_F(ReportJackets, TheFieldDataIsReadWithinItsLength) {
  template_test::WriteTemplate(run_.lan(""), "P099.ENG", {template_test::PageText("", "", {"{"})});
  std::strcpy(REPORT_LANGUAGE_CODE, "ENG");
  std::string data = "12\x03\x19";
  std::string result(5, ' ');
  // Its byte 25 lies past the length given: the list holds no values.
  REQUEST_REPORT_PAGE("D", 1, "P0990001", 8, data.data(), 3, "", 0, result.data(), 5);
  std::strcpy(REPORT_LANGUAGE_CODE, "   ");
  EXPECT_EQ(data, std::string("\x19") + "2\x03\x19");
  EXPECT_EQ(run_.report_bytes().substr(0, 81), std::string(80, ' ') + "\t");  // its mark blank
}

TEST_F(ReportJackets, TheRichTextFlagFollowsTheLibrary) {
  int32_t enabled = -1;
  GET_RTF_ENABLED(&enabled);
  EXPECT_EQ(enabled, 0);
  OstrinProbeSetEnabled(1);
  GET_RTF_ENABLED(&enabled);
  EXPECT_EQ(enabled, 1);
}

}  // namespace
