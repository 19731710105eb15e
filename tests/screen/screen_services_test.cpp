// The screen's small services: the run's names, texts for the loader, the
// end of the program and the screen word.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/program_end.h"
#include "report/screen/screen_face.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "standins/pravel/loader_probe.h"

namespace {

std::string PutText(int64_t index) {
  char buffer[200] = {};
  const int64_t length = PravelProbePutText(index, buffer, sizeof buffer);
  return length < 0 ? "(none)" : std::string(buffer, static_cast<std::size_t>(length));
}

UINT ended_with = 12345;
void RecordEnd(UINT exit_code) { ended_with = exit_code; }

}  // namespace

TEST(ScreenServices, TheCaseAndRunNamesOfTheRunFolders) {
  std::strcpy(FOLDER_BUFFERS.case_base_name, "PLANT");
  std::strcpy(FOLDER_BUFFERS.run_name, "R17");
  char base[FOLDER_BUFFER_SIZE] = "old";
  char run[RUN_NAME_BUFFER_SIZE] = "old";
  GetCaseAndRunNames(base, run);
  EXPECT_STREQ(base, "PLANT");
  EXPECT_STREQ(run, "R17");
  // A missing buffer takes nothing, and the one beside it is left as well.
  char other_run[RUN_NAME_BUFFER_SIZE] = "kept";
  GetCaseAndRunNames(nullptr, other_run);
  EXPECT_STREQ(other_run, "kept");
  char other_base[FOLDER_BUFFER_SIZE] = "kept";
  GetCaseAndRunNames(other_base, nullptr);
  EXPECT_STREQ(other_base, "kept");
  std::memset(&FOLDER_BUFFERS, 0, sizeof FOLDER_BUFFERS);
}

// A form of 24 rows goes into the buffers; the status row keeps its own, and
// without a window nothing is painted. Missing buffers load nothing.
TEST(ScreenServices, LoadScreenTakesTheFormsRowsAndKeepsTheStatusRow) {
  ASSERT_EQ(GetScreenWindow(), nullptr);
  std::memset(SCREEN_TEXT, 's', SCREEN_CELLS);
  std::memset(SCREEN_ATTRIBUTES, 9, SCREEN_CELLS);
  const std::string text(STATUS_ROW_CELL, 't');
  const std::string attributes(STATUS_ROW_CELL, 1);
  LoadScreen(text.c_str(), attributes.c_str());
  EXPECT_EQ(std::string(SCREEN_TEXT, STATUS_ROW_CELL), text);
  EXPECT_EQ(std::string(SCREEN_ATTRIBUTES, STATUS_ROW_CELL), attributes);
  EXPECT_EQ(std::string(SCREEN_TEXT + STATUS_ROW_CELL, SCREEN_CELLS - STATUS_ROW_CELL),
            std::string(SCREEN_CELLS - STATUS_ROW_CELL, 's'));
  EXPECT_EQ(SCREEN_ATTRIBUTES[SCREEN_CELLS - 1], 9);
  const std::string other(STATUS_ROW_CELL, 'o');
  LoadScreen(nullptr, other.c_str());
  LoadScreen(other.c_str(), nullptr);
  EXPECT_EQ(std::string(SCREEN_TEXT, STATUS_ROW_CELL), text);
  EXPECT_EQ(std::string(SCREEN_ATTRIBUTES, STATUS_ROW_CELL), attributes);
  std::memset(SCREEN_TEXT, ' ', SCREEN_CELLS);
  std::memset(SCREEN_ATTRIBUTES, 0, SCREEN_CELLS);
}

TEST(ScreenServices, ATextForTheLoaderIsCutToEightyCharacters) {
  PravelProbeReset();
  EXPECT_NE(PassTextToLoader("Rating finished"), 0);
  const std::string long_text(120, 'x');
  PassTextToLoader(long_text.c_str());
  PassTextToLoader(nullptr);
  ASSERT_EQ(PravelProbePutTextCount(), 3);
  EXPECT_EQ(PutText(0), "Rating finished");
  EXPECT_EQ(PutText(1), std::string(80, 'x'));
  EXPECT_EQ(PutText(2), "");
  PravelProbeReset();
}

TEST(ScreenServices, QuitProgramEndsThroughTheReplaceableHook) {
  const ProgramEnd previous = SetProgramEnd({RecordEnd});
  QuitProgram();
  EXPECT_EQ(ended_with, 0u);
  SetProgramEnd(previous);
}

TEST(ScreenServices, QuitProgramEndsTheProcessWithExitCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(QuitProgram(), testing::ExitedWithCode(0), "");
}

TEST(ScreenServices, TheScreenWordIsZero) { EXPECT_EQ(GetScreenWord(), 0); }
