// The report file services: a run's report finished into another with its
// drawings, and the plain copies of the run's report and of a named one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/test_seams.h"
#include "report/print/plain_report.h"
#include "report/print/report_printing_face.h"
#include "report/print/sheet_rendering.h"
#include "runenv/run_folders_face.h"
#include "tests/common/loader_folder_fake.h"
#include "tests/common/longest_path.h"
#include "tests/common/metafile_records.h"
#include "tests/common/scratch_folder.h"

namespace {

class ReportFiles : public ::testing::Test {
 protected:
  void SetUp() override { LOADER_FOLDER_FAKE = {}; }
  void TearDown() override { FOLDER_BUFFERS = {}; }
  std::string Base(const char* name) const { return folder_ / name; }

  ScratchFolder folder_;
};

}  // namespace

TEST_F(ReportFiles, FinishingAppendsTheReportAndItsDrawingsAndDropsTheFonts) {
  WriteBytes(Base("RUN2.DQO"), "source page\n");
  WriteBytes(Base("RUN2.ZFD"), "source drawings");
  WriteBytes(Base("ALL.DQO"), "earlier page\n");
  WriteBytes(Base("ALL.ZFD"), "earlier drawings;");
  EmfCanvas canvas;
  CELL_SIZE cell{};
  CreatePrintFonts(canvas.dc(), &cell);
  FinishReportFile(nullptr, nullptr, Base("ALL").c_str(), Base("RUN2").c_str(), 1);
  EXPECT_EQ(ReadBytes(Base("ALL.DQO")), "earlier page\nsource page\n");
  EXPECT_EQ(ReadBytes(Base("ALL.ZFD")), "earlier drawings;source drawings");
  EXPECT_EQ(PRINT_FONTS.text, nullptr);
  EXPECT_EQ(LOADER_FOLDER_FAKE.release_calls, 1);
}

TEST_F(ReportFiles, WithoutTheAppendFlagNothingIsAppended) {
  WriteBytes(Base("RUN2.DQO"), "source page\n");
  FinishReportFile(nullptr, nullptr, Base("ALL").c_str(), Base("RUN2").c_str(), 0);
  EXPECT_FALSE(Exists(Base("ALL.DQO")));
  EXPECT_EQ(LOADER_FOLDER_FAKE.release_calls, 1);
}

TEST_F(ReportFiles, ABaseThatDoesNotFitDoesNothing) {
  WriteBytes(Base("RUN2.DQO"), "source page\n");
  const std::string long_base = folder_.path() + std::string(255 - folder_.path().size() - 2, 'L');
  FinishReportFile(nullptr, nullptr, long_base.c_str(), Base("RUN2").c_str(), 1);
  FinishReportFile(nullptr, nullptr, Base("ALL").c_str(), long_base.c_str(), 1);
  FinishReportFile(nullptr, nullptr, "", Base("RUN2").c_str(), 1);
  EXPECT_FALSE(Exists(Base("ALL.DQO")));
  EXPECT_EQ(ReadBytes(Base("RUN2.DQO")), "source page\n");
}

TEST_F(ReportFiles, AppendingAReportToItselfChangesNothing) {
  WriteBytes(Base("RUN1.DQO"), "page\n");
  AppendReportFile(Base("RUN1.DQO").c_str(), Base("run1.dqo").c_str());
  EXPECT_EQ(ReadBytes(Base("RUN1.DQO")), "page\n");
}

TEST_F(ReportFiles, AContainerLeftWithoutItsReportIsRemovedFirst) {
  WriteBytes(Base("RUN2.DQO"), "source page\n");
  WriteBytes(Base("RUN2.ZFD"), "source drawings");
  WriteBytes(Base("NEW.ZFD"), "left over");
  AppendReportFile(Base("RUN2.DQO").c_str(), Base("NEW.DQO").c_str());
  EXPECT_EQ(ReadBytes(Base("NEW.DQO")), "source page\n");
  EXPECT_EQ(ReadBytes(Base("NEW.ZFD")), "source drawings");
}

