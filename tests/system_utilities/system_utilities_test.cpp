#include "services/system_utilities_face.h"

#include <gtest/gtest.h>
#include <process.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <sddl.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "runenv/run_folders_face.h"
#include "services/install_paths_face.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string TestProgramFolder() {
  char here[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, here, MAX_PATH);
  const std::string path(here);
  return path.substr(0, path.rfind('\\') + 1);
}

// The suite's probe program lies in the program folder and writes the
// arguments it received into a file of the test's own folder.
class ProgramStart : public ::testing::Test {
 protected:
  void SetUp() override {
    UseProgramFolder(TestProgramFolder());
    _putenv(("ZOVK_SPAWN_OUT=" + out_).c_str());
  }
  void TearDown() override {
    _putenv("ZOVK_SPAWN_OUT=");
    FOLDER_BUFFERS.program_folder[0] = '\0';
  }
  static void UseProgramFolder(const std::string& folder) {
    ASSERT_LT(folder.size(), sizeof FOLDER_BUFFERS.program_folder);
    std::strcpy(FOLDER_BUFFERS.program_folder, folder.c_str());
  }
  // The probe's report, once it is there (a started command is not waited for).
  std::string Received(DWORD wait_ms = 0) {
    for (DWORD waited = 0; !Exists(out_) && waited < wait_ms; waited += 50) Sleep(50);
    std::string text = ReadBytes(out_);
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    DeleteFileA(out_.c_str());
    return text;
  }

  ScratchFolder scratch_;
  std::string out_ = scratch_ / "received.txt";
};

TEST_F(ProgramStart, TheArgumentsStopBeforeTheFirstBlankOneAndLeaveOutEmptyOnes) {
  const struct {
    const char* a1;
    const char* a2;
    const char* a3;
    const char* a4;
    const char* received;
  } cases[] = {
      {"A", "B", "C", "D", "A\nB\nC\nD\n"}, {"A", " ", "C", "D", "A\n"},
      {"A", "B", " C", "D", "A\nB\n"},      {" ", "B", "C", "D", ""},
      {"A", "", "C", "D", "A\nC\nD\n"},     {"A", nullptr, "C", "D", "A\n"},
      {"", "B", "", " D", "B\n"},
  };
  for (const auto& c : cases) {
    const intptr_t count = static_cast<intptr_t>(std::strlen(c.received) / 2);
    EXPECT_EQ(SpawnProgram(_P_WAIT, "spawn_probe.exe", c.a1, c.a2, c.a3, c.a4), count);
    EXPECT_EQ(Received(), c.received) << c.a1 << "|" << (c.a2 ? c.a2 : "null");
  }
}

TEST_F(ProgramStart, ArgumentsHoldingBlanksOrQuotesArriveWhole) {
  EXPECT_EQ(SpawnProgram(_P_WAIT, "spawn_probe.exe", "C:\\My Cases\\", "say \"hi\"", "a\\b", "end"),
            4);
  EXPECT_EQ(Received(), "C:\\My Cases\\\nsay \"hi\"\na\\b\nend\n");
}

