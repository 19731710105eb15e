// Execute and output over the real connection table and the case server
// stand-in: a server that cannot be created or opens no case is never called
// through, and a save the server reports unwritten keeps the backup.
#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "drivers/connection_table_face.h"
#include "drivers/runs_awaiting_output.h"
#include "standins/caseserver/case_server_probe.h"
#include "standins/lumbra/repository_probe.h"
#include "tests/common/case_server_registration.h"
#include "tests/common/file_text.h"
#include "tests/common/host_arguments.h"
#include "tests/common/run_env_scratch.h"

namespace {

using driver_test::HostCall;
using driver_test::ReadWholeFile;
using driver_test::WriteWholeFile;
using run_env_test::Exists;

// A case file the server loads: the program's case with no entry given.
constexpr char kCaseBeforeTheRun[] = "QXN-CASE 1\nprogram \"Vodi\"\n# before the run\nend\n";

std::vector<int64_t> OutputOptions(int64_t mode) { return {0, 0, 0, 0, 0, 0, 0, mode, 0, 0, 0, 0}; }

class CaseServerRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(RegisterCaseServer());
    OleInitialize(nullptr);
    CaseProbeReset();
    // These roads are about the case files, so a run's outcome is the tests'
    // own: the program would stop on the fixture's empty streams and have the
    // case saved for it.
    CaseProbeSetRatingModel(0);
    LumbraProbeReset();
    case_path_ = folder_.path() + "\\BLOCK.QXN";
    backup_path_ = folder_.path() + "\\BLOCK.BAK";
    WriteWholeFile(case_path_, kCaseBeforeTheRun);
    call_.block.options = {0, 0, 0, 0};
  }
  void TearDown() override {
    CaseProbeFailOperation("ClassFactory::CreateInstance", 0);
    CaseProbeFailOperation("CaseServer::OpenProgramCase", 0);
    CaseProbeFailOperation("CaseServer::SaveCaseFile", 0);
    HANDLE_EXIT();
    OleUninitialize();
  }

  int64_t Output(int64_t mode) {
    call_.block.options = OutputOptions(mode);
    return call_.Output(case_path_);
  }

  run_env_test::ScratchFolder folder_{"zovkroad"};
  HostCall call_;
  std::string case_path_, backup_path_;
  std::vector<int64_t> codes_ = std::vector<int64_t>(8, 0);
};

TEST_F(CaseServerRoad, NoServerOrNoCaseLeavesTheFilesAlone) {
  for (const char* failing : {"ClassFactory::CreateInstance", "CaseServer::OpenProgramCase"}) {
    CaseProbeFailOperation(failing, 2);
    EXPECT_EQ(call_.Execute(case_path_, codes_), 0) << failing;
    EXPECT_FALSE(Exists(backup_path_)) << failing;
    EXPECT_EQ(Output(1), 39) << failing;
    EXPECT_EQ(ReadWholeFile(case_path_), kCaseBeforeTheRun);
    EXPECT_TRUE(CONNECTION_TABLE.SERVER_OBJECTS.empty());
    // No server was left holding a case: nothing was loaded or run.
    for (const std::string& line : case_probe::Log()) {
      EXPECT_EQ(line.find("CaseServer::LoadCaseFile"), std::string::npos) << line;
      EXPECT_EQ(line.find("CaseServer::RunProgram"), std::string::npos) << line;
    }
  }
}

// The log's operations of the case server whose names begin with prefix.
int CaseServerCalls(const std::string& prefix) {
  int n = 0;
  for (const std::string& line : case_probe::Log())
    if (line.rfind(prefix, 0) == 0) ++n;
  return n;
}

TEST_F(CaseServerRoad, ASecondExecuteRunsInTheConnectionOfTheFirst) {
  call_.Execute(case_path_, codes_);
  ASSERT_EQ(CONNECTION_TABLE.SERVER_OBJECTS.size(), 1u);
  const CaseServer* server = CONNECTION_TABLE.SERVER_OBJECTS[0].get();
  const CaseData* data = CONNECTION_TABLE.CASE_OBJECTS[0].get();
  ASSERT_NE(data, nullptr);
  CaseProbeClearLog();

  call_.Execute(case_path_, codes_);
  ASSERT_EQ(CONNECTION_TABLE.SERVER_OBJECTS.size(), 1u);
  EXPECT_EQ(CONNECTION_TABLE.SERVER_OBJECTS[0].get(), server);
  EXPECT_EQ(CONNECTION_TABLE.CASE_OBJECTS[0].get(), data);
  // No new server and no new case: the stored one is loaded and run again.
  EXPECT_EQ(CaseServerCalls("CaseServer::OpenProgramCase"), 0);
  EXPECT_EQ(CaseServerCalls("CaseServer::LoadCaseFile|"), 1);
  EXPECT_EQ(CaseServerCalls("CaseServer::RunProgram|"), 1);
}

TEST_F(CaseServerRoad, KeptRunIsSavedAndTheBackupGoes) {
  call_.Execute(case_path_, codes_);
  EXPECT_EQ(ReadWholeFile(backup_path_), kCaseBeforeTheRun);
  EXPECT_EQ(Output(2), 0);
  EXPECT_FALSE(Exists(backup_path_));
  // The server wrote its own case file in place of the old text.
  EXPECT_NE(ReadWholeFile(case_path_), kCaseBeforeTheRun);
  EXPECT_FALSE(case_probe::Server().case_open);
}

