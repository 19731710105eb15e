#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "include/test_seams.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/pages/report_file_face.h"
#include "report/screen/screen_cells_face.h"
#include "tests/common/page_cells.h"
#include "tests/common/report_run.h"
#include "tests/drawing/container_bytes.h"

namespace {

using page_test::BodyLine;
using page_test::Cells;

const std::string kEmptyDrawing(104, '\0');
// Drawings of a case folder's containers, each its own.
const std::string kPlate = DrawingBytesOf({Record('M'), Record('D', 1.0f, 2.0f)}, "", "PLATE");
const std::string kFrame = DrawingBytesOf({Record('M'), Record('S', 3.0f, 4.0f)}, "FRAME", "FRAME");

class AppendPage : public ::testing::Test {
 protected:
  void SetUp() override {
    PICTURE_REFS[0] = '\0';
    std::memset(LAYOUT_MARKS, ' ', sizeof LAYOUT_MARKS);
  }
  void TearDown() override { PICTURE_REFS[0] = '\0'; }
  int32_t Append() { return AppendReportPage(merged_.c_str(), template_.c_str()); }
  void Refs(const char* refs) { std::strcpy(PICTURE_REFS, refs); }

  ReportRun run_;
  std::string merged_ = Cells({{"Case ....... PLATE1"}, {""}, {"Duty      12.5 kW"}});
  std::string template_ = Cells({{""}, {"", 'U'}, {"", '0'}, {"", 'X'}});
};

TEST_F(AppendPage, ThePageIsAppendedToTheRunsReport) {
  WriteBytes(run_.report(), "earlier\n");
  std::memcpy(LAYOUT_MARKS + 2 * 80, "    x     }", 11);
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(Append(), 0);
  const std::string page = BodyLine("Case ....... PLATE1", ' ') + std::string(80, ' ') + "\t \n" +
                           BodyLine("Duty      12.5 kW", '0', "          }");
  EXPECT_EQ(run_.report_bytes(), "earlier\n" + page + page);
  EXPECT_EQ(std::string(LAYOUT_MARKS + 160, 11), "          }");  // blanked in place
}

TEST_F(AppendPage, WithoutARunNameTheReportIsOutputDqo) {
  run_.SetRunName("");
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(ReadBytes(run_.cases() / "OUTPUT.DQO").substr(0, 20), "Case ....... PLATE1 ");
}

TEST_F(AppendPage, PictureLinesComeFirstWithTheirRowsAsInTheFile) {
  Refs("<LOGO.EMF 41 1 80 10><PLAN.WMF 1 5 40 12>");
  EXPECT_EQ(Append(), 0);
  // Above row 5: the blank 'U' line is left out, the '0' line adds one.
  EXPECT_EQ(run_.report_bytes().substr(0, 48),
            "$$$LOGO.EMF 41  1 80 10\n$$$PLAN.WMF  1  5 40 12\n");
}

TEST_F(AppendPage, ShortPictureTextsAndUnreadableReferencesWriteNoPictureLine) {
  Refs("<A 1 1 2>");
  EXPECT_EQ(Append(), 0);
  Refs("{B.EMF 1 1 2 2}<A.WMF 1 2 3>");  // three numbers; braces before a '<' are passed over
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(run_.report_bytes().find("$$$"), std::string::npos);
}

TEST_F(AppendPage, ContainerPicturesGoIntoTheRunsContainer) {
  WriteBytes(run_.cases() / "plate.zfd", kPlate);
  Refs("{ignored.zfd 1 1 2 2}<plate.zfd 41 3 80 12>");
  EXPECT_EQ(Append(), 0);
  Refs("<MISSING.ZFD 1 1 40 2>");
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(ReadBytes(run_.cases() / "ZOVK1.ZFD"), kPlate + kEmptyDrawing);
  const std::string report = run_.report_bytes();
  EXPECT_EQ(report.substr(0, 25), "$$$ZOVK1.ZFD 41  3 80 12\n");
  EXPECT_NE(report.find("$$$ZOVK1.ZFD  1  1 40  2\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(run_.cases() / "plate.zfd"), kPlate);
}

TEST_F(AppendPage, TheRunsOwnContainerCountsAsAMissingDrawing) {
  WriteBytes(run_.cases() / "ZOVK1.ZFD", "first drawing");
  Refs("<zovk1.zfd 1 1 40 2><ZOVK1.ZFD 1 3 40 4>");
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(ReadBytes(run_.cases() / "ZOVK1.ZFD"), "first drawing" + kEmptyDrawing + kEmptyDrawing);
}

TEST_F(AppendPage, WithoutARunNameTheContainerIsOutputZfd) {
  run_.SetRunName("");
  WriteBytes(run_.cases() / "PLATE.ZFD", kPlate);
  Refs("<PLATE.ZFD 41 3 80 12>");
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(ReadBytes(run_.cases() / "OUTPUT.ZFD"), kPlate);
  EXPECT_FALSE(Exists(run_.cases() / ".ZFD"));
  EXPECT_EQ(ReadBytes(run_.cases() / "OUTPUT.DQO").substr(0, 26), "$$$OUTPUT.ZFD 41  3 80 12\n");
}

// The report's nth container picture shows the container's nth drawing: each
// picture line adds exactly one, its file's first drawing or, where that
// cannot be had, an empty one.
TEST_F(AppendPage, EachContainerPictureLineKeepsItsDrawing) {
  WriteBytes(run_.cases() / "GOOD.ZFD", kPlate + kFrame);  // the page means the first
  WriteBytes(run_.cases() / "CUT.ZFD", kFrame.substr(0, kFrame.size() - 1));
  WriteBytes(run_.cases() / "HELD.ZFD", kFrame);
  ASSERT_TRUE(CreateDirectoryA((run_.cases() / "BAD.ZFD").c_str(), nullptr));
  auto held = std::make_unique<HeldOpen>(run_.cases() / "HELD.ZFD");
  ASSERT_TRUE(held->held());
  for (const char* bad : {"BAD.ZFD", "HELD.ZFD", "CUT.ZFD", "NONE.ZFD"}) {
    Refs(("<" + std::string(bad) + " 1 1 10 5><GOOD.ZFD 1 6 10 9>").c_str());
    EXPECT_EQ(Append(), 0) << bad;
  }
  held.reset();
  std::string drawings;
  for (int page = 0; page < 4; ++page) drawings += kEmptyDrawing + kPlate;
  EXPECT_EQ(ReadBytes(run_.cases() / "ZOVK1.ZFD"), drawings);
  EXPECT_EQ(run_.container_lines(), 8u);
}

// A drawing whose copy breaks off partway has its place kept by an empty
// drawing, nothing of the part copied before it.
TEST_F(AppendPage, ADrawingThatCannotBeCopiedWholeIsAnEmptyDrawing) {
  const std::string large = DrawingBytesOf({Record('M')}, std::string(COPY_BLOCK_SIZE + 100, 'T'));
  WriteBytes(run_.cases() / "LARGE.ZFD", large);
  Refs("<LARGE.ZFD 1 1 10 5>");
  FailDrawingFileWrite(2);  // the second block
  EXPECT_EQ(Append(), 0);
  FailDrawingFileWrite(0);
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(ReadBytes(run_.cases() / "ZOVK1.ZFD"), kEmptyDrawing + large);
}

// A page that is not written takes its drawings out of the container again,
// so that the next page's pictures are the container's next drawings.
TEST_F(AppendPage, APageNotWrittenLeavesReportAndContainerAsTheyWere) {
  WriteBytes(run_.report(), "earlier\n");
  WriteBytes(run_.cases() / "ZOVK1.ZFD", kFrame);
  WriteBytes(run_.cases() / "GOOD.ZFD", kPlate);
  Refs("<GOOD.ZFD 1 1 10 5><MISSING.ZFD 1 6 10 9>");
  FailReportPageWrite(1);
  EXPECT_EQ(Append(), -1);
  EXPECT_EQ(run_.report_bytes(), "earlier\n");
  EXPECT_EQ(ReadBytes(run_.cases() / "ZOVK1.ZFD"), kFrame);
  // Not even the empty drawing could be written.
  FailDrawingFileWrite(2);
  EXPECT_EQ(Append(), -1);
  FailDrawingFileWrite(0);
  EXPECT_EQ(run_.report_bytes(), "earlier\n");
  EXPECT_EQ(ReadBytes(run_.cases() / "ZOVK1.ZFD"), kFrame);
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(ReadBytes(run_.cases() / "ZOVK1.ZFD"), kFrame + kPlate + kEmptyDrawing);
  EXPECT_EQ(run_.report_bytes().find("$$$ZOVK1.ZFD  1  1 10  5\n$$$ZOVK1.ZFD  1  6 10  9\n"), 8u);
}

TEST_F(AppendPage, AReportThatCannotBeOpenedGivesMinusOneAndCopiesNothing) {
  WriteBytes(run_.cases() / "PLATE.ZFD", "drawing");
  Refs("<PLATE.ZFD 41 3 80 12>");
  ASSERT_TRUE(CreateDirectoryA(run_.report().c_str(), nullptr));  // in the report's way
  EXPECT_EQ(Append(), -1);
  EXPECT_FALSE(Exists(run_.cases() / "ZOVK1.ZFD"));
  std::strcpy(FOLDER_BUFFERS.case_folder, (run_.cases().path() + std::string(245, 'C')).c_str());
  EXPECT_EQ(Append(), -1);  // a report path that does not fit
  EXPECT_EQ(AppendReportPage(nullptr, template_.c_str()), -1);
}

// A page that cannot be written says so; the pages before and after it
// stand, and nothing of it is left in the report.
TEST_F(AppendPage, AWriteThatFailsGivesMinusOne) {
  WriteBytes(run_.report(), "earlier\n");
  FailReportPageWrite(2);
  EXPECT_EQ(Append(), 0);
  const std::string one_page = run_.report_bytes();
  EXPECT_EQ(Append(), -1);
  EXPECT_EQ(run_.report_bytes(), one_page);
  EXPECT_EQ(Append(), 0);
  EXPECT_EQ(run_.report_bytes().size(), 2 * one_page.size() - std::string("earlier\n").size());
  FailReportPageWrite(0);
}

}  // namespace
