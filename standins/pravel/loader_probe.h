// Test probe of the loader stand-in (Pravel.dll), exported by name.
//
// Setters override the loader's configuration at run time; a null text goes
// back to the configuration (environment, then defaults). Read-back shows
// what the library asked of the loader since the last reset.
#pragma once

#include <windows.h>

#include <cstdint>

#ifdef PRAVEL_BUILD
#define PRAVEL_PROBE_API extern "C" __declspec(dllexport)
#else
#define PRAVEL_PROBE_API extern "C" __declspec(dllimport)
#endif

// Called with the operation's name ("LoaderEnterModule", ...) at the start of
// every loader operation, so a test can interleave the loader's calls with
// those of its own fakes.
using PravelObserver = void (*)(const char* operation, void* context);
PRAVEL_PROBE_API void PravelProbeSetObserver(PravelObserver observer, void* context);

// Configuration overrides, used as given (cut to the caller's buffers).
PRAVEL_PROBE_API void PravelProbeSetProgramFolder(const char* folder);
PRAVEL_PROBE_API void PravelProbeSetRunName(const char* run_name);
// answer < 0: LoaderGetPrivateFolder answers the number of characters it
// wrote; otherwise it answers `answer` whatever it wrote.
PRAVEL_PROBE_API void PravelProbeSetPrivateFolder(const char* folder, int64_t answer);
// "" means no work folder (LoaderGetWorkFolder answers 0).
PRAVEL_PROBE_API void PravelProbeSetWorkFolder(const char* folder);

// Read-back.
PRAVEL_PROBE_API int64_t PravelProbeEnterModuleCount();
PRAVEL_PROBE_API HMODULE PravelProbeLastModule();
PRAVEL_PROBE_API int64_t PravelProbeBeginInputCount();
PRAVEL_PROBE_API void PravelProbeLastBeginInput(int32_t* first, int32_t* second);
PRAVEL_PROBE_API int64_t PravelProbeReleaseFilesCount();
PRAVEL_PROBE_API int64_t PravelProbeSetCasePathCount();
// Copies the last case path text (its host length of bytes, as passed) into
// buffer, NUL-terminated when room is left; answers the host length passed.
PRAVEL_PROBE_API int64_t PravelProbeLastCasePath(char* buffer, int64_t length);
// The value behind the length address of the last LoaderSetCasePath (-1 for a null address).
PRAVEL_PROBE_API int64_t PravelProbeLastCasePathLength();
PRAVEL_PROBE_API int64_t PravelProbePutTextCount();
// Copies text number index (0 first) into buffer, NUL-terminated when room is
// left; answers its length, -1 when there is no such text.
PRAVEL_PROBE_API int64_t PravelProbePutText(int64_t index, char* buffer, int64_t length);
// The exception code that LoaderHandleException saw last (0 before any).
PRAVEL_PROBE_API uint32_t PravelProbeLastExceptionCode();

// Forgets every record, override and the observer.
PRAVEL_PROBE_API void PravelProbeReset();