TEST_F(ProgramStart, AProgramFolderWithBlanksIsOneProgramName) {
  const std::string folder = scratch_ / "Prog Dir\\";
  WriteBytes(folder + "spawn_probe.exe", ReadBytes(TestProgramFolder() + "spawn_probe.exe"));
  UseProgramFolder(folder);
  EXPECT_EQ(SpawnProgram(_P_WAIT, "spawn_probe.exe", "A", nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(Received(), "A\n");
}

TEST_F(ProgramStart, TheModeIsHandedToTheProgramStart) {
  const intptr_t process = SpawnProgram(_P_NOWAIT, "spawn_probe.exe", "A", "B", " ", nullptr);
  ASSERT_NE(process, -1);
  const HANDLE handle = reinterpret_cast<HANDLE>(process);
  ASSERT_EQ(WaitForSingleObject(handle, 60000), WAIT_OBJECT_0);
  DWORD exit_code = 0;
  GetExitCodeProcess(handle, &exit_code);
  CloseHandle(handle);
  EXPECT_EQ(exit_code, 2u);
  EXPECT_EQ(Received(), "A\nB\n");
}

TEST_F(ProgramStart, AProgramThatCannotStartAnswersMinusOne) {
  EXPECT_EQ(SpawnProgram(_P_WAIT, "no_such_program.exe", "A", nullptr, nullptr, nullptr), -1);
  const std::string long_name = std::string(256 - TestProgramFolder().size(), 'x') + ".exe";
  EXPECT_EQ(SpawnProgram(_P_WAIT, long_name.c_str(), "A", nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(SpawnProgram(_P_WAIT, nullptr, "A", nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(Received(), "");
}

TEST_F(ProgramStart, ACommandLineRunsWithoutBeingWaitedFor) {
  const std::string command = "\"" + TestProgramFolder() + "spawn_probe.exe\" X \"Y Z\"";
  EXPECT_GT(RunCommand(command.c_str()), 31u);
  // Not waited for by the call: a busy machine can take many seconds to start it.
  EXPECT_EQ(Received(60000), "X\nY Z\n");
  EXPECT_LE(RunCommand((scratch_ / "no_such_program.exe").c_str()), 31u);
  EXPECT_LE(RunCommand(nullptr), 31u);
}

TEST(UniqueName, IsTheTimeTag) {
  char name[7] = "";
  char before[7], after[7];
  FormatTimeTag(std::time(nullptr), before);
  EXPECT_EQ(MakeUniqueName(name, sizeof name), 1);
  FormatTimeTag(std::time(nullptr), after);
  EXPECT_TRUE(std::strcmp(name, before) == 0 || std::strcmp(name, after) == 0) << name;
  EXPECT_EQ(MakeUniqueName(name, 6), 0);
}

// Keys of the test's own, made in the test prefix's registry and removed again.
class Registry : public ::testing::Test {
 protected:
  static constexpr const char* kProductLine = "SOFTWARE\\Tavikon";
  static constexpr const char* kUserSettings =
      "SOFTWARE\\VA and VBA Program Settings\\Tavikon/K-VEM 6.0";
  void SetUp() override { TearDown(); }
  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductLine);
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\VA and VBA Program Settings");
  }
  static void Create(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void SetValue(const std::string& subkey, const char* name, DWORD type, const void* data,
                       DWORD size) {
    const std::string path = std::string(kUserSettings) + "\\" + subkey;
    Create(HKEY_CURRENT_USER, path);
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, type, data, size),
              ERROR_SUCCESS);
  }
  static int32_t Installed() {
    int32_t result = -1;
    IsHostInstalled(&result);
    return result;
  }
};

TEST_F(Registry, TheHostIsInstalledWhenItsProductKeyOpens) {
  EXPECT_EQ(Installed(), 1);
  Create(HKEY_LOCAL_MACHINE, kProductLine);
  EXPECT_EQ(Installed(), 1);  // "Quorvel" missing under "Tavikon"
  Create(HKEY_LOCAL_MACHINE, std::string(kProductLine) + "\\Quorvel");
  EXPECT_EQ(Installed(), 0);
}

// A machine root whose "SOFTWARE" the user may read but not write: the product
// key below it must still be found.
TEST_F(Registry, ReadingIsEnoughToFindTheHost) {
  const std::string root = "SOFTWARE\\VA and VBA Program Settings\\ReadOnlyMachine";
  Create(HKEY_CURRENT_USER, root + "\\SOFTWARE\\Tavikon\\Quorvel");
  PSECURITY_DESCRIPTOR read_only = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &read_only, nullptr));
  HKEY software = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (root + "\\SOFTWARE").c_str(), 0, WRITE_DAC | KEY_READ,
                          &software),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetKeySecurity(software, DACL_SECURITY_INFORMATION, read_only), ERROR_SUCCESS);
  RegCloseKey(software);
  LocalFree(read_only);

  HKEY machine = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, &machine), ERROR_SUCCESS);
  HKEY writable = nullptr;
  const LONG write_open =
      RegOpenKeyExA(machine, "SOFTWARE", 0, KEY_READ | KEY_SET_VALUE, &writable);
  if (write_open == ERROR_SUCCESS) RegCloseKey(writable);
  ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine), ERROR_SUCCESS);
  const int32_t installed = Installed();
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegCloseKey(machine);
  EXPECT_EQ(installed, 0);
  EXPECT_EQ(write_open, ERROR_ACCESS_DENIED) << "the registry does not enforce key rights here";
}

