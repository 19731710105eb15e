// The block's runs between their execute and output calls.
#include "drivers/runs_awaiting_output.h"

#include <windows.h>

#include <algorithm>

RunsAwaitingOutput RUNS_AWAITING_OUTPUT;

namespace {

// The path made full, so that the path the server answered after a save (made
// absolute) and the one the host first gave name one case file; the path as
// it is when it cannot be.
std::string FullPathOf(const std::string& path) {
  if (path.empty()) return path;
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

// File names are the same whatever the letter case.
bool SameFile(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::vector<RunAwaitingOutput>::iterator RunOf(const std::string& full_path) {
  std::vector<RunAwaitingOutput>& runs = RUNS_AWAITING_OUTPUT.RUNS;
  return std::find_if(runs.begin(), runs.end(), [&](const RunAwaitingOutput& run) {
    return SameFile(run.case_file, full_path);
  });
}

}  // namespace

void LetGoOfServerRuns(const CaseServer* server) {
  for (RunAwaitingOutput& run : RUNS_AWAITING_OUTPUT.RUNS)
    if (run.server == server) run.held = false;
}

void RecordRun(const CaseServer* server, const std::string& case_path,
               const std::string& backup_path, bool file_untouched) {
  RunAwaitingOutput run{server, FullPathOf(case_path),
                        backup_path.empty() ? std::string() : FullPathOf(backup_path), true};
  const auto earlier = RunOf(run.case_file);
  if (earlier != RUNS_AWAITING_OUTPUT.RUNS.end()) {
    if (run.backup.empty() && file_untouched) run.backup = earlier->backup;
    *earlier = std::move(run);
  } else
    RUNS_AWAITING_OUTPUT.RUNS.push_back(std::move(run));
}

std::optional<RunAwaitingOutput> FindRun(const CaseServer* server, const std::string& case_path) {
  if (case_path.empty()) return std::nullopt;
  const auto run = RunOf(FullPathOf(case_path));
  if (run == RUNS_AWAITING_OUTPUT.RUNS.end() || run->server != server) return std::nullopt;
  return *run;
}

void SettleRun(const std::string& case_path) {
  const auto run = RunOf(FullPathOf(case_path));
  if (run != RUNS_AWAITING_OUTPUT.RUNS.end()) RUNS_AWAITING_OUTPUT.RUNS.erase(run);
}

void ForgetAllRuns() { RUNS_AWAITING_OUTPUT.RUNS.clear(); }
