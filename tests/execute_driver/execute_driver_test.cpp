// The execute driver at work: what it hands the exchange and the case server,
// in which order, the backup it leaves, and the blocks it refuses to run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drivers/case_link_face.h"
#include "drivers/drivers_face.h"
#include "drivers/unit_factors_face.h"
#include "tests/common/driver_doubles.h"
#include "tests/common/file_text.h"
#include "tests/common/host_arguments.h"
#include "tests/common/run_env_scratch.h"

namespace {

using driver_test::DOUBLES;
using driver_test::EntriesStartingWith;
using driver_test::FakeCaseServer;
using driver_test::HostBlock;
using driver_test::ReadWholeFile;
using driver_test::WriteWholeFile;
using run_env_test::ScratchFolder;

class ExecuteDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    DOUBLES.Reset();
    DOUBLES.server = &server_;
    DOUBLES.case_data = driver_test::OpaqueCaseData();
    case_path_ = folder_.path() + "\\BLOCK.QXN";
    backup_path_ = folder_.path() + "\\BLOCK.BAK";
    WriteWholeFile(case_path_, "case before the run");
    block_.options = {2, 1, 0, 0};
    block_.SetCurves({"H1", "H2"}, {"C1"});
  }

  void Execute(const std::string& path) {
    call_.block = block_;
    message_count_ = call_.Execute(path, codes_);
    case_text_ = call_.case_text;
  }

  ScratchFolder folder_{"zovkexec"};
  FakeCaseServer server_;
  HostBlock block_;
  driver_test::HostCall call_;
  std::string case_path_, backup_path_, case_text_;
  int64_t message_count_ = 0;
  std::vector<int64_t> codes_ = std::vector<int64_t>(16, -5);
};

TEST_F(ExecuteDriver, RunsTheCaseInTheOrderOfTheRoad) {
  DOUBLES.messages = {7};
  Execute(case_path_);

  const std::vector<std::string> expected = {
      "GET_CASE_CONNECTION|BLOCK1|0|Vodi",
      "LoadCaseFile|" + case_path_ + "|0",
      "REBUILD_RESULT_OBJECT|RESULT|1",
      "PUT_STREAM_INLETS|2|HOTIN|HOTOUT|2|COLDIN|COLDOUT",
      "MARK_PROPERTY_INPUTS|0|0",
      "READ_HEAT_RELEASE_CURVE|2|1|H1",
      "READ_HEAT_RELEASE_CURVE|2|2|H2",
      "READ_HEAT_RELEASE_CURVE|2|1|C1",
      "PUT_UNIT_OPTIONS|2|UNIT",
      "RunProgram|Vodi|0",
      "GET_CASE_CONNECTION|BLOCK1|4|Vodi",
      "REBUILD_RESULT_OBJECT|RESULT|2",
      "GET_PROGRAM_MESSAGES",
  };
  EXPECT_EQ(DOUBLES.log, expected);
  EXPECT_EQ(DOUBLES.stored_case_data, DOUBLES.case_data);
  EXPECT_EQ(message_count_, 1);
  EXPECT_EQ(codes_[0], 7);
  // The backup holds the case file as it was before the run.
  EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");
  EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
  // Unit set 4 is selected before the exchange runs.
  EXPECT_EQ(UNIT_FACTORS.F_POWER, 1000.0f);
  EXPECT_EQ(UNIT_FACTORS.F_PRESSURE, 1.0f);
  // The block's description as the exchange reads it.
  EXPECT_EQ(CASE_LINK.HOSTID3, "ID3");
  EXPECT_EQ(CASE_LINK.HOTCURVE[1], "H2");
  EXPECT_TRUE(CASE_LINK.HOTCURVE[2].blank());
}

struct SaveCase {
  std::vector<int64_t> messages;
  int saves;
};

