// The probe calls: set-up and read-back of the process's one repository.
#include "standins/lumbra/repository_probe.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "include/fixed_text.h"
#include "standins/lumbra/case_repository.h"
#include "standins/lumbra/repository_text.h"

using lumbra::CASE_REPOSITORY;

namespace {

std::string_view Key(const char* text) { return text ? fixed::Trimmed(text) : std::string_view(); }

int64_t HandOut(std::string_view text, char* out, int64_t size) {
  if (out && size > 0) {
    const auto n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
  }
  return static_cast<int64_t>(text.size());
}

const lumbra::Object* ObjectAt(int64_t index) {
  const auto& objects = CASE_REPOSITORY.store.contents().objects;
  if (index < 1 || index > static_cast<int64_t>(objects.size())) return nullptr;
  return &objects[static_cast<std::size_t>(index - 1)];
}

const lumbra::Record* MemberOf(const char* id, const char* member) {
  const lumbra::Record* record = CASE_REPOSITORY.store.find_record(Key(id), Key(member));
  return record && record->member ? record : nullptr;
}

}  // namespace

LUMBRA_PROBE_API void LumbraProbeReset() { CASE_REPOSITORY.reset(); }

LUMBRA_PROBE_API int64_t LumbraProbeObjectCount() {
  return static_cast<int64_t>(CASE_REPOSITORY.store.contents().objects.size());
}

LUMBRA_PROBE_API int64_t LumbraProbeObjectId(int64_t index, char* id, int64_t size) {
  const lumbra::Object* object = ObjectAt(index);
  return object ? HandOut(object->id, id, size) : -1;
}

LUMBRA_PROBE_API int64_t LumbraProbeObjectClass(const char* id, char* cls, int64_t size) {
  const lumbra::Object* object = CASE_REPOSITORY.store.find(Key(id));
  return object ? HandOut(object->cls, cls, size) : -1;
}

LUMBRA_PROBE_API int64_t LumbraProbeObjectHandle(const char* id) {
  const lumbra::Object* object = CASE_REPOSITORY.store.find(Key(id));
  return object ? object->handle : 0;
}

LUMBRA_PROBE_API int64_t LumbraProbeRecordCount(const char* id) {
  const lumbra::Object* object = CASE_REPOSITORY.store.find(Key(id));
  return object ? static_cast<int64_t>(object->records.size()) : -1;
}

LUMBRA_PROBE_API int64_t LumbraProbeRecordName(const char* id, int64_t index, char* name,
                                               int64_t size) {
  const lumbra::Object* object = CASE_REPOSITORY.store.find(Key(id));
  if (!object || index < 1 || index > static_cast<int64_t>(object->records.size())) return -1;
  return HandOut(object->records[static_cast<std::size_t>(index - 1)].name, name, size);
}

LUMBRA_PROBE_API int64_t LumbraProbeMemberParent(const char* id, const char* member, char* parent,
                                                 int64_t size) {
  const lumbra::Record* record = MemberOf(id, member);
  if (!record) return -1;
  return HandOut(record->parent.empty() ? Key(id) : record->parent, parent, size);
}

LUMBRA_PROBE_API int64_t LumbraProbeMemberHandle(const char* id, const char* member) {
  const lumbra::Record* record = MemberOf(id, member);
  return record ? record->handle : 0;
}

LUMBRA_PROBE_API int64_t LumbraProbeSetCounts(const char* id, const char* record,
                                              const int64_t counts[6]) {
  if (!counts) return lumbra::kBadArgument;
  lumbra::Counts stated{};
  std::copy(counts, counts + stated.size(), stated.begin());
  return CASE_REPOSITORY.store.state_counts(Key(id), Key(record), stated);
}

LUMBRA_PROBE_API void LumbraProbeFailNextRead(const char* file) {
  if (file) CASE_REPOSITORY.failing_reads.emplace_back(fixed::Trimmed(file));
}

LUMBRA_PROBE_API int64_t LumbraProbeClassDeclared(const char* cls) {
  return CASE_REPOSITORY.store.class_declared(Key(cls)) ? 1 : 0;
}

LUMBRA_PROBE_API int64_t LumbraProbeLoadText(const char* text) {
  try {
    lumbra::ParseOutcome outcome = lumbra::ParseContents(text ? text : "");
    if (!outcome.ok)
      return CASE_REPOSITORY.fail(lumbra::kReadFailed, "text line " + std::to_string(outcome.line) +
                                                           ": " + outcome.message);
    CASE_REPOSITORY.store.merge(std::move(outcome.contents));
    return lumbra::kOk;
  } catch (...) {
    return CASE_REPOSITORY.fail(lumbra::kReadFailed, "text: out of memory");
  }
}

LUMBRA_PROBE_API int64_t LumbraProbeDumpText(char* text, int64_t size) {
  try {
    return HandOut(lumbra::WriteContents(CASE_REPOSITORY.store.contents()), text, size);
  } catch (...) {
    return -1;
  }
}

LUMBRA_PROBE_API int64_t LumbraProbeLastError(char* text, int64_t size) {
  return HandOut(CASE_REPOSITORY.last_error, text, size);
}

LUMBRA_PROBE_API int64_t LumbraProbeCallCount() {
  return static_cast<int64_t>(CASE_REPOSITORY.calls.size());
}

LUMBRA_PROBE_API int64_t LumbraProbeCall(int64_t index, char* entry, int64_t size) {
  const auto& calls = CASE_REPOSITORY.calls;
  if (index < 1 || index > static_cast<int64_t>(calls.size())) return -1;
  return HandOut(calls[static_cast<std::size_t>(index - 1)], entry, size);
}

LUMBRA_PROBE_API void LumbraProbeClearCalls() { CASE_REPOSITORY.calls.clear(); }
