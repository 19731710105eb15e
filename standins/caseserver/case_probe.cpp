// The test probe's exports (case_server_probe.h).
#include <algorithm>
#include <cstring>
#include <string_view>

#include "standins/caseserver/case_server_probe.h"
#include "standins/caseserver/probe_state.h"

namespace {

int CopyOut(std::string_view text, char* buffer, int size) {
  if (buffer && size > 0) {
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<int>(text.size());
}

// Line 1..count of a log.
int CopyLine(const std::vector<const std::string*>& lines, int line, char* buffer, int size) {
  if (line < 1 || line > static_cast<int>(lines.size())) return -1;
  return CopyOut(*lines[static_cast<std::size_t>(line - 1)], buffer, size);
}

ProgramCase* SelectedCase() {
  ServerState* s = Probe().Selected();
  return s && s->program_case ? &*s->program_case : nullptr;
}

std::optional<Collection> CollectionOf(int collection) {
  if (collection < 0 || collection >= kCollectionCount) return std::nullopt;
  return static_cast<Collection>(collection);
}

CaseVariable* SelectedVariable(int collection, const char* name) {
  ProgramCase* c = SelectedCase();
  const auto k = CollectionOf(collection);
  return c && k && name ? c->Find(*k, name) : nullptr;
}

CaseEntry* SelectedEntry(int collection, const char* name, int index) {
  CaseVariable* v = SelectedVariable(collection, name);
  return v ? v->entry(index) : nullptr;
}

}  // namespace

CASE_PROBE_API void CaseProbeReset(void) { Probe().Reset(); }

CASE_PROBE_API int CaseProbeServerCount(void) { return Probe().ServerCount(); }

CASE_PROBE_API int CaseProbeSelectServer(int server) { return Probe().Select(server) ? 1 : 0; }

CASE_PROBE_API int CaseProbeServerInfo(int server, CaseProbeServer* info) {
  const ServerState* s = Probe().Server(server);
  if (!s || !info) return 0;
  info->alive = s->alive;
  info->shut_down = s->shut_down;
  info->server_mode = s->server_mode;
  info->has_case = s->program_case.has_value();
  info->case_open = s->case_open;
  info->runs = s->runs;
  info->case_data_held_at_shut_down = s->case_data_held_at_shut_down;
  return 1;
}

CASE_PROBE_API int CaseProbeDefineVariable(int collection, const char* name, int count) {
  ProgramCase* c = SelectedCase();
  const auto k = CollectionOf(collection);
  if (!c || !k || !name) return 0;
  c->Define(*k, name, count);
  return 1;
}

CASE_PROBE_API int CaseProbeRemoveVariable(int collection, const char* name) {
  ProgramCase* c = SelectedCase();
  const auto k = CollectionOf(collection);
  return c && k && name && c->Remove(*k, name) ? 1 : 0;
}

CASE_PROBE_API int CaseProbeSetEntry(int collection, const char* name, int index, const char* value,
                                     int64_t flag, const char* text) {
  CaseEntry* e = SelectedEntry(collection, name, index);
  if (!e) return 0;
  e->value = value ? value : "";
  e->flag = flag;
  e->text = text ? text : "";
  return 1;
}

CASE_PROBE_API int CaseProbeGetFlag(int collection, const char* name, int index, int64_t* flag) {
  const CaseEntry* e = SelectedEntry(collection, name, index);
  if (!e || !flag) return 0;
  *flag = e->flag;
  return 1;
}

CASE_PROBE_API int CaseProbeGetValue(int collection, const char* name, int index, char* buffer,
                                     int size) {
  const CaseEntry* e = SelectedEntry(collection, name, index);
  return e ? CopyOut(e->value, buffer, size) : -1;
}

CASE_PROBE_API int CaseProbeGetText(int collection, const char* name, int index, char* buffer,
                                    int size) {
  const CaseEntry* e = SelectedEntry(collection, name, index);
  return e ? CopyOut(e->text, buffer, size) : -1;
}

CASE_PROBE_API int CaseProbeEntryCount(int collection, const char* name) {
  const CaseVariable* v = SelectedVariable(collection, name);
  return v ? v->count() : -1;
}

CASE_PROBE_API int CaseProbeMarkCount(int collection, const char* name) {
  const CaseVariable* v = SelectedVariable(collection, name);
  return v ? static_cast<int>(v->marks) : -1;
}

CASE_PROBE_API int CaseProbeGetMultiCaseText(int which, char* buffer, int size) {
  const ServerState* s = Probe().Selected();
  if (!s || (which != 1 && which != 2) || !s->multi_case[which - 1]) return -1;
  return CopyOut(*s->multi_case[which - 1], buffer, size);
}

CASE_PROBE_API int CaseProbeLogCount(int server) {
  return static_cast<int>(Probe().Log(server).size());
}

CASE_PROBE_API int CaseProbeGetLogLine(int server, int line, char* buffer, int size) {
  return CopyLine(Probe().Log(server), line, buffer, size);
}

CASE_PROBE_API int CaseProbeReleaseCount(int server) {
  return static_cast<int>(Probe().Releases(server).size());
}

CASE_PROBE_API int CaseProbeGetReleaseLine(int server, int line, char* buffer, int size) {
  return CopyLine(Probe().Releases(server), line, buffer, size);
}

CASE_PROBE_API void CaseProbeClearLog(void) { Probe().ClearLog(); }

CASE_PROBE_API void CaseProbeFailOperation(const char* operation, int times) {
  if (operation) Probe().PlanFailure(operation, times);
}

CASE_PROBE_API void CaseProbeRaiseInOperation(const char* operation, uint32_t code) {
  if (operation) Probe().PlanRaise(operation, code);
}

CASE_PROBE_API void CaseProbeSetRunHook(CaseProbeRunHook hook, void* context) {
  Probe().SetRunHook(hook, context);
}

CASE_PROBE_API void CaseProbeSetRatingModel(int runs) { Probe().SetRatingModel(runs != 0); }
