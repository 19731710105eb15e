// The host stand-in as a program: it runs the example block through every
// call, reports each, and answers an exit code that tells success from a
// failed call.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "include/holders.h"
#include "standins/host/host_files.h"
#include "tests/common/run_env_scratch.h"

namespace {

struct HostRun {
  DWORD exit_code = 0xFFFFFFFF;
  std::string output;
};

// Starts zovkhost.exe with the arguments and waits for it, reading what it
// prints through a pipe. The pipe is drained while the program runs and once
// more after it has ended; the test never waits for the pipe's end, which a
// process that the program's COM start-up spawned may hold open.
HostRun RunHost(const std::string& arguments) {
  HostRun run;
  HANDLE read_end = nullptr, write_end = nullptr;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  if (!CreatePipe(&read_end, &write_end, &inherit, 1 << 20)) return run;
  UniqueHandle reader(read_end), writer(write_end);
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = write_end;
  start.hStdError = write_end;
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string command = "zovkhost.exe " + arguments;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                      &process)) {
    run.output = "cannot start zovkhost.exe: error " + std::to_string(GetLastError());
    return run;
  }
  UniqueHandle process_handle(process.hProcess), thread_handle(process.hThread);
  writer.reset();

  auto drain = [&] {
    DWORD available = 0;
    while (PeekNamedPipe(read_end, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (!ReadFile(read_end, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr))
        break;
      run.output.append(buffer, got);
    }
  };
  const ULONGLONG deadline = GetTickCount64() + 120000;
  while (WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT && GetTickCount64() < deadline)
    drain();
  drain();
  GetExitCodeProcess(process.hProcess, &run.exit_code);
  return run;
}

class HostRunTest : public ::testing::Test {
 protected:
  HostRunTest() : scratch_("zovk_host_run") {}
  run_env_test::ScratchFolder scratch_;
};

TEST_F(HostRunTest, TheExampleBlockSucceedsAndLeavesTheExampleAsItWas) {
  const std::string example_case = "examples\\block1\\BLOCK1.QXN";
  const std::string before = host::ReadWholeFile(example_case);
  const HostRun run = RunHost("examples\\block1 " + scratch_.path() + "\\work");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  for (const char* line :
       {"ZOVK_VODI_INPUT .................. status 0",
        "ZOVK_VODI_HCURVE cold side ....... status 0",
        "DOVI_PERFORMANCE  IVALS(1) = 99999999, 24 reals", "  22  cold fouling resistance",
        "ZOVK_VODI_OUTPUT mode 2 .......... status 0", "ZOVK_VODI_EXIT ................... done",
        "every call succeeded"})
    EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
  // The run worked on its copy.
  EXPECT_TRUE(host::FileExists(scratch_.path() + "\\work\\BLOCK1.QXN"));
  EXPECT_EQ(host::ReadWholeFile(example_case), before);
}

TEST_F(HostRunTest, AFailedCallStopsTheRoadButStillExits) {
  // A block whose unit input object names nothing the block file holds.
  const std::string folder = scratch_.path() + "\\broken";
  ASSERT_TRUE(host::MakeFolders(folder));
  std::string text = host::ReadWholeFile("examples\\block1\\block.rpd");
  const std::string unit = "\"unit=PHE-101.INPUT\"";
  ASSERT_NE(text.find(unit), std::string::npos);
  text.replace(text.find(unit), unit.size(), "\"unit=PHE-101.ELSEWHERE\"");
  {
    UniqueFile file(std::fopen((folder + "\\block.rpd").c_str(), "wb"));
    ASSERT_TRUE(file);
    std::fwrite(text.data(), 1, text.size(), file.get());
  }
  ASSERT_TRUE(host::CopyFileOver("examples\\block1\\BLOCK1.QXN", folder + "\\BLOCK1.QXN"));

  const HostRun run = RunHost(folder + " " + folder + "\\work");
  EXPECT_EQ(run.exit_code, 1u) << run.output;
  // No unit options to keep (no such object) and so none to write.
  EXPECT_NE(run.output.find("unit options kept ................ repository error 2"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("unit options written ............. repository error 3"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("ZOVK_VODI_EXECUTE"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("ZOVK_VODI_EXIT ................... done"), std::string::npos);
  EXPECT_NE(run.output.find("a call reported a failure"), std::string::npos);
}

// The host ends its process after output without calling exit: the
// connections are still open when the process's end unloads the library, and
// nothing may call the case server then.
TEST_F(HostRunTest, AProcessThatEndsWithOpenConnectionsEndsCleanly) {
  const HostRun run = RunHost("--no-exit examples\\block1 " + scratch_.path() + "\\work");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_NE(run.output.find("ZOVK_VODI_OUTPUT mode 2 .......... status 0"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("every call succeeded; the host ends without ZOVK_VODI_EXIT"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("ZOVK_VODI_EXIT ..."), std::string::npos) << run.output;
}

TEST_F(HostRunTest, AWrongCommandLineAnswers2) {
  EXPECT_EQ(RunHost("").exit_code, 2u);
  EXPECT_EQ(RunHost("a b c").exit_code, 2u);
  EXPECT_EQ(RunHost("--no-exit").exit_code, 2u);
}

}  // namespace
