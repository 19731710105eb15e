// One host process for each test: the case server registered, fresh
// repository and case server probes, zovkvodi.dll loaded as the host loads it,
// and the example block in the repository with its case file copied into a
// scratch folder.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "include/case_server.h"
#include "include/holders.h"
#include "standins/caseserver/case_server_probe.h"
#include "standins/host/host_files.h"
#include "standins/host/host_road.h"
#include "standins/lumbra/repository_probe.h"
#include "tests/common/run_env_scratch.h"

// The example block as the build copies it next to the test.
inline const char kExampleBlock[] = "examples\\block1";

// The names of the files a folder holds (not its folders), sorted.
inline std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

// The results and messages the program gives in a run, written by the case
// server's run hook in place of its rating model.
struct ProgramRun {
  struct Value {
    int collection;
    const char* name;
    int index;
    const char* value;
  };
  std::vector<Value> results;
  std::vector<const char*> messages;  // the text lines of "arTavikMsgs"

  static void Write(void* context) {
    const auto* run = static_cast<const ProgramRun*>(context);
    for (const Value& v : run->results)
      CaseProbeSetEntry(v.collection, v.name, v.index, v.value, 1, nullptr);
    const int n = static_cast<int>(run->messages.size());
    CaseProbeDefineVariable(CASE_PROBE_ARRAY_RESULTS, "arTavikMsgs", n);
    for (int i = 0; i < n; ++i)
      CaseProbeSetEntry(CASE_PROBE_ARRAY_RESULTS, "arTavikMsgs", i + 1, "", 0, run->messages[i]);
  }
};

class HostTest : public ::testing::Test {
 protected:
  HostTest() : scratch_("zovk_end_to_end") {}

  void SetUp() override {
    // The test's own case servers need COM on this thread beyond the
    // library's exit, which uninitialises what its input call initialised.
    OleInitialize(nullptr);
    ASSERT_HRESULT_SUCCEEDED(host::RegisterCaseServerDll());
    LumbraProbeReset();
    CaseProbeReset();
    library_ = std::make_unique<host::VodiLibrary>();
    ASSERT_TRUE(library_->loaded()) << library_->error();
  }

  void TearDown() override {
    CaseProbeSetRunHook(nullptr, nullptr);
    library_.reset();
    LumbraProbeReset();
    CaseProbeReset();
    OleUninitialize();
  }

  // Loads the example block into the repository and copies its case file into
  // the scratch folder, under case_name when one is given.
  void LoadExample(const std::string& case_name = {}) {
    ASSERT_EQ(host::LoadRepositoryFile(host::JoinPath(kExampleBlock, host::kBlockFileName)), 0);
    std::string error;
    auto block = host::TakeHostBlock(host::kHostIdLength, error);
    ASSERT_TRUE(block) << error;
    example_case_ = host::JoinPath(kExampleBlock, block->case_file);
    case_path_ = host::JoinPath(scratch_.path(), case_name.empty() ? block->case_file : case_name);
    ASSERT_TRUE(host::CopyFileOver(example_case_, case_path_));
    road_.emplace(*library_, *block, case_path_);
    ASSERT_EQ(road_->KeepUnitOptions(), 0);
  }

  // Input, the unit options written again and execute, each checked.
  host::ExecuteAnswer RunToExecute() {
    EXPECT_EQ(road_->Input(), 0);
    EXPECT_EQ(road_->WriteUnitOptions(), 0);
    return road_->Execute();
  }

  // The run's whole outcome is the test's: the rating model stays out.
  void SetProgramRun(const ProgramRun& run) {
    run_ = run;
    CaseProbeSetRatingModel(0);
    CaseProbeSetRunHook(&ProgramRun::Write, &run_);
  }

  std::string BackupPath() const { return case_path_.substr(0, case_path_.rfind('.') + 1) + "BAK"; }

  run_env_test::ScratchFolder scratch_;
  std::unique_ptr<host::VodiLibrary> library_;
  std::optional<host::HostRoad> road_;
  std::string example_case_;
  std::string case_path_;
  ProgramRun run_;
};

// The case a file holds, as a case server of the test's own loads it; its
// values are read through the probe.
class SavedCase {
  // Reads from this case's server, then selects the last one again.
  template <class Read>
  auto Selected(Read read) const {
    CaseProbeSelectServer(number_);
    auto answer = read();
    CaseProbeSelectServer(0);
    return answer;
  }

 public:
  explicit SavedCase(const std::string& path) {
    if (FAILED(CoCreateInstance(CLSID_CaseServer, nullptr, kCaseServerContext, IID_CaseServer,
                                reinterpret_cast<void**>(server_.out()))))
      return;
    number_ = CaseProbeServerCount();
    const Bstr text(path);
    server_->LoadCaseFile(text.get(), 0, &status_);
  }
  ~SavedCase() {
    if (server_) server_->ShutDown();
  }
  SavedCase(const SavedCase&) = delete;
  SavedCase& operator=(const SavedCase&) = delete;

  // CASE_LOAD_DONE when the file was a complete case file.
  long status() const { return status_; }

  std::optional<double> Real(int collection, const char* name, int index = 1) const {
    const auto text = Selected([&] { return case_probe::Value(collection, name, index); });
    if (!text || text->find_first_not_of(' ') == std::string::npos) return std::nullopt;
    return std::strtod(text->c_str(), nullptr);
  }
  std::optional<int64_t> Flag(int collection, const char* name, int index = 1) const {
    return Selected([&] { return case_probe::Flag(collection, name, index); });
  }

 private:
  ComPtr<CaseServer> server_;
  int number_ = -1;
  long status_ = -1;
};
