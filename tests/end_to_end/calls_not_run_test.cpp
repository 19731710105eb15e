// Calls that do not get to run the block, through the exported entry points:
// an execute that is refused, whose case the server does not load or run, or
// that a fault cuts short before the run leaves no message, no earlier run's
// performance and the case file and its backup as they were; an input with a
// refused case path still opens the connections, and a library unloaded
// without exit calls no case server.
#include <algorithm>

#include "standins/host/host_arrays.h"
#include "standins/pravel/loader_probe.h"
#include "tests/common/file_text.h"
#include "tests/end_to_end/host_fixture.h"

namespace {

using host::HostBlock;
using host::HostIds;
using host::HostText;

// The records of a repository object, members included, in creation order.
std::vector<std::string> RecordsOf(const std::string& id) {
  std::vector<std::string> names;
  const int64_t n = LumbraProbeRecordCount(id.c_str());
  for (int64_t i = 1; i <= n; ++i) {
    char name[128] = "";
    LumbraProbeRecordName(id.c_str(), i, name, sizeof name);
    names.push_back(name);
  }
  return names;
}

const std::vector<std::string> kRebuiltResultObject = {
    "Exchanger_performance", "hotside_performance", "coldside_performance"};

// One execute call as the host makes it, with arguments a test may spoil.
struct ExecuteCall {
  ExecuteCall(const HostBlock& block, const std::string& case_path)
      : ids(host::RunIds(block)),
        options(host::ExecuteOptions(block)),
        path(host::CasePathText(case_path)),
        key(host::KeyText(block.connection_key)) {}

  // Answers the host's message count after the call, which stays in
  // message_count also when a failure reaches the host (nothing here is
  // destroyed on the failure's way through).
  int64_t Call(const host::VodiLibrary& library) {
    int64_t option_count = static_cast<int64_t>(options.size()), real_count = 0, further = 0;
    double reals[1] = {0.0};
    message_count = -1;
    library.execute(ids.count(), ids.data(), &option_count, options.data(), &real_count, reals,
                    &further, path.data(), key.data(), &message_count, codes.data(), ids.length(),
                    path.length(), key.length());
    return message_count;
  }

  HostIds ids;
  std::vector<int64_t> options;
  HostText path;
  HostText key;
  int64_t message_count = -1;
  std::vector<int64_t> codes = std::vector<int64_t>(host::kMessageCapacity, 0);
};

class CallsNotRun : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(LoadExample());
    ASSERT_EQ(road_->Input(), 0);
    ASSERT_EQ(road_->WriteUnitOptions(), 0);
  }

  // A complete execute: the result object holds this run's performance.
  void RunComplete() {
    EXPECT_GE(road_->Execute().message_count, 1);
    ASSERT_TRUE(road_->ReadPerformance());
  }

  const std::string& ResultId() const { return road_->block().result_id; }

  // Before an execute that is not to run the program: the case file as it
  // is, and the backup none or an older one.
  void BeforeRefusal(bool older_backup) {
    older_backup_ = older_backup;
    case_text_ = host::ReadWholeFile(case_path_);
    DeleteFileA(BackupPath().c_str());
    if (older_backup) EXPECT_TRUE(driver_test::WriteWholeFile(BackupPath(), kOlderBackup));
    names_ = FolderNames();
  }

  // What every execute that does not run the program leaves: no message, the
  // result object rebuilt without performance, and the case file and its
  // backup as they were before the call.
  void ExpectLeftAsItWas(int64_t message_count) const {
    EXPECT_EQ(message_count, 0);
    char cls[64] = "";
    LumbraProbeObjectClass(ResultId().c_str(), cls, sizeof cls);
    EXPECT_STREQ(cls, "plate_heat_exchanger_unit");
    EXPECT_EQ(RecordsOf(ResultId()), kRebuiltResultObject);
    EXPECT_FALSE(road_->ReadPerformance());
    EXPECT_EQ(host::ReadWholeFile(case_path_), case_text_);
    if (older_backup_) EXPECT_EQ(host::ReadWholeFile(BackupPath()), kOlderBackup);
    // Neither a backup nor a copy of the case file is left beside them.
    EXPECT_EQ(FolderNames(), names_);
  }

 private:
  static constexpr char kOlderBackup[] = "an older backup";

  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names = run_env_test::NamesIn(scratch_.path());
    std::sort(names.begin(), names.end());
    return names;
  }

  bool older_backup_ = false;
  std::string case_text_;
  std::vector<std::string> names_;
};

