#include "probe_state.h"

ProbeState& Probe() {
  static ProbeState state;
  return state;
}

void ProbeState::Reset() {
  // Servers still alive keep working; the probe just no longer numbers them.
  for (auto& s : servers_) s->number = 0;
  servers_.clear();
  selected_ = 0;
  log_.clear();
  failures_.clear();
  run_hook_ = {nullptr, nullptr};
  rating_model_ = true;
}

void ProbeState::Register(const std::shared_ptr<ServerState>& server) {
  servers_.push_back(server);
  server->number = ServerCount();
}

ServerState* ProbeState::Server(int number) const {
  if (number == 0) number = selected_ != 0 ? selected_ : ServerCount();
  if (number < 1 || number > ServerCount()) return nullptr;
  return servers_[static_cast<std::size_t>(number - 1)].get();
}

bool ProbeState::Select(int number) {
  if (number != 0 && (number < 1 || number > ServerCount())) return false;
  selected_ = number;
  return true;
}

std::vector<const std::string*> ProbeState::Log(int server) const {
  std::vector<const std::string*> lines;
  for (const auto& [number, line] : log_)
    if (server == 0 || number == server) lines.push_back(&line);
  return lines;
}

void ProbeState::PlanFailure(std::string_view operation, int times) {
  if (times <= 0)
    failures_.erase(std::string(operation));
  else
    failures_[std::string(operation)] = times;
}

bool ProbeState::TakeFailure(std::string_view operation) {
  auto it = failures_.find(operation);
  if (it == failures_.end()) return false;
  if (--it->second == 0) failures_.erase(it);
  return true;
}

void ProbeState::CallRunHook(const ServerState& running) {
  // A server the probe no longer numbers is not the test's to prepare.
  if (!run_hook_.first || running.number == 0) return;
  const int before = selected_;
  selected_ = running.number;
  run_hook_.first(run_hook_.second);
  selected_ = before;
}

void AppendField(std::string& line, std::string_view text) { line += text; }
void AppendField(std::string& line, int64_t number) { line += std::to_string(number); }

HRESULT ArriveLine(const ServerState& server, std::string_view operation, std::string line) {
  Probe().Record(server.number, std::move(line));
  if (Probe().TakeFailure(operation)) return E_FAIL;
  if (server.shut_down && operation != "CaseServer::ShutDown") return E_UNEXPECTED;
  return S_OK;
}
