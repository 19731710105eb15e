// Calls into the host's case repository (Lumbra.dll, imported by name).
//
// Every argument by address except text lengths, which are 64-bit values right
// after their text; the last argument is the repository's error word.
#pragma once

#include <cstdint>

#ifdef LUMBRA_BUILD
#define LUMBRA_API extern "C" __declspec(dllexport)
#else
#define LUMBRA_API extern "C" __declspec(dllimport)
#endif

// Loads a definition file; error 1 = failed.
LUMBRA_API void RPREAD(const char* folder, int64_t folder_len, const char* file, int64_t file_len,
                       int64_t* err);
// found != 0 when the object exists.
LUMBRA_API void RPFIND(const char* id, int64_t id_len, int64_t* found, int64_t* err);
// Deletes the object and its records.
LUMBRA_API void RPDELE(const char* id, int64_t id_len, int64_t* err);
// Creates an object of a class.
LUMBRA_API void RPNEW(const char* id, int64_t id_len, const char* cls, int64_t cls_len,
                      int64_t* handle, int64_t* err);
// Creates a member record under a parent object.
LUMBRA_API void RPALLO(const char* id, int64_t id_len, const char* member, int64_t member_len,
                       int64_t* parent, int64_t* handle, int64_t* err);
// The six element counts of a record.
LUMBRA_API void RPGETS(const char* id, int64_t id_len, const char* record, int64_t record_len,
                       int64_t* n1, int64_t* n2, int64_t* n3, int64_t* n4, int64_t* n5, int64_t* n6,
                       int64_t* err);
// Reads a record's six arrays, each filled up to the count given for it.
LUMBRA_API void RPGETD(const char* id, int64_t id_len, const char* record, int64_t record_len,
                       int64_t* n1, int64_t* ivals, int64_t* n2, void* xvals2, int64_t* n3,
                       double* rvals, int64_t* n4, void* xvals4, int64_t* n5, char* svals,
                       int64_t svals_len, int64_t* n6, void* xvals6, int64_t* err);
// Stores a record with the given counts.
LUMBRA_API void RPPUTD(const char* id, int64_t id_len, const char* record, int64_t record_len,
                       int64_t* n1, int64_t* ivals, int64_t* n2, void* xvals2, int64_t* n3,
                       double* rvals, int64_t* n4, void* xvals4, int64_t* n5, char* svals,
                       int64_t svals_len, int64_t* n6, void* xvals6, int64_t* err);
// Dumps the repository to a file.
LUMBRA_API void RPDUMP(const char* file, int64_t file_len, int64_t* a, int64_t* b, int64_t* c,
                       int64_t* err);
