// The six entry points: their calls around the driver, the arguments the
// drivers get, the exception guard and the host's status word.
#include "include/entry_points.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drivers/drivers_face.h"
#include "entry/exception_filters.h"
#include "entry/module_handle.h"
#include "standins/pravel/loader_probe.h"
#include "tests/entry/entry_calls.h"
#include "tests/entry/entry_fakes.h"

namespace {

using Call = void (HostBlock::*)();
using Strings = std::vector<std::string>;

class EntryPoints : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakes();
    DllMain(GetModuleHandleA(nullptr), DLL_PROCESS_ATTACH, nullptr);
    PravelProbeSetProgramFolder("C:\\PROG\\");
    PravelProbeSetRunName("RUN7");
  }
  void TearDown() override { PravelProbeReset(); }

  HostBlock host;
};

TEST_F(EntryPoints, CallTheServicesAndTheLoaderInOrderAroundTheDriver) {
  struct Road {
    const char* entry;
    Call call;
    Strings calls;
    const char* run_switch;  // null: no run set-up
  };
  const Road roads[] = {
      {"input",
       &HostBlock::Input,
       {"LoaderEnterModule", "SetScreenWindow", "LoaderBeginInput", "LoaderGetRunName",
        "LoaderGetProgramFolder", "SetRunFolders", "HANDLE_INPUT"},
       "/AS"},
      {"execute",
       &HostBlock::Execute,
       {"LoaderEnterModule", "SetScreenWindow", "LoaderGetRunName", "LoaderGetProgramFolder",
        "SetRunFolders", "HANDLE_EXECUTE", "CloseValueFile", "DeleteRunTempFiles"},
       ""},
      {"output",
       &HostBlock::Output,
       {"LoaderEnterModule", "SetScreenWindow", "LoaderGetRunName", "LoaderGetProgramFolder",
        "SetRunFolders", "HANDLE_OUTPUT", "DeleteRunTempFiles"},
       "/AS"},
      {"hcurve", &HostBlock::Hcurve, {"LoaderEnterModule", "HANDLE_HCURVE"}, nullptr},
      {"multi-case",
       &HostBlock::MultiCase,
       {"LoaderEnterModule", "HANDLE_SETMULTICASEINFO"},
       nullptr},
      {"exit", &HostBlock::Exit, {"HANDLE_EXIT"}, nullptr},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.entry);
    SetUp();
    (host.*road.call)();
    EXPECT_EQ(FAKES.calls, road.calls);
    if (road.calls.front() == "LoaderEnterModule") {
      EXPECT_EQ(PravelProbeEnterModuleCount(), 1);
      EXPECT_EQ(PravelProbeLastModule(), GetModuleHandleA(nullptr));
    }
    if (!road.run_switch) {
      EXPECT_TRUE(FAKES.run_folders.empty());
      continue;
    }
    EXPECT_EQ(FAKES.screen_windows, std::vector<HWND>{nullptr});
    ASSERT_EQ(FAKES.run_folders.size(), 1u);
    const RunFoldersCall& set = FAKES.run_folders[0];
    EXPECT_EQ(set.program_folder, "C:\\PROG\\");
    EXPECT_EQ(set.case_path, "D:\\CASES\\PLANT.QXN");
    EXPECT_EQ(set.run_digit, "1");
    EXPECT_EQ(set.run_switch, road.run_switch);
    EXPECT_EQ(set.run_name, "RUN7");
  }
  int32_t first = -1, second = -1;
  SetUp();
  host.Input();
  PravelProbeLastBeginInput(&first, &second);
  EXPECT_EQ(PravelProbeBeginInputCount(), 1);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
}

TEST_F(EntryPoints, StatusWordIsClearedOnlyByInputExecuteAndOutput) {
  struct Case {
    const char* entry;
    Call call;
    int64_t HostBlock::*word;
    int64_t seen;                          // by the driver
    std::optional<int64_t> driver_leaves;  // none: the driver does not write it
    int64_t host_gets;
  };
  const Case cases[] = {
      {"input", &HostBlock::Input, &HostBlock::host_status, 0, 5, 5},
      {"output", &HostBlock::Output, &HostBlock::host_status, 0, std::nullopt, 0},
      {"execute", &HostBlock::Execute, &HostBlock::message_count, 0, 3, 3},
      {"hcurve", &HostBlock::Hcurve, &HostBlock::host_status, 77, 123, 123},
      {"multi-case", &HostBlock::MultiCase, &HostBlock::host_status, -1, std::nullopt, 77},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    SetUp();
    host.host_status = 77;
    host.message_count = 55;
    FAKES.plan.leave_status = c.driver_leaves;
    (host.*c.call)();
    if (c.seen >= 0) EXPECT_EQ(FAKES.status_seen, c.seen);
    EXPECT_EQ(host.*c.word, c.host_gets);
  }
}