class SaveMessages : public ExecuteDriver, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveMessages, EachMatchingCodeSavesAndClosesTheCase) {
  DOUBLES.messages = GetParam().messages;
  server_.save_text = "case after the run";
  Execute(case_path_);
  const auto saves = EntriesStartingWith("SaveCaseFile|");
  ASSERT_EQ(static_cast<int>(saves.size()), GetParam().saves);
  EXPECT_EQ(static_cast<int>(EntriesStartingWith("CloseCase").size()), GetParam().saves);
  for (const std::string& s : saves) EXPECT_EQ(s, "SaveCaseFile|" + case_path_ + "|1");
  // A save comes right before its close, after the messages are read.
  if (GetParam().saves > 0) {
    EXPECT_EQ(DOUBLES.log.back(), "CloseCase");
    EXPECT_EQ(DOUBLES.log[DOUBLES.log.size() - 2], "SaveCaseFile|" + case_path_ + "|1");
    EXPECT_EQ(ReadWholeFile(case_path_), "case after the run");
  } else {
    EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
  }
  EXPECT_EQ(message_count_, static_cast<int64_t>(GetParam().messages.size()));
}

INSTANTIATE_TEST_SUITE_P(Codes, SaveMessages,
                         ::testing::Values(SaveCase{{}, 0}, SaveCase{{7, 41}, 0},
                                           SaveCase{{17, 39}, 2}, SaveCase{{6, 2, 53}, 2},
                                           SaveCase{{40}, 1}, SaveCase{{39, 39, 1, 6}, 3}));

TEST_F(ExecuteDriver, SideWithPropertyWordTwoReadsNoCurve) {
  block_.options = {2, 1, 2, 0};
  Execute(case_path_);
  EXPECT_EQ(EntriesStartingWith("READ_HEAT_RELEASE_CURVE"),
            std::vector<std::string>{"READ_HEAT_RELEASE_CURVE|2|1|C1"});

  DOUBLES.log.clear();
  block_.options = {2, 1, 0, 2};
  Execute(case_path_);
  EXPECT_EQ(EntriesStartingWith("READ_HEAT_RELEASE_CURVE"),
            (std::vector<std::string>{"READ_HEAT_RELEASE_CURVE|2|1|H1",
                                      "READ_HEAT_RELEASE_CURVE|2|2|H2"}));
}

TEST_F(ExecuteDriver, NoCurvesLeavesBothListsBlank) {
  Execute(case_path_);  // an earlier block's curves
  DOUBLES.log.clear();
  block_.options = {0, 0, 0, 0};
  Execute(case_path_);
  EXPECT_TRUE(EntriesStartingWith("READ_HEAT_RELEASE_CURVE").empty());
  for (int i = 0; i < CURVE_IDS_PER_SIDE; ++i) {
    EXPECT_TRUE(CASE_LINK.HOTCURVE[i].blank());
    EXPECT_TRUE(CASE_LINK.COLDCURVE[i].blank());
  }
}

TEST_F(ExecuteDriver, UnitModeCarriesOverToTheNextCall) {
  DOUBLES.unit_mode = 3;
  Execute(case_path_);
  DOUBLES.log.clear();
  DOUBLES.unit_mode = -1;  // this record gives no program mode
  Execute(case_path_);
  ASSERT_EQ(DOUBLES.unit_modes_given.size(), 2u);
  EXPECT_EQ(DOUBLES.unit_modes_given[1], 3);
}

TEST_F(ExecuteDriver, CasePathWithoutItsExtensionIsBackedUpBesideIt) {
  const std::string path = folder_.path() + "\\BLOCK.DAT";
  WriteWholeFile(path, "case without the extension");
  DOUBLES.messages = {17};
  server_.save_text = "saved";
  Execute(path);
  // The backup is a file of its own; the save still reaches the case file.
  EXPECT_EQ(ReadWholeFile(path + ".BAK"), "case without the extension");
  EXPECT_EQ(ReadWholeFile(path), "saved");
}

// The host's case path is at most 255 characters; without ".QXN" its backup
// is four longer, the longest path a file may have.
TEST_F(ExecuteDriver, ACaseFileAtTheLongestCasePathIsBackedUpAndSaved) {
  for (const std::string extension : {"", ".QXN"}) {
    SCOPED_TRACE(extension);
    std::string folder = folder_.path() + "\\" + std::string(200, 'F') + extension;
    ASSERT_TRUE(run_env_test::MakeFolder(folder));
    const std::string path =
        folder + "\\" + std::string(254 - folder.size() - extension.size(), 'C') + extension;
    ASSERT_EQ(path.size(), 255u);
    WriteWholeFile(path, "case before the run");
    DOUBLES.log.clear();
    DOUBLES.messages = {17};
    server_.save_text = "case the run saved";
    Execute(path);
    const std::string backup =
        extension.empty() ? path + ".BAK" : path.substr(0, path.size() - 3) + "BAK";
    EXPECT_EQ(ReadWholeFile(backup), "case before the run");
    EXPECT_EQ(ReadWholeFile(path), "case the run saved");
    EXPECT_EQ(run_env_test::NamesIn(folder).size(), 2u);
  }
}

