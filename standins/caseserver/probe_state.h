// The stand-in's process-wide record for the test probe: every server created
// since the last reset, the operation log, the planned failures, the run hook
// and whether a run rates the case.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "standins/caseserver/server_state.h"

using RunHookFunction = void (*)(void* context);

class ProbeState {
 public:
  void Reset();

  // Numbers a new server and keeps its record.
  void Register(const std::shared_ptr<ServerState>& server);
  int ServerCount() const { return static_cast<int>(servers_.size()); }
  // 0 means the selected server; null when there is none.
  ServerState* Server(int number) const;
  bool Select(int number);
  ServerState* Selected() const { return Server(0); }

  void Record(int server, std::string line) { log_.emplace_back(server, std::move(line)); }
  // Server 0: the lines of every server, in the order they arrived.
  std::vector<const std::string*> Log(int server) const;
  // The release log, kept apart from the operations, in the same way.
  void RecordRelease(int server, std::string line) {
    releases_.emplace_back(server, std::move(line));
  }
  std::vector<const std::string*> Releases(int server) const;
  void ClearLog() {
    log_.clear();
    releases_.clear();
  }

  void PlanFailure(std::string_view operation, int times);
  // True, and one planned failure used, when the operation is to fail now.
  bool TakeFailure(std::string_view operation);
  void PlanRaise(std::string_view operation, uint32_t code);
  bool RaisePlanned(std::string_view operation) const { return raises_.count(operation) > 0; }
  // Raises the planned exception, once, when the operation is to raise now.
  void RaiseIfPlanned(std::string_view operation);

  void SetRunHook(RunHookFunction hook, void* context) { run_hook_ = {hook, context}; }
  // Calls the hook with the running server selected for its duration.
  void CallRunHook(const ServerState& running);

  // Whether a run rates the case before the hook (it does after a reset).
  void SetRatingModel(bool runs) { rating_model_ = runs; }
  bool RatingModel() const { return rating_model_; }

 private:
  std::vector<std::shared_ptr<ServerState>> servers_;
  int selected_ = 0;
  std::vector<std::pair<int, std::string>> log_;
  std::vector<std::pair<int, std::string>> releases_;
  std::map<std::string, int, std::less<>> failures_;
  std::map<std::string, uint32_t, std::less<>> raises_;
  std::pair<RunHookFunction, void*> run_hook_{nullptr, nullptr};
  bool rating_model_ = true;
};

ProbeState& Probe();

void AppendField(std::string& line, std::string_view text);
void AppendField(std::string& line, int64_t number);

// Records one operation as "Operation|field|field..." and answers whether it
// may go ahead: S_OK, E_FAIL when the probe planned a failure for it, or
// E_UNEXPECTED when the server has been shut down. A raise the probe planned
// for it comes instead of an answer.
HRESULT ArriveLine(const ServerState& server, std::string_view operation, std::string line);

template <class... Fields>
HRESULT Arrive(const ServerState& server, std::string_view operation, const Fields&... fields) {
  std::string line(operation);
  ((line += '|', AppendField(line, fields)), ...);
  return ArriveLine(server, operation, std::move(line));
}