std::vector<uintptr_t> Words(std::initializer_list<const void*> addresses) {
  std::vector<uintptr_t> words;
  for (const void* a : addresses) words.push_back(reinterpret_cast<uintptr_t>(a));
  return words;
}
const void* Length(int64_t n) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(n)); }

TEST_F(EntryPoints, DriversGetTheHostsArgumentsWithEachTextFollowedByItsLength) {
  HostBlock& h = host;
  const auto ids = Length(HostBlock::kIdLength);
  const auto path = Length(h.case_path_len);
  const auto key = Length(HostBlock::kKeyLength);
  const auto run =
      Words({&h.ids_count, h.host_ids, ids, &h.option_count, h.host_options, &h.real_count,
             h.host_reals, &h.further, h.case_path, path, h.connection_key, key});
  auto with = [](std::vector<uintptr_t> words, std::initializer_list<const void*> more) {
    for (const void* a : more) words.push_back(reinterpret_cast<uintptr_t>(a));
    return words;
  };

  h.Input();
  EXPECT_EQ(FAKES.driver_args, with(run, {&h.host_status}));
  h.Output();
  EXPECT_EQ(FAKES.driver_args, with(run, {&h.host_status}));
  h.Execute();
  EXPECT_EQ(FAKES.driver_args, with(run, {&h.message_count, h.message_codes}));
  h.Hcurve();
  EXPECT_EQ(FAKES.driver_args, Words({&h.side, &h.ids_count, h.host_ids, ids, &h.request_count,
                                      h.hcurve_request, &h.value_count, h.hcurve_values, &h.count,
                                      h.text, Length(sizeof h.text), &h.host_status}));
  h.MultiCase();
  EXPECT_EQ(FAKES.driver_args, Words({h.first, Length(sizeof h.first), h.second,
                                      Length(sizeof h.second), h.connection_key, key}));
  EXPECT_EQ(FAKES.program_name, "Vodi");
}

TEST_F(EntryPoints, RaisedFaultCodeSetsTheStatusWordAsTheTableSays) {
  constexpr int64_t kLeft = 7;  // what the driver left before it raised
  struct Row {
    int64_t code;
    int64_t input, hcurve, output, multi_case;
  };
  const Row rows[] = {
      {0, kLeft, kLeft, kLeft, kLeft},
      {999, kLeft, kLeft, kLeft, kLeft},
      {1000, 39, kLeft, 39, kLeft},
      {1001, 3, 3, kLeft, 3},
      {1100, 3, 3, kLeft, 3},
      {1101, 39, 39, 39, 39},
      {1200, 39, 39, 39, 39},
      {1201, kLeft, kLeft, kLeft, kLeft},
      {1399, kLeft, kLeft, kLeft, kLeft},
      {1400, 40, 40, 40, 40},
      {1401, kLeft, kLeft, kLeft, kLeft},
      // Codes that a 32-bit fault word cannot hold are failures all the
      // same, not the code they would be cut to (1400).
      {(int64_t{1} << 32) + 1400, 39, 39, 39, 39},
      {-1, 39, 39, 39, 39},
  };
  for (const Row& row : rows) {
    const struct {
      const char* entry;
      Call call;
      int64_t expected;
    } entries[] = {{"input", &HostBlock::Input, row.input},
                   {"hcurve", &HostBlock::Hcurve, row.hcurve},
                   {"output", &HostBlock::Output, row.output},
                   {"multi-case", &HostBlock::MultiCase, row.multi_case},
                   {"execute", &HostBlock::Execute, kLeft}};
    for (const auto& e : entries) {
      SCOPED_TRACE(std::string(e.entry) + " code " + std::to_string(row.code));
      SetUp();
      host.host_status = kLeft;  // multi-case's driver leaves the host's word
      host.message_count = 55;
      FAKES.plan = {kLeft, DriverFault::kRaise, row.code};
      (host.*e.call)();
      EXPECT_EQ(e.call == &HostBlock::Execute ? host.message_count : host.host_status, e.expected);
      EXPECT_TRUE(Called("LoaderHandleException"));
    }
  }
}

