// The probe's switch, document, log read-back and reset, and the stand-in's state.
#include "standins/ostrin/rich_text_probe.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "standins/ostrin/ostrin_state.h"

OstrinState OSTRIN_STATE;

namespace {

int64_t HandOut(std::string_view text, char* buffer, int64_t size) {
  if (buffer && size > 0) {
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<int64_t>(text.size());
}

const OstrinCall* Call(int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(OSTRIN_STATE.calls.size())) return nullptr;
  return &OSTRIN_STATE.calls[static_cast<std::size_t>(index)];
}

}  // namespace

OSTRIN_PROBE_API void OstrinProbeSetEnabled(int32_t enabled) {
  OSTRIN_STATE.enabled = enabled != 0;
}

OSTRIN_PROBE_API void OstrinProbeSetDocument(const char* path) {
  OSTRIN_STATE.document = path ? path : "";
}

OSTRIN_PROBE_API int64_t OstrinProbeCallCount() {
  return static_cast<int64_t>(OSTRIN_STATE.calls.size());
}

OSTRIN_PROBE_API int64_t OstrinProbeCallName(int64_t index, char* buffer, int64_t size) {
  const OstrinCall* call = Call(index);
  return call ? HandOut(call->name, buffer, size) : -1;
}

OSTRIN_PROBE_API int32_t OstrinProbeCallTextCount(int64_t index) {
  const OstrinCall* call = Call(index);
  return call ? static_cast<int32_t>(call->texts.size()) : -1;
}

OSTRIN_PROBE_API int64_t OstrinProbeCallText(int64_t index, int32_t argument, char* buffer,
                                             int64_t size) {
  const OstrinCall* call = Call(index);
  if (!call || argument < 0 || argument >= static_cast<int32_t>(call->texts.size())) return -1;
  const auto& text = call->texts[static_cast<std::size_t>(argument)];
  return text ? HandOut(*text, buffer, size) : -1;
}

OSTRIN_PROBE_API void OstrinProbeReset() { OSTRIN_STATE = OstrinState{}; }