TEST_F(CallsNotRun, ARefusedExecuteLeavesTheResultObjectWithoutPerformance) {
  struct Refusal {
    const char* what;
    void (*spoil)(ExecuteCall&, HostBlock&);
  };
  const Refusal refusals[] = {
      {"more hot curves than a side holds", [](ExecuteCall& c, HostBlock&) { c.options[0] = 11; }},
      {"ids without the unit input object",
       [](ExecuteCall& c, HostBlock&) { *c.ids.count() = 19; }},
      {"a case path of 300 characters",
       [](ExecuteCall& c, HostBlock&) { c.path.chars = std::string(300, 'P'); }},
      {"no server for the key",
       [](ExecuteCall& c, HostBlock& block) {
         block.connection_key = "NO-SERVER";
         c.key = host::KeyText(block.connection_key);
         CaseProbeFailOperation("ClassFactory::CreateInstance", 1);
       }},
      {"a server that opens no case",
       [](ExecuteCall& c, HostBlock& block) {
         block.connection_key = "NO-CASE";
         c.key = host::KeyText(block.connection_key);
         CaseProbeFailOperation("CaseServer::OpenProgramCase", 1);
       }},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    ASSERT_NO_FATAL_FAILURE(RunComplete());
    HostBlock block = road_->block();
    BeforeRefusal(true);
    ExecuteCall call(block, case_path_);
    r.spoil(call, block);
    ExpectLeftAsItWas(call.Call(*library_));
  }
  CaseProbeFailOperation("ClassFactory::CreateInstance", 0);
  CaseProbeFailOperation("CaseServer::OpenProgramCase", 0);
}

TEST_F(CallsNotRun, ARunThatTheServerDoesNotLoadOrRunLeavesNoEarlierResult) {
  for (const char* operation : {"CaseServer::RunProgram", "CaseServer::LoadCaseFile"})
    for (const bool older_backup : {false, true}) {
      SCOPED_TRACE(std::string(operation) + (older_backup ? ", older backup" : ", no backup"));
      // The earlier run kept with its results in the case file.
      ASSERT_NO_FATAL_FAILURE(RunComplete());
      ASSERT_EQ(road_->Output(2), 0);
      ASSERT_EQ(road_->Input(), 0);
      ASSERT_EQ(road_->WriteUnitOptions(), 0);
      BeforeRefusal(older_backup);
      CaseProbeFailOperation(operation, 1);
      ExecuteCall call(road_->block(), case_path_);
      ExpectLeftAsItWas(call.Call(*library_));
    }
}

TEST_F(CallsNotRun, AFirstRunThatDoesNotRunWritesNoRecord) {
  BeforeRefusal(false);
  CaseProbeFailOperation("CaseServer::RunProgram", 1);
  ExecuteCall call(road_->block(), case_path_);
  ExpectLeftAsItWas(call.Call(*library_));
  EXPECT_EQ(case_probe::Server().runs, 0);
}

