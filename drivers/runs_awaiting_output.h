// The runs that the block's execute calls made on their case files and that no
// output call has kept or discarded yet. An output call keeps or discards only
// such a run: whatever else a connection's server holds (the new case of the
// input call, a case it did not load, another file's run) would be saved over
// the user's file, and a file at the backup's path that no run made would be
// copied back over it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "include/case_server.h"

// One run: the program ran on the case file in the server's case.
struct RunAwaitingOutput {
  // The server of the connection whose execute call made the run.
  const CaseServer* server = nullptr;
  // The case file's full path.
  std::string case_file;
  // The full path of the backup that holds the case file as it was before the
  // run; empty when the run made none (there was no case file, or it could
  // not be copied and the run then did not save over it).
  std::string backup;
  // The server still holds the run's case, so that it can be saved: no later
  // execute call of the connection has loaded another case into it.
  bool held = true;
};

// At most one run a case file: the last one, which its output settles.
struct RunsAwaitingOutput {
  std::vector<RunAwaitingOutput> RUNS;
};
extern RunsAwaitingOutput RUNS_AWAITING_OUTPUT;

// An execute call is about to load a case into the server: none of the
// server's runs is held by it any more (each may still be discarded).
void LetGoOfServerRuns(const CaseServer* server);

// The program has run on the case file in the server's case; backup_path is
// the run's backup, or empty. It takes the place of an earlier run of that
// case file. A run that made no backup and leaves the case file untouched
// (it may not save over it) keeps the earlier run's backup, which still holds
// the file as it was before them both.
void RecordRun(const CaseServer* server, const std::string& case_path,
               const std::string& backup_path, bool file_untouched);

// The run on that case file (the same file, however its path is written)
// when the server's connection made it; nothing otherwise.
std::optional<RunAwaitingOutput> FindRun(const CaseServer* server, const std::string& case_path);

// The case file's run has been kept or discarded.
void SettleRun(const std::string& case_path);

// Every connection is shut down: no server holds a run any more, and a new
// one may come to lie where an old one was.
void ForgetAllRuns();