TEST_F(Registry, AUserSettingIsReadFromItsSubkey) {
  SetValue("Print", "Output", REG_SZ, "2 per 1", 8);
  SetValue("Print", "Bare", REG_SZ, "4 per 1", 7);  // stored without its terminator
  char buffer[16] = "OLD";
  EXPECT_EQ(ReadUserSetting("Print", "Output", buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "2 per 1");
  std::memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(ReadUserSetting("Print", "Bare", buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "4 per 1");

  const struct {
    const char* subkey;
    const char* name;
  } missing[] = {{"Print", "Nothing"}, {"Nowhere", "Output"}, {"print\\deeper", "Output"}};
  for (const auto& m : missing) {
    std::strcpy(buffer, "OLD");
    EXPECT_EQ(ReadUserSetting(m.subkey, m.name, buffer, sizeof buffer), 0) << m.subkey;
    EXPECT_STREQ(buffer, "");
  }
}

TEST_F(Registry, TheProductLineKeyIsOneNameWithItsSlash) {
  Create(HKEY_CURRENT_USER, "SOFTWARE\\VA and VBA Program Settings\\Tavikon\\K-VEM 6.0\\Print");
  const std::string path = "SOFTWARE\\VA and VBA Program Settings\\Tavikon\\K-VEM 6.0\\Print";
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), "Output", REG_SZ, "1 per 1", 8),
            ERROR_SUCCESS);
  char buffer[16] = "";
  EXPECT_EQ(ReadUserSetting("Print", "Output", buffer, sizeof buffer), 0);
}

TEST_F(Registry, AValueThatDoesNotFitIsNotRead) {
  SetValue("Print", "Output", REG_SZ, "2 per 1", 8);
  char buffer[16] = "OLD";
  EXPECT_EQ(ReadUserSetting("Print", "Output", buffer, 7), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(ReadUserSetting("Print", "Output", buffer, 8), 1);
  EXPECT_STREQ(buffer, "2 per 1");
}

TEST(DateTime, FormatsMonthDayYearAndTwentyFourHours) {
  std::tm local{};
  local.tm_year = 124;
  local.tm_mon = 2;
  local.tm_mday = 5;
  local.tm_hour = 14;
  local.tm_min = 7;
  local.tm_sec = 9;
  char date[9] = {}, time[9] = {};
  FormatDateTime(local, date, time);
  EXPECT_STREQ(date, "03/05/24");
  EXPECT_STREQ(time, "14:07:09");
}

TEST(DateTime, ElapsedSecondsCountFromThePreviousStamp) {
  ELAPSED_CLOCK = 0;
  ELAPSED_CLOCK_SET = false;
  EXPECT_EQ(StepElapsedClock(0), 0);  // a first stamp in the clock's first second
  EXPECT_EQ(StepElapsedClock(7), 7);
  EXPECT_EQ(StepElapsedClock(7), 0);
  EXPECT_EQ(StepElapsedClock(10), 3);
  EXPECT_EQ(ELAPSED_CLOCK, 10);
}

TEST(DateTime, StampsTheLocalDateAndTime) {
  ELAPSED_CLOCK = 0;
  ELAPSED_CLOCK_SET = false;
  char date[9] = {}, time[9] = {}, expected_date[9] = {};
  int32_t elapsed = -1;
  const std::time_t now = std::time(nullptr);
  std::strftime(expected_date, sizeof expected_date, "%m/%d/%y", std::localtime(&now));
  const int32_t seconds = GetDateTime(date, time, &elapsed);
  EXPECT_EQ(elapsed, 0);
  EXPECT_NEAR(seconds, static_cast<int32_t>(std::clock() / CLOCKS_PER_SEC), 1);
  EXPECT_STREQ(date, expected_date);
  EXPECT_EQ(time[2], ':');
  EXPECT_EQ(time[5], ':');
  GetDateTime(date, time, &elapsed);
  EXPECT_GE(elapsed, 0);
  EXPECT_LE(elapsed, 1);
}

TEST(DateTime, TheStampJacketPadsOrCutsToItsFields) {
  ELAPSED_CLOCK = 1;
  ELAPSED_CLOCK_SET = true;
  char date[10], time[5];
  int32_t elapsed = -1;
  GET_DATE_TIME_STAMP(date, sizeof date, time, sizeof time, &elapsed);
  const std::string date_text(date, sizeof date);
  EXPECT_EQ(date_text.substr(8), "  ");
  EXPECT_EQ(date_text[2], '/');
  EXPECT_EQ(std::string(time, sizeof time).substr(2, 1), ":");
  EXPECT_NEAR(elapsed, static_cast<int32_t>(std::clock() / CLOCKS_PER_SEC) - 1, 1);
}

}  // namespace