TEST_F(ExecuteDriver, CaseFileWithoutABackupIsNotSavedOver) {
  DOUBLES.messages = {17};
  {
    // The backup's place is held by another program: no copy can be made.
    WriteWholeFile(backup_path_, "older backup");
    const HANDLE held = CreateFileA(backup_path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Execute(case_path_);
    CloseHandle(held);
  }
  EXPECT_EQ(message_count_, 1);
  EXPECT_TRUE(EntriesStartingWith("SaveCaseFile").empty());
  EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");

  // A case that has no file yet has nothing to lose: the save makes it.
  DeleteFileA(case_path_.c_str());
  DeleteFileA(backup_path_.c_str());
  server_.save_text = "new case";
  Execute(case_path_);
  EXPECT_EQ(ReadWholeFile(case_path_), "new case");
  EXPECT_FALSE(run_env_test::Exists(backup_path_));
}

TEST_F(ExecuteDriver, PathTheServerAnswersGoesBackIntoTheHostText) {
  DOUBLES.messages = {6};
  server_.answered_path = folder_.path() + "\\OTHER.QXN";
  Execute(case_path_);
  EXPECT_EQ(std::string(case_text_.c_str()), server_.answered_path);
  EXPECT_EQ(case_text_.size(), 256u);
  EXPECT_EQ(case_text_.back(), ' ');
}

TEST_F(ExecuteDriver, NoServerOrNoCaseDataRunsNothing) {
  for (bool no_server : {true, false}) {
    DOUBLES.log.clear();
    DOUBLES.server = no_server ? nullptr : &server_;
    DOUBLES.case_data = no_server ? driver_test::OpaqueCaseData() : nullptr;
    DOUBLES.messages = {17};
    Execute(case_path_);
    // The result object is rebuilt as before a run: no earlier performance stays.
    EXPECT_EQ(DOUBLES.log, (std::vector<std::string>{"GET_CASE_CONNECTION|BLOCK1|0|Vodi",
                                                     "REBUILD_RESULT_OBJECT|RESULT|1"}));
    EXPECT_EQ(message_count_, 0);
    EXPECT_FALSE(run_env_test::Exists(backup_path_));
    EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
  }
}

// The road up to the run, as RunsTheCaseInTheOrderOfTheRoad takes it.
std::vector<std::string> RoadUpToTheRun(const std::string& case_path) {
  return {"GET_CASE_CONNECTION|BLOCK1|0|Vodi", "LoadCaseFile|" + case_path + "|0",
          "REBUILD_RESULT_OBJECT|RESULT|1",    "PUT_STREAM_INLETS|2|HOTIN|HOTOUT|2|COLDIN|COLDOUT",
          "MARK_PROPERTY_INPUTS|0|0",          "READ_HEAT_RELEASE_CURVE|2|1|H1",
          "READ_HEAT_RELEASE_CURVE|2|2|H2",    "READ_HEAT_RELEASE_CURVE|2|1|C1",
          "PUT_UNIT_OPTIONS|2|UNIT",           "RunProgram|Vodi|0"};
}

TEST_F(ExecuteDriver, ACaseTheServerDoesNotLoadOrRunIsRefusedAndItsFilesStayAsTheyWere) {
  const std::vector<std::string> road = RoadUpToTheRun(case_path_);
  // The result object is rebuilt as before a run, as for a block without a server.
  const std::vector<std::string> refused_at_load = {road[0], road[1],
                                                    "REBUILD_RESULT_OBJECT|RESULT|1"};
  struct Failure {
    const char* what;
    HRESULT load_answer;
    long load_status;
    HRESULT run_answer;
    std::vector<std::string> log;
  };
  const Failure failures[] = {
      {"load failed", E_FAIL, CASE_LOAD_DONE, S_OK, refused_at_load},
      // The server answered that it did not load the file that is there: the
      // new case it holds instead is not this block's.
      {"not a case file", S_OK, CASE_LOAD_NOT_A_CASE_FILE, S_OK, refused_at_load},
      {"no file, for a file that is there", S_OK, CASE_LOAD_NO_FILE, S_OK, refused_at_load},
      {"a status that says no load", S_OK, 7, S_OK, refused_at_load},
      // It was rebuilt so before the run already.
      {"run failed", S_OK, CASE_LOAD_DONE, E_FAIL, road},
  };
  for (const Failure& f : failures)
    for (const bool older_backup : {false, true}) {
      SCOPED_TRACE(std::string(f.what) + (older_backup ? ", older backup" : ", no backup"));
      DeleteFileA(backup_path_.c_str());
      if (older_backup) WriteWholeFile(backup_path_, "older backup");
      DOUBLES.log.clear();
      DOUBLES.messages = {17};
      server_.load_answer = f.load_answer;
      server_.load_status = f.load_status;
      server_.run_answer = f.run_answer;
      Execute(case_path_);
      server_.load_answer = S_OK;
      server_.load_status = CASE_LOAD_DONE;
      server_.run_answer = S_OK;
      // The program's messages are not read, so nothing is saved either.
      EXPECT_EQ(DOUBLES.log, f.log);
      EXPECT_EQ(message_count_, 0);
      EXPECT_EQ(ReadWholeFile(case_path_), "case before the run");
      EXPECT_EQ(run_env_test::Exists(backup_path_), older_backup);
      if (older_backup) EXPECT_EQ(ReadWholeFile(backup_path_), "older backup");
      // No copy of the case file is left beside them.
      EXPECT_EQ(run_env_test::NamesIn(folder_.path()).size(), older_backup ? 2u : 1u);
    }
}

TEST_F(ExecuteDriver, ACaseFileThatIsNotThereRunsAsANewCase) {
  DeleteFileA(case_path_.c_str());
  DOUBLES.messages = {17};
  server_.save_text = "new case";
  server_.load_status = CASE_LOAD_NO_FILE;
  Execute(case_path_);
  std::vector<std::string> road = RoadUpToTheRun(case_path_);
  road.insert(road.end(),
              {"GET_CASE_CONNECTION|BLOCK1|4|Vodi", "REBUILD_RESULT_OBJECT|RESULT|2",
               "GET_PROGRAM_MESSAGES", "SaveCaseFile|" + case_path_ + "|1", "CloseCase"});
  EXPECT_EQ(DOUBLES.log, road);
  EXPECT_EQ(message_count_, 1);
  EXPECT_EQ(ReadWholeFile(case_path_), "new case");
  EXPECT_FALSE(run_env_test::Exists(backup_path_));

  // A server that says the file it did not find is no case file is not
  // taken at its word for a new case.
  DeleteFileA(case_path_.c_str());
  DOUBLES.log.clear();
  server_.load_status = CASE_LOAD_NOT_A_CASE_FILE;
  Execute(case_path_);
  EXPECT_EQ(DOUBLES.log,
            (std::vector<std::string>{road[0], road[1], "REBUILD_RESULT_OBJECT|RESULT|1"}));
  EXPECT_EQ(message_count_, 0);
  EXPECT_FALSE(run_env_test::Exists(case_path_));
}

TEST_F(ExecuteDriver, ACallCutShortBeforeTheRunLeavesTheBackupAndNoEarlierPerformance) {
  WriteWholeFile(backup_path_, "older backup");
  const std::string ids = block_.PackedIds();
  const int64_t ids_count = static_cast<int64_t>(block_.ids.size());
  const struct {
    const char* fails_in;
    bool copied;  // the case file's copy is on disk beside the two, not yet the backup
  } failures[] = {{"GET_CASE_CONNECTION", false},
                  {"LoadCaseFile", true},
                  {"PUT_UNIT_OPTIONS", true},
                  {"RunProgram", true}};
  for (const auto& f : failures) {
    SCOPED_TRACE(f.fails_in);
    DOUBLES.fails_in = f.fails_in;
    EXECUTE_PROGRESS.PROGRAM_RAN = false;
    EXPECT_ANY_THROW(Execute(case_path_));
    DOUBLES.fails_in.clear();
    EXPECT_EQ(run_env_test::NamesIn(folder_.path()).size(), f.copied ? 3u : 2u);
    DOUBLES.log.clear();
    END_CUT_SHORT_EXECUTE(&ids_count, ids.data(), block_.ids_len);
    EXPECT_EQ(DOUBLES.log, std::vector<std::string>{"REBUILD_RESULT_OBJECT|RESULT|1"});
    EXPECT_EQ(ReadWholeFile(backup_path_), "older backup");
    EXPECT_EQ(run_env_test::NamesIn(folder_.path()).size(), 2u);
  }

  // Once the program has run, what the call leaves is this run's.
  DOUBLES.fails_in = "GET_PROGRAM_MESSAGES";
  EXECUTE_PROGRESS.PROGRAM_RAN = false;
  EXPECT_ANY_THROW(Execute(case_path_));
  DOUBLES.fails_in.clear();
  EXPECT_TRUE(EXECUTE_PROGRESS.PROGRAM_RAN);
  DOUBLES.log.clear();
  END_CUT_SHORT_EXECUTE(&ids_count, ids.data(), block_.ids_len);
  EXPECT_TRUE(DOUBLES.log.empty());
  EXPECT_EQ(ReadWholeFile(backup_path_), "case before the run");
  EXPECT_EQ(run_env_test::NamesIn(folder_.path()).size(), 2u);
}

struct RefusedBlock {
  const char* name;
  std::vector<int64_t> options;
  int64_t ids_count;
};

class RefusedBlocks : public ExecuteDriver, public ::testing::WithParamInterface<RefusedBlock> {};

TEST_P(RefusedBlocks, AreNotRunAndLeaveTheCaseFileAlone) {
  block_.options = GetParam().options;
  block_.ids.resize(static_cast<std::size_t>(GetParam().ids_count), "X");
  DOUBLES.messages = {17};
  Execute(case_path_);
  // Nothing reaches the case; the result object is rebuilt as before a run,
  // so no earlier performance stays under it.
  EXPECT_EQ(DOUBLES.log, std::vector<std::string>{"REBUILD_RESULT_OBJECT|RESULT|1"});
  EXPECT_EQ(message_count_, 0);
  EXPECT_FALSE(run_env_test::Exists(backup_path_));
  EXPECT_EQ(CASE_LINK.NHOT, 0);
  EXPECT_EQ(CASE_LINK.NCOLD, 0);
}

TEST_F(ExecuteDriver, IdsWithoutTheResultObjectTouchNothing) {
  block_.ids.clear();
  Execute(case_path_);
  EXPECT_TRUE(DOUBLES.log.empty());
  EXPECT_EQ(message_count_, 0);
}

INSTANTIATE_TEST_SUITE_P(Blocks, RefusedBlocks,
                         ::testing::Values(RefusedBlock{"eleven_hot", {11, 0, 0, 0}, 20},
                                           RefusedBlock{"eleven_cold", {0, 11, 0, 0}, 20},
                                           RefusedBlock{"thirteen_curves", {7, 6, 0, 0}, 20},
                                           RefusedBlock{"negative_count", {-1, 1, 0, 0}, 20},
                                           RefusedBlock{"no_unit_input_id", {2, 1, 0, 0}, 19},
                                           RefusedBlock{"ids_short_of_the_curves", {2, 1, 0, 0}, 9},
                                           RefusedBlock{"three_options", {2, 1, 0}, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExecuteDriver, TwelveCurvesFillBothSidesUpToTheUnitInputId) {
  block_.options = {10, 2, 0, 0};
  block_.SetCurves({"H1", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9", "H10"}, {"C1", "C2"});
  Execute(case_path_);
  const auto reads = EntriesStartingWith("READ_HEAT_RELEASE_CURVE");
  ASSERT_EQ(reads.size(), 12u);
  EXPECT_EQ(reads[9], "READ_HEAT_RELEASE_CURVE|2|10|H10");
  EXPECT_EQ(reads[11], "READ_HEAT_RELEASE_CURVE|2|2|C2");
  EXPECT_EQ(EntriesStartingWith("PUT_UNIT_OPTIONS"),
            std::vector<std::string>{"PUT_UNIT_OPTIONS|2|UNIT"});
}

}  // namespace