TEST_F(EntryPoints, FailureInTheDriverSkipsTheRestOfTheGuardedSteps) {
  struct Failure {
    const char* what;
    DriverFault fault;
    int64_t status;           // input, hcurve, output, multi-case
    uint32_t exception_code;  // as the loader saw it; 0: the loader's own
  };
  const Failure failures[] = {
      {"raised 1400", DriverFault::kRaise, 40, 0},
      {"access violation", DriverFault::kAccessViolation, 39, EXCEPTION_ACCESS_VIOLATION},
      {"C++ exception", DriverFault::kCxxException, 39, ESCAPED_CXX_EXCEPTION},
  };
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.what);
    for (Call call :
         {&HostBlock::Input, &HostBlock::Hcurve, &HostBlock::Output, &HostBlock::MultiCase}) {
      SetUp();
      FAKES.plan = {std::nullopt, f.fault, 1400};
      (host.*call)();
      EXPECT_EQ(host.host_status, f.status);
      EXPECT_FALSE(Called("DeleteRunTempFiles"));
      if (f.exception_code) EXPECT_EQ(PravelProbeLastExceptionCode(), f.exception_code);
    }
    SetUp();
    FAKES.plan = {std::nullopt, f.fault, 1400};
    host.Execute();
    EXPECT_EQ(host.message_count, 0);
    EXPECT_FALSE(Called("CloseValueFile"));
    EXPECT_FALSE(Called("DeleteRunTempFiles"));
    // The failing driver's own cleanups still run for a C++ exception.
    if (f.fault == DriverFault::kCxxException) EXPECT_EQ(FAKES.cleanups_run, 1);
  }
}

TEST_F(EntryPoints, AnExecuteCutShortLeavesNoMessageAndNoEarlierPerformance) {
  struct Failure {
    const char* what;
    const char* loader_raises;  // or the driver fails
    DriverFault fault;
  };
  const Failure failures[] = {
      {"the loader raising at the run name", "LoaderGetRunName", DriverFault::kNone},
      {"the loader raising at the program folder", "LoaderGetProgramFolder", DriverFault::kNone},
      {"raised 1400 in the driver", "", DriverFault::kRaise},
      {"access violation in the driver", "", DriverFault::kAccessViolation},
      {"C++ exception in the driver", "", DriverFault::kCxxException},
  };
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.what);
    SetUp();
    FAKES.loader_raises = f.loader_raises;
    FAKES.plan = {std::nullopt, f.fault, 1400};
    EXECUTE_PROGRESS.PROGRAM_RAN = true;  // as an earlier call left it
    host.message_count = 55;
    host.Execute();
    EXPECT_EQ(host.message_count, 0);
    EXPECT_FALSE(EXECUTE_PROGRESS.PROGRAM_RAN);
    // After the failure, with the host's ids: the driver decides what is left.
    ASSERT_GE(FAKES.calls.size(), 2u);
    EXPECT_EQ(FAKES.calls[FAKES.calls.size() - 2], "LoaderHandleException");
    EXPECT_EQ(FAKES.calls.back(), "END_CUT_SHORT_EXECUTE");
    EXPECT_EQ(FAKES.driver_args,
              Words({&host.ids_count, host.host_ids, Length(HostBlock::kIdLength)}));
    EXPECT_FALSE(Called("CloseValueFile"));
  }

  // The loader failing as it is told of the module, before the guard: the
  // failure goes on to the host as before, and the call ends as one cut short
  // on its way there.
  SetUp();
  FAKES.loader_raises = "LoaderEnterModule";
  EXECUTE_PROGRESS.PROGRAM_RAN = true;
  host.message_count = 55;
  DWORD reached_host = 0;
  [&] {
    __try {
      host.Execute();
    } __except (reached_host = GetExceptionCode(), EXCEPTION_EXECUTE_HANDLER) {
    }
  }();
  EXPECT_EQ(reached_host, 0xE0000042u);
  EXPECT_EQ(host.message_count, 0);
  EXPECT_FALSE(EXECUTE_PROGRESS.PROGRAM_RAN);
  EXPECT_EQ(FAKES.calls, (Strings{"LoaderEnterModule", "END_CUT_SHORT_EXECUTE"}));
  EXPECT_EQ(FAKES.driver_args,
            Words({&host.ids_count, host.host_ids, Length(HostBlock::kIdLength)}));

  // A failure while ending the call so is caught too: the host gets nothing.
  SetUp();
  FAKES.loader_raises = "LoaderGetRunName";
  FAKES.cut_short_end_fails = true;
  host.message_count = 55;
  host.Execute();
  EXPECT_EQ(host.message_count, 0);
  EXPECT_EQ(PravelProbeLastExceptionCode(), static_cast<uint32_t>(EXCEPTION_ACCESS_VIOLATION));

  // A call that ends normally, refused or not, is not cut short.
  for (const std::string& field : {std::string("D:\\C\\P.QXN"), std::string(300, 'P')}) {
    SetUp();
    host.SetCasePath(field);
    host.Execute();
    EXPECT_FALSE(Called("END_CUT_SHORT_EXECUTE"));
  }
}

