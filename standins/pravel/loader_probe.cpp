// The probe's read-back, its observer and reset, and the stand-in's state.
#include "standins/pravel/loader_probe.h"

#include <algorithm>
#include <cstring>

#include "standins/pravel/pravel_state.h"

PravelRecord PRAVEL_RECORD;
PravelOverrides PRAVEL_OVERRIDES;

void NotifyObserver(const char* operation) {
  if (PRAVEL_RECORD.observer) PRAVEL_RECORD.observer(operation, PRAVEL_RECORD.observer_context);
}

int64_t CopyBounded(std::string_view text, char* buffer, int64_t length) {
  if (!buffer || length <= 0) return 0;
  const int64_t n = std::min<int64_t>(static_cast<int64_t>(text.size()), length);
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
  if (n < length) buffer[n] = '\0';
  return n;
}

PRAVEL_PROBE_API void PravelProbeSetObserver(PravelObserver observer, void* context) {
  PRAVEL_RECORD.observer = observer;
  PRAVEL_RECORD.observer_context = context;
}

PRAVEL_PROBE_API int64_t PravelProbeEnterModuleCount() { return PRAVEL_RECORD.enter_module_count; }
PRAVEL_PROBE_API HMODULE PravelProbeLastModule() { return PRAVEL_RECORD.last_module; }

PRAVEL_PROBE_API int64_t PravelProbeBeginInputCount() { return PRAVEL_RECORD.begin_input_count; }
PRAVEL_PROBE_API void PravelProbeLastBeginInput(int32_t* first, int32_t* second) {
  if (first) *first = PRAVEL_RECORD.begin_input_first;
  if (second) *second = PRAVEL_RECORD.begin_input_second;
}

PRAVEL_PROBE_API int64_t PravelProbeReleaseFilesCount() {
  return PRAVEL_RECORD.release_files_count;
}

PRAVEL_PROBE_API int64_t PravelProbeSetCasePathCount() { return PRAVEL_RECORD.set_case_path_count; }
PRAVEL_PROBE_API int64_t PravelProbeLastCasePath(char* buffer, int64_t length) {
  CopyBounded(PRAVEL_RECORD.last_case_path, buffer, length);
  return PRAVEL_RECORD.last_case_path_host_length;
}
PRAVEL_PROBE_API int64_t PravelProbeLastCasePathLength() {
  return PRAVEL_RECORD.last_case_path_length;
}

PRAVEL_PROBE_API int64_t PravelProbePutTextCount() {
  return static_cast<int64_t>(PRAVEL_RECORD.put_texts.size());
}
PRAVEL_PROBE_API int64_t PravelProbePutText(int64_t index, char* buffer, int64_t length) {
  if (index < 0 || index >= PravelProbePutTextCount()) return -1;
  const std::string& text = PRAVEL_RECORD.put_texts[static_cast<std::size_t>(index)];
  CopyBounded(text, buffer, length);
  return static_cast<int64_t>(text.size());
}

PRAVEL_PROBE_API uint32_t PravelProbeLastExceptionCode() {
  return PRAVEL_RECORD.last_exception_code;
}

PRAVEL_PROBE_API void PravelProbeReset() {
  PRAVEL_RECORD = PravelRecord{};
  PRAVEL_OVERRIDES = PravelOverrides{};
}
