// Test-local run services and drivers that record what the entry points ask
// of them, in one log with the loader's own calls, and fail on demand.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class DriverFault { kNone, kRaise, kAccessViolation, kCxxException };

struct DriverPlan {
  std::optional<int64_t> leave_status;  // written into the status word first
  DriverFault fault = DriverFault::kNone;
  int64_t raise_code = 0;  // handed to LoaderRaiseError
};

struct RunFoldersCall {
  std::string program_folder, case_path, run_digit, run_switch, run_name;
};

struct EntryFakes {
  std::vector<std::string> calls;  // loader operations and fakes, in order
  DriverPlan plan;
  std::vector<RunFoldersCall> run_folders;
  std::vector<HWND> screen_windows;
  // The driver's arguments in its own order, addresses and lengths alike.
  std::vector<uintptr_t> driver_args;
  std::string program_name;            // multi-case's program text
  std::optional<int64_t> status_seen;  // the status word as the driver found it
  int cleanups_run = 0;                // destructors run in a failing driver
  // The loader operation ("LoaderGetRunName", ...) that raises once, at its
  // start, as a loader failing inside the call does; empty: none.
  std::string loader_raises;
  bool cut_short_end_fails = false;  // END_CUT_SHORT_EXECUTE faults in turn
};
extern EntryFakes FAKES;

// Clears the fakes and the loader's records, and logs the loader's calls.
void ResetFakes();

bool Called(const std::string& name);
