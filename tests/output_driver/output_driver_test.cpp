// The output driver at work: what goes into the case for each output mode,
// how the case file is kept or restored, and that a failed save or restore
// never takes both the case file and its backup from the user.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "drivers/case_link_face.h"
#include "drivers/runs_awaiting_output.h"
#include "drivers/unit_factors_face.h"
#include "tests/common/driver_doubles.h"
#include "tests/common/file_text.h"
#include "tests/common/host_arguments.h"
#include "tests/common/run_env_scratch.h"
#include "tests/output_driver/loader_case_path_fake.h"

namespace {

using driver_test::DOUBLES;
using driver_test::EntriesStartingWith;
using driver_test::FakeCaseServer;
using driver_test::HostCall;
using driver_test::ReadWholeFile;
using driver_test::WriteWholeFile;
using run_env_test::Exists;
using run_env_test::ScratchFolder;

// HOST_OPTIONS of an output call: (2) NHOT, (3) NCOLD, (8) the output mode,
// (11) and (12) the sides' property words.
std::vector<int64_t> OutputOptions(int64_t nhot, int64_t ncold, int64_t mode, int64_t hot = 0,
                                   int64_t cold = 0) {
  return {0, nhot, ncold, 0, 0, 0, 0, mode, 0, 0, hot, cold};
}

class OutputDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    DOUBLES.Reset();
    DOUBLES.server = &server_;
    DOUBLES.case_data = driver_test::OpaqueCaseData();
    DOUBLES.unit_mode = 3;
    CASE_PATH_CALLS.clear();
    RUNS_AWAITING_OUTPUT.RUNS.clear();
    case_path_ = folder_.path() + "\\BLOCK.QXN";
    backup_path_ = folder_.path() + "\\BLOCK.BAK";
    call_.block.SetCurves({"H1", "H2", "H3", "H4", "H5", "H6"}, {"C1"});
    // The block's run, which the output call keeps or discards.
    WriteWholeFile(case_path_, "case before the run");
    Execute(case_path_);
    WriteWholeFile(case_path_, "case as the run left it");
  }

  // An execute call of the block on that case file, the log cleared after it.
  void Execute(const std::string& path) {
    HostCall execute;
    execute.block = call_.block;
    execute.block.options = {0, 0, 0, 0};
    std::vector<int64_t> codes(4, 0);
    execute.Execute(path, codes);
    DOUBLES.log.clear();
  }

  int64_t Output(std::vector<int64_t> options) {
    call_.block.options = std::move(options);
    return call_.Output(case_path_);
  }

  ScratchFolder folder_{"zovkout"};
  FakeCaseServer server_;
  HostCall call_;
  std::string case_path_, backup_path_;
};

TEST_F(OutputDriver, KeptRunPutsEverythingAndSavesTheCase) {
  DOUBLES.unit_mode = 1;
  server_.save_text = "case with the host's final data";
  EXPECT_EQ(Output(OutputOptions(6, 1, 2, 0, 5)), 0);

  const std::vector<std::string> expected = {
      "LoaderSetCasePath",
      "GET_CASE_CONNECTION|BLOCK1|0|Vodi",
      "PUT_STREAM_INLETS|2|HOTIN|HOTOUT|2|COLDIN|COLDOUT",
      "MARK_PROPERTY_INPUTS|0|5",
      // Four curves a side at most.
      "READ_HEAT_RELEASE_CURVE|2|1|H1",
      "READ_HEAT_RELEASE_CURVE|2|2|H2",
      "READ_HEAT_RELEASE_CURVE|2|3|H3",
      "READ_HEAT_RELEASE_CURVE|2|4|H4",
      "READ_HEAT_RELEASE_CURVE|2|1|C1",
      "PUT_UNIT_OPTIONS|2|UNIT",
      "COPY_DESIGN_GEOMETRY",
      "SaveCaseFile|" + case_path_ + "|1",
      "CloseCase",
  };
  EXPECT_EQ(DOUBLES.log, expected);
  EXPECT_EQ(ReadWholeFile(case_path_), "case with the host's final data");
  EXPECT_FALSE(Exists(backup_path_));
  ASSERT_EQ(CASE_PATH_CALLS.size(), 1u);
  EXPECT_EQ(CASE_PATH_CALLS[0].length, 256);
  EXPECT_EQ(CASE_PATH_CALLS[0].length_copy, 256);
  EXPECT_EQ(CASE_PATH_CALLS[0].path, call_.block.CasePathText(case_path_));
  EXPECT_EQ(UNIT_FACTORS.F_POWER, 1000.0f);
}