TEST_F(EntryPoints, CasePathReachesTheRunFoldersWholeOrNotAtAll) {
  const std::string p255(255, 'P');
  struct Case {
    const char* what;
    std::string field;  // the host's bytes; their number is the host length
    const char* path;   // what SetRunFolders gets; null: refused
  };
  const Case cases[] = {
      {"255 characters and NUL in 256", p255 + '\0', p255.c_str()},
      {"NUL before the end", std::string("D:\\C\\P.QXN\0garbage", 18), "D:\\C\\P.QXN"},
      {"no NUL, the whole host length", "D:\\C\\P.QXN", "D:\\C\\P.QXN"},
      {"host length past 256, NUL early", std::string("D:\\X.QXN") + std::string(292, '\0'),
       "D:\\X.QXN"},
      {"empty field", "", ""},
      {"256 characters without NUL", std::string(256, 'P'), nullptr},
      {"NUL only after 280 characters", std::string(280, 'P') + std::string(20, '\0'), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The field ends right before a page that must not be read.
    for (Call call : {&HostBlock::Input, &HostBlock::Output}) {
      SetUp();
      host.SetCasePath(c.field);
      (host.*call)();
      if (c.path) {
        ASSERT_EQ(FAKES.run_folders.size(), 1u);
        EXPECT_EQ(FAKES.run_folders[0].case_path, c.path);
        EXPECT_EQ(host.host_status, 0);
      } else {
        EXPECT_TRUE(FAKES.run_folders.empty());
        EXPECT_FALSE(Called("HANDLE_INPUT") || Called("HANDLE_OUTPUT"));
        EXPECT_FALSE(Called("DeleteRunTempFiles"));
        EXPECT_EQ(host.host_status, call == &HostBlock::Input ? 8 : 39);
        // Input opens the connections all the same; output leaves the case alone.
        EXPECT_EQ(Called("OPEN_CONNECTIONS"), call == &HostBlock::Input);
      }
    }
    SetUp();
    host.SetCasePath(c.field);
    host.Execute();
    EXPECT_EQ(FAKES.run_folders.size(), c.path ? 1u : 0u);
    EXPECT_EQ(Called("HANDLE_EXECUTE"), c.path != nullptr);
    EXPECT_EQ(Called("DeleteRunTempFiles"), c.path != nullptr);
    // A refused path leaves no earlier performance under the result object.
    EXPECT_EQ(Called("RESET_RESULT_OBJECT"), c.path == nullptr);
    EXPECT_EQ(host.message_count, 0);
  }
}

TEST_F(EntryPoints, ModuleEntryKeepsTheHandleUntilProcessDetach) {
  const auto self = GetModuleHandleA(nullptr);
  const auto other = reinterpret_cast<HMODULE>(0x5000);
  struct Step {
    DWORD reason;
    HMODULE handle;
    HMODULE kept;
  };
  const Step steps[] = {
      {DLL_PROCESS_ATTACH, self, self},
      // A host thread that ends leaves the module loaded and its handle valid.
      {DLL_THREAD_DETACH, self, self},
      {DLL_THREAD_ATTACH, self, self},
      {4, other, self},
      {0xFFFF, other, self},
      {DLL_PROCESS_DETACH, self, nullptr},
      {DLL_THREAD_ATTACH, self, self},
      {DLL_PROCESS_DETACH, self, nullptr},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.reason);
    EXPECT_EQ(DllMain(s.handle, s.reason, nullptr), TRUE);
    EXPECT_EQ(MODULE_HANDLE, s.kept);
    host.Hcurve();
    EXPECT_EQ(PravelProbeLastModule(), s.kept);
  }
}

}  // namespace
