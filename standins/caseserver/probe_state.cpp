#include "standins/caseserver/probe_state.h"

#include "standins/caseserver/dispatch_object.h"

namespace {

// Nested: a release of the cache may end an object whose state releases its
// own cache in turn.
int OWN_RELEASES = 0;

}  // namespace

OwnReleases::OwnReleases() { ++OWN_RELEASES; }
OwnReleases::~OwnReleases() { --OWN_RELEASES; }

void RecordRelease(int server, const std::string& release_line, unsigned long left) {
  if (OWN_RELEASES > 0) return;
  Probe().RecordRelease(server, release_line + '|' + std::to_string(left));
}

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
  releases_.clear();
  failures_.clear();
  raises_.clear();
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

namespace {

std::vector<const std::string*> LinesOf(const std::vector<std::pair<int, std::string>>& log,
                                        int server) {
  std::vector<const std::string*> lines;
  for (const auto& [number, line] : log)
    if (server == 0 || number == server) lines.push_back(&line);
  return lines;
}

}  // namespace

std::vector<const std::string*> ProbeState::Log(int server) const { return LinesOf(log_, server); }

std::vector<const std::string*> ProbeState::Releases(int server) const {
  return LinesOf(releases_, server);
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

void ProbeState::PlanRaise(std::string_view operation, uint32_t code) {
  if (code == 0)
    raises_.erase(std::string(operation));
  else
    raises_[std::string(operation)] = code;
}

void ProbeState::RaiseIfPlanned(std::string_view operation) {
  auto it = raises_.find(operation);
  if (it == raises_.end()) return;
  const DWORD code = it->second;
  raises_.erase(it);
  RaiseException(code, EXCEPTION_NONCONTINUABLE, 0, nullptr);
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
  Probe().RaiseIfPlanned(operation);
  if (Probe().TakeFailure(operation)) return E_FAIL;
  if (server.shut_down && operation != "CaseServer::ShutDown") return E_UNEXPECTED;
  return S_OK;
}