// A case file the server cannot load, cut short or held open for writing by
// another program: the server starts a new case, and the program run on it
// would pass for this block's run and, stopping with message 53, be saved
// over the user's file.
TEST_F(CallsNotRun, ACaseFileTheServerCannotLoadIsNeitherRunNorSavedOver) {
  const std::string whole = host::ReadWholeFile(case_path_);
  ASSERT_FALSE(whole.empty());
  for (const bool cut : {true, false})
    for (const bool older_backup : {false, true}) {
      SCOPED_TRACE(std::string(cut ? "cut to half its length" : "held open for writing") +
                   (older_backup ? ", older backup" : ", no backup"));
      ASSERT_TRUE(driver_test::WriteWholeFile(case_path_, whole));
      ASSERT_NO_FATAL_FAILURE(RunComplete());
      if (cut)
        ASSERT_TRUE(driver_test::WriteWholeFile(case_path_, whole.substr(0, whole.size() / 2)));
      BeforeRefusal(older_backup);
      SetProgramRun(ProgramRun{{}, {"53", "1"}});
      ExecuteCall call(road_->block(), case_path_);
      const int runs = case_probe::Server().runs;
      int64_t message_count = -1;
      {
        const UniqueHandle writer(cut ? INVALID_HANDLE_VALUE
                                      : CreateFileA(case_path_.c_str(), GENERIC_WRITE,
                                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_EQ(writer.valid(), !cut);
        message_count = call.Call(*library_);
      }
      ExpectLeftAsItWas(message_count);
      EXPECT_EQ(case_probe::Server().runs, runs);
      CaseProbeSetRunHook(nullptr, nullptr);
      CaseProbeSetRatingModel(1);
    }
}

// Output keeps or discards only a run that the block's execute made on its
// case file since the last output: after input alone, after an execute that
// was refused, or a second time, it saves and restores nothing, leaves the
// case file and any file at the backup's path as they are, and answers
// failure.
TEST_F(CallsNotRun, AnOutputWithoutARunOfItsOwnKeepsAndRestoresNothing) {
  const std::string whole = host::ReadWholeFile(case_path_);
  const std::string users = "the user's own";
  auto expect_refused = [&](const std::string& case_text) {
    for (const int64_t mode : {2, 1}) {
      SCOPED_TRACE(mode);
      EXPECT_EQ(road_->Output(mode), 39);
      EXPECT_TRUE(host::ReadWholeFile(case_path_) == case_text);
      EXPECT_EQ(host::ReadWholeFile(BackupPath()), users);
    }
  };
  ASSERT_TRUE(driver_test::WriteWholeFile(BackupPath(), users));
  {
    SCOPED_TRACE("input alone");
    expect_refused(whole);
  }
  {
    SCOPED_TRACE("an execute the server did not load");
    const std::string cut = whole.substr(0, whole.size() / 2);
    ASSERT_TRUE(driver_test::WriteWholeFile(case_path_, cut));
    EXPECT_EQ(road_->Execute().message_count, 0);
    expect_refused(cut);
  }
  {
    SCOPED_TRACE("a run kept already");
    ASSERT_TRUE(driver_test::WriteWholeFile(case_path_, whole));
    ASSERT_NO_FATAL_FAILURE(RunComplete());
    ASSERT_EQ(road_->Output(2), 0);
    const std::string kept = host::ReadWholeFile(case_path_);
    ASSERT_TRUE(driver_test::WriteWholeFile(BackupPath(), users));
    expect_refused(kept);
  }
}

// The loader operation that raises once, at its start, as a loader failing
// inside the call does.
std::string LOADER_RAISES;
void RaiseInLoader(const char* operation, void*) {
  if (LOADER_RAISES.empty() || LOADER_RAISES != operation) return;
  LOADER_RAISES.clear();
  RaiseException(0xE0000042, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

TEST_F(CallsNotRun, AFaultBeforeTheRunLeavesNoEarlierResult) {
  struct Fault {
    const char* what;
    const char* loader_operation;  // or else the server's
    const char* server_operation;
    bool own_connection;  // the call opens a connection of its own
  };
  const Fault faults[] = {
      {"the loader at the run name", "LoaderGetRunName", "", false},
      {"the loader at the program folder", "LoaderGetProgramFolder", "", false},
      {"the server's creation", "", "ClassFactory::CreateInstance", true},
      {"the server opening its case", "", "CaseServer::OpenProgramCase", true},
      {"the server loading the case", "", "CaseServer::LoadCaseFile", false},
      {"the server running the program", "", "CaseServer::RunProgram", false},
  };
  PravelProbeSetObserver(RaiseInLoader, nullptr);
  for (const Fault& f : faults)
    for (const bool older_backup : {false, true}) {
      SCOPED_TRACE(std::string(f.what) + (older_backup ? ", older backup" : ", no backup"));
      ASSERT_NO_FATAL_FAILURE(RunComplete());
      HostBlock block = road_->block();
      if (f.own_connection) block.connection_key = "FAULT" + std::to_string(older_backup);
      BeforeRefusal(older_backup);
      LOADER_RAISES = f.loader_operation;
      if (*f.server_operation) CaseProbeRaiseInOperation(f.server_operation, 0xE0000043);
      ExecuteCall call(block, case_path_);
      ExpectLeftAsItWas(call.Call(*library_));
      EXPECT_TRUE(LOADER_RAISES.empty());
    }
  PravelProbeSetObserver(nullptr, nullptr);
}

// The loader failing as it is told of the module, before the call's guard:
// the failure reaches the host, and the earlier run's count and performance
// do not stay as this call's.
TEST_F(CallsNotRun, TheLoaderFailingAtTheModuleLeavesNoEarlierResult) {
  PravelProbeSetObserver(RaiseInLoader, nullptr);
  for (const bool older_backup : {false, true}) {
    SCOPED_TRACE(older_backup ? "older backup" : "no backup");
    ASSERT_NO_FATAL_FAILURE(RunComplete());
    BeforeRefusal(older_backup);
    ExecuteCall call(road_->block(), case_path_);
    LOADER_RAISES = "LoaderEnterModule";
    int64_t message_count = -1;
    DWORD reached_host = 0;
    [&] {
      __try {
        message_count = call.Call(*library_);
      } __except (reached_host = GetExceptionCode(), EXCEPTION_EXECUTE_HANDLER) {
      }
    }();
    EXPECT_EQ(reached_host, 0xE0000042u);
    EXPECT_TRUE(LOADER_RAISES.empty());
    // The call's count is the host's own, which the call cleared.
    EXPECT_EQ(message_count, -1);
    ExpectLeftAsItWas(call.message_count);
  }
  PravelProbeSetObserver(nullptr, nullptr);
}

TEST_F(CallsNotRun, IdsWithoutTheResultObjectTouchNothing) {
  ASSERT_NO_FATAL_FAILURE(RunComplete());
  ExecuteCall call(road_->block(), case_path_);
  *call.ids.count() = 0;
  LumbraProbeClearCalls();
  CaseProbeClearLog();
  EXPECT_EQ(call.Call(*library_), 0);
  EXPECT_EQ(LumbraProbeCallCount(), 0);
  EXPECT_TRUE(case_probe::Log().empty());
  EXPECT_TRUE(road_->ReadPerformance());
}

TEST_F(CallsNotRun, AnInputWithARefusedCasePathStillOpensTheConnections) {
  road_->Exit();
  CaseProbeReset();
  HostIds ids = host::RunIds(road_->block());
  HostText path{std::string(300, 'P')};
  HostText key = host::KeyText(road_->block().connection_key);
  int64_t count = 0, real_count = 0, further = 0, status = -1;
  int64_t options[1] = {0};
  double reals[1] = {0.0};
  library_->input(ids.count(), ids.data(), &count, options, &real_count, reals, &further,
                  path.data(), key.data(), &status, ids.length(), path.length(), key.length());
  EXPECT_EQ(status, 8);
  // "VIZUR" and the block's key, each with its case.
  ASSERT_EQ(CaseProbeServerCount(), 2);
  for (int server : {1, 2}) {
    EXPECT_TRUE(case_probe::Server(server).alive);
    EXPECT_TRUE(case_probe::Server(server).case_open);
  }
  // A later execute of the block finds its connection and runs.
  EXPECT_GE(road_->Execute().message_count, 1);
  EXPECT_EQ(CaseProbeServerCount(), 2);
  EXPECT_TRUE(road_->ReadPerformance());
}

TEST_F(CallsNotRun, UnloadingWithoutExitCallsNoServer) {
  ASSERT_NO_FATAL_FAILURE(RunComplete());
  ASSERT_EQ(road_->Output(2), 0);
  const int servers = CaseProbeServerCount();
  ASSERT_EQ(servers, 2);
  CaseProbeClearLog();
  road_.reset();
  library_.reset();  // FreeLibrary, with both connections open
  EXPECT_TRUE(case_probe::Log().empty()) << case_probe::Log().front();
  // Not even a release of something a connection or an exchange kept.
  EXPECT_TRUE(case_probe::Releases().empty()) << case_probe::Releases().front();
  for (int server = 1; server <= servers; ++server) {
    EXPECT_TRUE(case_probe::Server(server).alive);
    EXPECT_FALSE(case_probe::Server(server).shut_down);
  }

  // The library loads again and starts afresh.
  library_ = std::make_unique<host::VodiLibrary>();
  ASSERT_TRUE(library_->loaded()) << library_->error();
  LumbraProbeReset();
  ASSERT_NO_FATAL_FAILURE(LoadExample());
  EXPECT_EQ(road_->Input(), 0);
  EXPECT_EQ(CaseProbeServerCount(), servers + 2);
  road_->Exit();
  EXPECT_TRUE(case_probe::Server(servers + 1).shut_down);
  EXPECT_FALSE(case_probe::Server(servers + 1).alive);
}

}  // namespace
