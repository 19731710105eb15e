// Test probe of the rich-text report library stand-in (Ostrin.dll), exported
// by name next to its seven calls.
//
// The stand-in is off at load: IsRTFEnabled answers 0 until the probe switches
// it on. Every call, on or off, is logged in order with its texts; while on,
// the calls also write the stand-in's document (standins/ostrin/README.md)
// when the probe has named one.
#pragma once

#include <cstdint>

#ifdef OSTRIN_BUILD
#define OSTRIN_PROBE_API extern "C" __declspec(dllexport)
#else
#define OSTRIN_PROBE_API extern "C" __declspec(dllimport)
#endif

// 1 switches report output to the stand-in, 0 back off.
OSTRIN_PROBE_API void OstrinProbeSetEnabled(int32_t enabled);
// The document that the calls append to while on; null or "" for none.
OSTRIN_PROBE_API void OstrinProbeSetDocument(const char* path);

// The log: calls numbered from 0 in the order they were made. A text handed
// out is copied into `size` bytes, NUL-terminated, cut when it does not fit;
// the call answers the text's full length, or -1 when there is no such call
// or text (a null argument is logged as no text).
OSTRIN_PROBE_API int64_t OstrinProbeCallCount();
// The call's name, "PageBreak", "ParseRTF", ...
OSTRIN_PROBE_API int64_t OstrinProbeCallName(int64_t index, char* buffer, int64_t size);
// The number of its text arguments (ParseRTF three, SectionStart one, the
// others none), -1 when there is no such call; and each text in argument order.
OSTRIN_PROBE_API int32_t OstrinProbeCallTextCount(int64_t index);
OSTRIN_PROBE_API int64_t OstrinProbeCallText(int64_t index, int32_t argument, char* buffer,
                                             int64_t size);

// Off, no document, an empty log.
OSTRIN_PROBE_API void OstrinProbeReset();
