// Read-back and set-up calls of the case repository stand-in (Lumbra.dll),
// for tests and the host stand-in; exported by name next to the nine calls,
// so they see the same store as the library does. Link the `Lumbra` target.
//
// Ids and names here are NUL-terminated texts, compared like the repository's
// own (trailing blanks ignored, case-sensitive). A text handed out is copied
// into `size` bytes NUL-terminated, cut when it does not fit; the call answers
// the text's full length, or -1 when there is no such thing.
#pragma once

#include <cstdint>

#ifdef LUMBRA_BUILD
#define LUMBRA_PROBE_API extern "C" __declspec(dllexport)
#else
#define LUMBRA_PROBE_API extern "C" __declspec(dllimport)
#endif

// Empties the store and forgets the call log, the armed read failures and the last error.
LUMBRA_PROBE_API void LumbraProbeReset();

// Objects, numbered from 1 in the order of their creation.
LUMBRA_PROBE_API int64_t LumbraProbeObjectCount();
LUMBRA_PROBE_API int64_t LumbraProbeObjectId(int64_t index, char* id, int64_t size);
LUMBRA_PROBE_API int64_t LumbraProbeObjectClass(const char* id, char* cls, int64_t size);
// The handle RPNEW gave the object (or a load gave it); 0 when there is none.
LUMBRA_PROBE_API int64_t LumbraProbeObjectHandle(const char* id);

// An object's records, members included, numbered from 1 in creation order;
// the count is -1 when there is no such object.
LUMBRA_PROBE_API int64_t LumbraProbeRecordCount(const char* id);
LUMBRA_PROBE_API int64_t LumbraProbeRecordName(const char* id, int64_t index, char* name,
                                               int64_t size);
// A member's parent: the name of the member it was created under, or the
// object's id for one created under the object. -1 for a plain record or none.
LUMBRA_PROBE_API int64_t LumbraProbeMemberParent(const char* id, const char* member, char* parent,
                                                 int64_t size);
// The handle RPALLO gave the member; 0 when there is none.
LUMBRA_PROBE_API int64_t LumbraProbeMemberHandle(const char* id, const char* member);

// Makes RPGETS report these six counts for an existing record without adding
// data (a count of 2^62 included); RPGETD still copies only the data held.
// Storing the record again forgets them. Answers the repository's error word.
LUMBRA_PROBE_API int64_t LumbraProbeSetCounts(const char* id, const char* record,
                                              const int64_t counts[6]);

// The next RPREAD of this file answers 1 without reading it. The file is named
// by its whole path, by its name ("B_DOVI.RPD") or by its name without
// extension ("B_DOVI"), without regard to case. Each call arms one read.
LUMBRA_PROBE_API void LumbraProbeFailNextRead(const char* file);

// 1 when a definition file or a load declared the class, else 0.
LUMBRA_PROBE_API int64_t LumbraProbeClassDeclared(const char* cls);

// Loads a text in the definition-file format, as RPREAD loads a file: whole or
// not at all. Answers 0, or 1 with the faulty line in the last error.
LUMBRA_PROBE_API int64_t LumbraProbeLoadText(const char* text);
// The whole store in the dump format that RPDUMP writes.
LUMBRA_PROBE_API int64_t LumbraProbeDumpText(char* text, int64_t size);

// What the last failed call found wrong ("...B_DOVI.RPD line 4: ..."); empty when none did.
LUMBRA_PROBE_API int64_t LumbraProbeLastError(char* text, int64_t size);

// The calls made since the last reset, numbered from 1, each an entry
// "NAME|argument|...": RPREAD|path, RPFIND|id, RPDELE|id, RPNEW|id|class,
// RPALLO|id|member|parent handle, RPGETS|id|record,
// RPGETD|id|record|n1 n2 n3 n4 n5 n6|text length (RPPUTD the same),
// RPDUMP|file|a b c. A text that could not be taken shows as "?".
LUMBRA_PROBE_API int64_t LumbraProbeCallCount();
LUMBRA_PROBE_API int64_t LumbraProbeCall(int64_t index, char* entry, int64_t size);
LUMBRA_PROBE_API void LumbraProbeClearCalls();
