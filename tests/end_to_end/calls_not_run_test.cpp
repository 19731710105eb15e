// Calls that do not get to run the block, through the exported entry points:
// a refused execute leaves no earlier run's performance, an input with a
// refused case path still opens the connections, and a library unloaded
// without exit calls no case server.
#include "host_arrays.h"
#include "host_fixture.h"

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

  int64_t Call(const host::VodiLibrary& library) {
    int64_t option_count = static_cast<int64_t>(options.size()), real_count = 0, further = 0;
    double reals[1] = {0.0};
    int64_t message_count = -1;
    std::vector<int64_t> codes(host::kMessageCapacity, 0);
    library.execute(ids.count(), ids.data(), &option_count, options.data(), &real_count, reals,
                    &further, path.data(), key.data(), &message_count, codes.data(), ids.length(),
                    path.length(), key.length());
    return message_count;
  }

  HostIds ids;
  std::vector<int64_t> options;
  HostText path;
  HostText key;
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
    ExecuteCall call(block, case_path_);
    r.spoil(call, block);
    EXPECT_EQ(call.Call(*library_), 0);
    char cls[64] = "";
    LumbraProbeObjectClass(ResultId().c_str(), cls, sizeof cls);
    EXPECT_STREQ(cls, "plate_heat_exchanger_unit");
    EXPECT_EQ(RecordsOf(ResultId()), kRebuiltResultObject);
    EXPECT_FALSE(road_->ReadPerformance());
  }
  CaseProbeFailOperation("ClassFactory::CreateInstance", 0);
  CaseProbeFailOperation("CaseServer::OpenProgramCase", 0);
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
