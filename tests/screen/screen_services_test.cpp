// The screen's small services: the run's names, texts for the loader, the
// end of the program and the screen word.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "loader_probe.h"
#include "program_end.h"
#include "run_folders.h"
#include "screen.h"

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
  std::memset(&FOLDER_BUFFERS, 0, sizeof FOLDER_BUFFERS);
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
