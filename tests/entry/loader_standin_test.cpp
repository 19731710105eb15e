// The loader stand-in: its configuration, the bounds of its copies and its
// records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/loader.h"
#include "standins/pravel/loader_probe.h"

namespace {

const char* const kVariables[] = {"PRAVEL_PROGRAM_FOLDER", "PRAVEL_RUN_NAME",
                                  "PRAVEL_PRIVATE_FOLDER", "PRAVEL_WORK_FOLDER"};

class LoaderStandIn : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    PravelProbeReset();
    for (const char* v : kVariables) SetEnvironmentVariableA(v, nullptr);
  }
  static std::string RunName() {
    char run[16];
    LoaderGetRunName(run);
    return run;
  }
  static std::string Private() {
    char buffer[256];
    return std::string(buffer, LoaderGetPrivateFolder(buffer, sizeof buffer));
  }
  static std::string Work() {
    char buffer[256];
    const int64_t n = LoaderGetWorkFolder(buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string("(none)");
  }
};

TEST_F(LoaderStandIn, DefaultsToTheHostsFolder) {
  char exe[MAX_PATH];
  std::string folder(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH));
  folder.erase(folder.find_last_of('\\') + 1);
  EXPECT_EQ(LoaderGetProgramFolder(nullptr), folder);
  EXPECT_EQ(RunName(), "ZOVK1");
  EXPECT_EQ(Private(), folder);
  EXPECT_EQ(Work(), "(none)");
}

TEST_F(LoaderStandIn, EnvironmentConfiguresAndTheProbeOverrides) {
  SetEnvironmentVariableA("PRAVEL_PROGRAM_FOLDER", "C:\\PROG");
  SetEnvironmentVariableA("PRAVEL_RUN_NAME", "AB12");
  SetEnvironmentVariableA("PRAVEL_PRIVATE_FOLDER", "");  // empty: not set
  SetEnvironmentVariableA("PRAVEL_WORK_FOLDER", "F:\\WORK\\");
  EXPECT_STREQ(LoaderGetProgramFolder(nullptr), "C:\\PROG\\");
  EXPECT_EQ(RunName(), "AB12");
  EXPECT_EQ(Private(), "C:\\PROG\\");
  EXPECT_EQ(Work(), "F:\\WORK\\");

  PravelProbeSetProgramFolder("X:\\");
  PravelProbeSetRunName("");
  PravelProbeSetWorkFolder("");
  EXPECT_STREQ(LoaderGetProgramFolder(nullptr), "X:\\");
  EXPECT_EQ(RunName(), "");
  EXPECT_EQ(Work(), "(none)");

  PravelProbeSetProgramFolder(nullptr);
  EXPECT_STREQ(LoaderGetProgramFolder(nullptr), "C:\\PROG\\");
}

TEST_F(LoaderStandIn, CopiesStayInsideTheCallersBuffers) {
  char run[20];
  std::memset(run, '#', sizeof run);
  PravelProbeSetRunName("ABCDEFGHIJKLMNOPQRST");
  LoaderGetRunName(run);
  EXPECT_STREQ(run, "ABCDEFGHIJKLMNO");
  EXPECT_EQ(std::string(run + 16, 4), "####");

  char folder[12];
  std::memset(folder, '#', sizeof folder);
  PravelProbeSetPrivateFolder("E:\\PRIVATE\\DATA\\", -1);
  EXPECT_EQ(LoaderGetPrivateFolder(folder, 8), 8);
  EXPECT_EQ(std::string(folder, sizeof folder), "E:\\PRIVA####");
  EXPECT_EQ(LoaderGetWorkFolder(nullptr, 256), 0);

  PravelProbeSetProgramFolder(std::string(300, 'P').c_str());
  EXPECT_EQ(std::strlen(LoaderGetProgramFolder(nullptr)), 255u);

  // A fixed answer, whatever was written, for the callers' own bounds.
  PravelProbeSetPrivateFolder("E:\\P\\", 0);
  EXPECT_EQ(LoaderGetPrivateFolder(folder, sizeof folder), 0);
  PravelProbeSetPrivateFolder(nullptr, 256);
  EXPECT_EQ(LoaderGetPrivateFolder(folder, sizeof folder), 256);
}

TEST_F(LoaderStandIn, RecordsWhatTheLibraryPassed) {
  char long_text[100];
  std::memset(long_text, 'T', sizeof long_text);  // no terminator within 80
  EXPECT_NE(LoaderPutText(long_text), 0);
  EXPECT_NE(LoaderPutText("READY"), 0);
  char text[128];
  ASSERT_EQ(PravelProbePutTextCount(), 2);
  EXPECT_EQ(PravelProbePutText(0, text, sizeof text), 80);
  EXPECT_EQ(std::string(text), std::string(80, 'T'));
  EXPECT_EQ(PravelProbePutText(1, text, sizeof text), 5);
  EXPECT_STREQ(text, "READY");
  EXPECT_EQ(PravelProbePutText(2, text, sizeof text), -1);

  const char field[] = "D:\\X.QXN\0ZZ";  // 11 bytes of host field
  // The copy of the length differs from the host length, so a swap of the
  // two would show.
  const int64_t length_copy = 7;
  LoaderSetCasePath(field, 11, &length_copy);
  EXPECT_EQ(PravelProbeSetCasePathCount(), 1);
  EXPECT_EQ(PravelProbeLastCasePath(text, sizeof text), 11);
  EXPECT_EQ(std::string(text, 11), std::string(field, 11));
  EXPECT_EQ(PravelProbeLastCasePathLength(), 7);

  LoaderReleaseFiles();
  LoaderReleaseFiles();
  EXPECT_EQ(PravelProbeReleaseFilesCount(), 2);
  PravelProbeReset();
  EXPECT_EQ(PravelProbeReleaseFilesCount(), 0);
  EXPECT_EQ(PravelProbePutTextCount(), 0);
}

}  // namespace