TEST_F(ReportFiles, APlainCopyThatCannotBeMadeLeavesTheEarlierOneAsItWas) {
  WriteBytes(Base("R.DQX"), "earlier copy\r\n");
  EXPECT_EQ(WritePlainReport(Base("MISSING.DQO").c_str(), Base("R.DQX").c_str()), -1);
  WriteBytes(Base("R.DQO"), "new line\n");
  FailDrawingFileWrite(1);  // the disk fills up
  EXPECT_EQ(WritePlainReport(Base("R.DQO").c_str(), Base("R.DQX").c_str()), -1);
  EXPECT_EQ(ReadBytes(Base("R.DQX")), "earlier copy\r\n");
  EXPECT_FALSE(Exists(Base("R.DQX.~1")));
  EXPECT_EQ(WritePlainReport(Base("R.DQO").c_str(), Base("R.DQX").c_str()), 0);
  EXPECT_EQ(ReadBytes(Base("R.DQX")), "new line\r\n");
  EXPECT_EQ(WritePlainReport(Base("R.DQO").c_str(), (folder_ / "no\\such\\R.DQX").c_str()), -1);
  EXPECT_EQ(WritePlainReport(nullptr, Base("R.DQX").c_str()), -1);
}

// A plain copy at the longest path a file may have is written beside the
// earlier one and takes its place.
TEST_F(ReportFiles, APlainCopyAtTheLongestPathReplacesTheEarlierOne) {
  const std::string plain = longest_path::LongestPathFor(folder_ / "LONG", "R.DQX");
  ASSERT_FALSE(plain.empty());
  WriteBytes(plain, "earlier copy\r\n");
  WriteBytes(Base("R.DQO"), "new line\n");
  EXPECT_EQ(WritePlainReport(Base("R.DQO").c_str(), plain.c_str()), 0);
  EXPECT_EQ(ReadBytes(plain), "new line\r\n");
}

// The whole report is copied: a byte 0x1A in a page's text ends nothing.
TEST_F(ReportFiles, APlainCopyGoesOnPastAByte1A) {
  const std::string sub = "\x1A";
  WriteBytes(Base("R.DQO"), "page 1" + sub + "text\tbm\r\n[Page break]\r\npage 2\tbm\r\n");
  EXPECT_EQ(WritePlainReport(Base("R.DQO").c_str(), Base("R.DQX").c_str()), 0);
  EXPECT_EQ(ReadBytes(Base("R.DQX")), "page 1" + sub + "text\r\npage 2\r\n");
}

TEST_F(ReportFiles, ThePlainCopyOfANamedReport) {
  WriteBytes(Base("SRC.DQO"), "$$$X.WMF 1 1 2 2\nline\tbm\n");
  EXPECT_EQ(CopyPlainReport(Base("DST").c_str(), Base("SRC").c_str()), 0);
  EXPECT_EQ(ReadBytes(Base("DST.DQX")), "line\r\n");
  EXPECT_EQ(LOADER_FOLDER_FAKE.release_calls, 1);
  EXPECT_EQ(CopyPlainReport("", Base("SRC").c_str()), -1);
  EXPECT_EQ(CopyPlainReport(Base("DST").c_str(), ""), -1);
  EXPECT_EQ(CopyPlainReport(Base("DST").c_str(), Base("MISSING").c_str()), -1);
}

TEST_F(ReportFiles, ThePlainCopyOfTheRunsReportWithoutARunName) {
  std::strcpy(FOLDER_BUFFERS.case_folder, folder_.path().c_str());
  std::strcpy(FOLDER_BUFFERS.case_base_name, "CASE7");
  WriteBytes(Base("OUTPUT.DQO"), "run line\tx\n");
  EXPECT_EQ(WritePlainRunReport(), 0);
  EXPECT_EQ(ReadBytes(Base("CASE7.DQX")), "run line\r\n");
  std::strcpy(FOLDER_BUFFERS.run_name, "RUN9");
  EXPECT_EQ(WritePlainRunReport(), -1);
}