TEST_F(CaseServerRoad, UnwrittenSaveKeepsTheBackup) {
  call_.Execute(case_path_, codes_);
  CaseProbeFailOperation("CaseServer::SaveCaseFile", 1);
  EXPECT_EQ(Output(2), 39);
  EXPECT_EQ(ReadWholeFile(backup_path_), kCaseBeforeTheRun);
  // The host's case path is not replaced by the failed save's empty answer.
  EXPECT_EQ(std::string(call_.case_text.c_str()), case_path_);

  call_.Execute(case_path_, codes_);
  {
    // A case file that another program took hold of after the run cannot be
    // written over.
    const HANDLE held = CreateFileA(case_path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Output(2), 39);
    CloseHandle(held);
  }
  EXPECT_EQ(ReadWholeFile(backup_path_), kCaseBeforeTheRun);
  EXPECT_EQ(ReadWholeFile(case_path_), kCaseBeforeTheRun);
}

// The server of a connection that no execute call ran in holds the new case
// of its creation, and one whose case file it could not load a new case too:
// neither is saved over the user's file, and a file at the backup's path is
// not copied back over it.
TEST_F(CaseServerRoad, AnOutputWithoutARunOfItsOwnSavesAndRestoresNothing) {
  WriteWholeFile(backup_path_, "the user's own");
  for (const int64_t mode : {2, 1}) {
    EXPECT_EQ(Output(mode), 39) << mode;
    EXPECT_EQ(ReadWholeFile(case_path_), kCaseBeforeTheRun) << mode;
    EXPECT_EQ(ReadWholeFile(backup_path_), "the user's own") << mode;
  }
  EXPECT_EQ(CaseServerCalls("CaseServer::SaveCaseFile"), 0);

  // A case file cut short: the execute call is refused, and so is the output.
  const std::string cut = std::string(kCaseBeforeTheRun).substr(0, 20);
  WriteWholeFile(case_path_, cut);
  EXPECT_EQ(call_.Execute(case_path_, codes_), 0);
  for (const int64_t mode : {2, 1}) {
    EXPECT_EQ(Output(mode), 39) << mode;
    EXPECT_EQ(ReadWholeFile(case_path_), cut) << mode;
    EXPECT_EQ(ReadWholeFile(backup_path_), "the user's own") << mode;
  }
  EXPECT_EQ(CaseServerCalls("CaseServer::SaveCaseFile"), 0);
}

// Exit shuts the servers down, and with them the runs they held: a server of
// a later connection may come to lie where one of them was.
TEST_F(CaseServerRoad, AnExitEndsTheRunsOfItsServers) {
  call_.Execute(case_path_, codes_);
  EXPECT_EQ(RUNS_AWAITING_OUTPUT.RUNS.size(), 1u);
  HANDLE_EXIT();
  EXPECT_TRUE(RUNS_AWAITING_OUTPUT.RUNS.empty());
  OleInitialize(nullptr);
  WriteWholeFile(case_path_, "the case as the user left it");
  EXPECT_EQ(Output(2), 39);
  EXPECT_EQ(ReadWholeFile(case_path_), "the case as the user left it");
  EXPECT_EQ(ReadWholeFile(backup_path_), kCaseBeforeTheRun);
}

// The program's messages of one run, written by the run hook.
void ReportMessages17And39(void*) {
  CaseProbeDefineVariable(CASE_PROBE_ARRAY_RESULTS, "arTavikMsgs", 2);
  CaseProbeSetEntry(CASE_PROBE_ARRAY_RESULTS, "arTavikMsgs", 1, "", 0, "17");
  CaseProbeSetEntry(CASE_PROBE_ARRAY_RESULTS, "arTavikMsgs", 2, "", 0, "39");
}

TEST_F(CaseServerRoad, RunSavedForItsMessagesIsKeptByTheOutputCall) {
  CaseProbeSetRunHook(ReportMessages17And39, nullptr);
  EXPECT_EQ(call_.Execute(case_path_, codes_), 2);
  CaseProbeSetRunHook(nullptr, nullptr);
  EXPECT_EQ(codes_[0], 17);
  EXPECT_EQ(codes_[1], 39);
  int saves = 0;
  for (const std::string& line : case_probe::Log())
    if (line.rfind("CaseServer::SaveCaseFile|", 0) == 0) ++saves;
  EXPECT_EQ(saves, 2);
  const std::string saved = ReadWholeFile(case_path_);
  EXPECT_NE(saved, kCaseBeforeTheRun);
  EXPECT_EQ(ReadWholeFile(backup_path_), kCaseBeforeTheRun);

  // The case was closed after the saves: the kept run is the saved file.
  EXPECT_EQ(Output(2), 0);
  EXPECT_EQ(ReadWholeFile(case_path_), saved);
  EXPECT_FALSE(Exists(backup_path_));
}

TEST_F(CaseServerRoad, DiscardedRunGetsTheCaseFileBack) {
  call_.Execute(case_path_, codes_);
  WriteWholeFile(case_path_, "case the server wrote");
  EXPECT_EQ(Output(1), 0);
  EXPECT_EQ(ReadWholeFile(case_path_), kCaseBeforeTheRun);
  EXPECT_FALSE(Exists(backup_path_));
  EXPECT_FALSE(case_probe::Server().case_open);
}

}  // namespace