TEST_F(OutputDriver, KeptRunOfAnotherUnitModeCopiesNoGeometry) {
  EXPECT_EQ(Output(OutputOptions(1, 1, 2)), 0);
  EXPECT_TRUE(EntriesStartingWith("COPY_DESIGN_GEOMETRY").empty());
  EXPECT_EQ(EntriesStartingWith("SaveCaseFile").size(), 1u);
  EXPECT_FALSE(Exists(backup_path_));
}

TEST_F(OutputDriver, SideCountsAndPropertyWordsDecideTheCurves) {
  // No hot curve for a count of 0, whatever the list still holds; none of a
  // side whose property word is 2.
  EXPECT_EQ(Output(OutputOptions(0, 1, 2)), 0);
  EXPECT_EQ(EntriesStartingWith("READ_HEAT_RELEASE_CURVE"),
            std::vector<std::string>{"READ_HEAT_RELEASE_CURVE|2|1|H1"});
  EXPECT_EQ(CASE_LINK.COLDCURVE[0], "H1");

  Execute(case_path_);
  EXPECT_EQ(Output(OutputOptions(2, 1, 2, 0, 2)), 0);
  EXPECT_EQ(EntriesStartingWith("READ_HEAT_RELEASE_CURVE"),
            (std::vector<std::string>{"READ_HEAT_RELEASE_CURVE|2|1|H1",
                                      "READ_HEAT_RELEASE_CURVE|2|2|H2"}));
  EXPECT_EQ(EntriesStartingWith("MARK_PROPERTY_INPUTS"),
            std::vector<std::string>{"MARK_PROPERTY_INPUTS|0|2"});
}

class DiscardedRun : public OutputDriver, public ::testing::WithParamInterface<int64_t> {};

TEST_P(DiscardedRun, RestoresTheCaseFileFromTheBackup) {
  DOUBLES.unit_mode = 1;
  const int64_t mode = GetParam();
  EXPECT_EQ(Output(OutputOptions(6, 1, mode)), 0);
  const std::string flag = std::to_string(mode);
  const std::vector<std::string> expected = {
      "LoaderSetCasePath",
      "GET_CASE_CONNECTION|BLOCK1|0|Vodi",
      "PUT_STREAM_INLETS|" + flag + "|HOTIN|HOTOUT|" + flag + "|COLDIN|COLDOUT",
      "MARK_PROPERTY_INPUTS|0|0",
      "PUT_UNIT_OPTIONS|" + flag + "|UNIT",
      "CloseCase",
  };
  EXPECT_EQ(DOUBLES.log, expected);
  EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
  EXPECT_FALSE(Exists(backup_path_));
}

INSTANTIATE_TEST_SUITE_P(Modes, DiscardedRun, ::testing::Values(1, 0, 3));

TEST_F(OutputDriver, ADiscardThatCannotRestoreTheCaseFileAnswersFailure) {
  // The run's backup is gone: the file the run saved over cannot come back.
  DeleteFileA(backup_path_.c_str());
  EXPECT_EQ(Output(OutputOptions(1, 1, 1)), 39);
  EXPECT_EQ(ReadWholeFile(case_path_), "case as the run left it");
  EXPECT_EQ(EntriesStartingWith("CloseCase").size(), 1u);
}

TEST_F(OutputDriver, ADiscardOfARunOnANewCaseHasNothingToRestore) {
  // The block's case file did not exist: the run made it, and made no backup.
  DeleteFileA(case_path_.c_str());
  DeleteFileA(backup_path_.c_str());
  server_.load_status = CASE_LOAD_NO_FILE;
  DOUBLES.messages = {17};
  server_.save_text = "new case";
  Execute(case_path_);
  ASSERT_EQ(ReadWholeFile(case_path_), "new case");
  // A file of that name the user put there since is no backup of the run.
  WriteWholeFile(backup_path_, "the user's own");
  EXPECT_EQ(Output(OutputOptions(1, 1, 1)), 0);
  EXPECT_EQ(ReadWholeFile(case_path_), "new case");
  EXPECT_EQ(ReadWholeFile(backup_path_), "the user's own");
}

TEST_F(OutputDriver, ALaterRunThatMadeNoBackupIsDiscardedToTheEarlierOnesBackup) {
  {
    // Another program holds the backup: the later run cannot replace it, and
    // so does not save over the case file either.
    const HANDLE held = CreateFileA(backup_path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DOUBLES.messages = {17};
    Execute(case_path_);
    CloseHandle(held);
  }
  EXPECT_TRUE(EntriesStartingWith("SaveCaseFile").empty());
  EXPECT_EQ(Output(OutputOptions(1, 1, 1)), 0);
  EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
  EXPECT_FALSE(Exists(backup_path_));
}

// An output whose connection holds no run of the block on its case file since
// the last output: the new case of the input call, a case the server did not
// load, a run cut short, another file's run or another connection's. The
// server's case is not the block's run, and a file at the backup's path is no
// backup of it.
TEST_F(OutputDriver, OnlyARunOfTheConnectionOnTheCaseFileIsKeptOrDiscarded) {
  FakeCaseServer other_server;
  struct Situation {
    const char* what;
    std::function<void()> make;
    int64_t keep_status, discard_status;  // 39: nothing kept or restored
  };
  const Situation situations[] = {
      {"the run kept already", [this] { ASSERT_EQ(Output(OutputOptions(1, 1, 2)), 0); }, 39, 39},
      {"the run discarded already", [this] { ASSERT_EQ(Output(OutputOptions(1, 1, 1)), 0); }, 39,
       39},
      {"no run since the last output, then a case the server did not load",
       [this] {
         ASSERT_EQ(Output(OutputOptions(1, 1, 2)), 0);
         server_.load_status = CASE_LOAD_NOT_A_CASE_FILE;
         Execute(case_path_);
       },
       39, 39},
      {"no run since the last output, then a program that did not run",
       [this] {
         ASSERT_EQ(Output(OutputOptions(1, 1, 2)), 0);
         server_.run_answer = E_FAIL;
         Execute(case_path_);
       },
       39, 39},
      {"no run since the last output, then an execute cut short before the run",
       [this] {
         ASSERT_EQ(Output(OutputOptions(1, 1, 2)), 0);
         DOUBLES.fails_in = "PUT_UNIT_OPTIONS";
         EXPECT_ANY_THROW(Execute(case_path_));
         DOUBLES.fails_in.clear();
       },
       39, 39},
      // The server holds a new case now; the run's backup is still the run's.
      {"the run, then a case the server did not load",
       [this] {
         server_.load_status = CASE_LOAD_NOT_A_CASE_FILE;
         Execute(case_path_);
       },
       39, 0},
      {"the run, then the connection's run on another case file",
       [this] {
         WriteWholeFile(folder_.path() + "\\OTHER.QXN", "another case");
         Execute(folder_.path() + "\\OTHER.QXN");
       },
       39, 0},
      {"another connection's output",
       [this, &other_server] {
         call_.block.key = "BLOCK2";
         DOUBLES.server = &other_server;
       },
       39, 39},
  };
  for (const Situation& s : situations)
    for (const int64_t mode : {2, 1}) {
      SCOPED_TRACE(std::string(s.what) + (mode == 2 ? ", kept" : ", discarded"));
      call_.block.key = "BLOCK1";
      SetUp();
      s.make();
      server_.load_status = CASE_LOAD_DONE;
      server_.run_answer = S_OK;
      const int64_t expected = mode == 2 ? s.keep_status : s.discard_status;
      if (expected == 0) {
        // The block's run is discarded: its own backup comes back.
        EXPECT_EQ(Output(OutputOptions(1, 1, mode)), 0);
        EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
        EXPECT_FALSE(Exists(backup_path_));
        continue;
      }
      WriteWholeFile(backup_path_, "a backup of no run");
      const std::string case_text = ReadWholeFile(case_path_);
      DOUBLES.log.clear();
      EXPECT_EQ(Output(OutputOptions(1, 1, mode)), 39);
      // Nothing reaches the case, nothing is saved, closed or restored.
      EXPECT_EQ(DOUBLES.log,
                (std::vector<std::string>{"LoaderSetCasePath",
                                          "GET_CASE_CONNECTION|" + call_.block.key + "|0|Vodi"}));
      EXPECT_EQ(ReadWholeFile(case_path_), case_text);
      EXPECT_EQ(ReadWholeFile(backup_path_), "a backup of no run");
    }
  DOUBLES.server = &server_;
}

TEST_F(OutputDriver, FailedSaveKeepsTheBackup) {
  for (bool breaks_file : {false, true}) {
    WriteWholeFile(case_path_, "case as the run left it");
    server_.save_fails = true;
    server_.save_breaks_file = breaks_file;
    EXPECT_EQ(Output(OutputOptions(1, 1, 2)), 39);
    EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");
    EXPECT_EQ(EntriesStartingWith("CloseCase").size(), breaks_file ? 2u : 1u);
  }
}

TEST_F(OutputDriver, SaveStatusDecidesOverTheBackup) {
  // The server could not write the file: the backup stays.
  server_.save_status = 1;
  EXPECT_EQ(Output(OutputOptions(1, 1, 2)), 39);
  EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");
  // The server held no case any more, closed after the execute call's save:
  // the case file is that save's, and the run is kept.
  server_.save_status = 2;
  EXPECT_EQ(Output(OutputOptions(1, 1, 2)), 0);
  EXPECT_EQ(ReadWholeFile(case_path_), "case as the run left it");
  EXPECT_FALSE(Exists(backup_path_));
}

TEST_F(OutputDriver, FailedRestoreKeepsTheBackup) {
  {
    // A case file that another program holds cannot be overwritten.
    const HANDLE held = CreateFileA(case_path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Output(OutputOptions(1, 1, 1)), 39);
    CloseHandle(held);
  }
  EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");
  EXPECT_EQ(ReadWholeFile(case_path_), "case as the run left it");
}

TEST_F(OutputDriver, NoServerOrNoCaseDataTouchesNoFile) {
  for (bool no_server : {true, false}) {
    DOUBLES.log.clear();
    DOUBLES.server = no_server ? nullptr : &server_;
    DOUBLES.case_data = no_server ? driver_test::OpaqueCaseData() : nullptr;
    EXPECT_EQ(Output(OutputOptions(1, 1, 1)), 39);
    EXPECT_EQ(DOUBLES.log,
              (std::vector<std::string>{"LoaderSetCasePath", "GET_CASE_CONNECTION|BLOCK1|0|Vodi"}));
    EXPECT_EQ(ReadWholeFile(case_path_), "case as the run left it");
    EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");
  }
}

TEST_F(OutputDriver, RefusedBlockTouchesNothing) {
  struct Refused {
    std::vector<int64_t> options;
    std::size_t ids;
  };
  std::vector<int64_t> eleven = OutputOptions(1, 1, 2);
  eleven.resize(11);
  for (const Refused& r :
       {Refused{OutputOptions(11, 0, 2), 20}, Refused{OutputOptions(7, 6, 2), 20},
        Refused{eleven, 20}, Refused{OutputOptions(1, 1, 2), 19}}) {
    DOUBLES.log.clear();
    call_.block.ids.resize(r.ids, "X");
    EXPECT_EQ(Output(r.options), 39);
    EXPECT_TRUE(DOUBLES.log.empty());
    EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");
    EXPECT_EQ(CASE_LINK.NHOT, 0);
    call_.block.ids.resize(20, "UNIT");
  }
}

TEST_F(OutputDriver, ExecuteThenDiscardBringsBackTheCaseBeforeTheRun) {
  DeleteFileA(backup_path_.c_str());
  WriteWholeFile(case_path_, "case before the run");
  call_.block.options = {2, 1, 5, 6};
  DOUBLES.messages = {17};
  server_.save_text = "case the run saved";
  std::vector<int64_t> codes(4, 0);
  EXPECT_EQ(call_.Execute(case_path_, codes), 1);
  EXPECT_EQ(ReadWholeFile(case_path_), "case the run saved");
  EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");

  EXPECT_EQ(Output(OutputOptions(2, 1, 1, 2, 2)), 0);
  EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
  EXPECT_FALSE(Exists(backup_path_));
  // The execute call's property words stay in the block's description.
  EXPECT_EQ(CASE_LINK.HOTPROP, 5);
  EXPECT_EQ(CASE_LINK.COLDPROP, 6);
  // A second discard has no run to discard: it answers failure and leaves the
  // case file.
  EXPECT_EQ(Output(OutputOptions(2, 1, 1)), 39);
  EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
}

}  // namespace
