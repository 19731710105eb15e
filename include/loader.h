// Calls into the application loader (Pravel.dll, imported by ordinal).
#pragma once

#include <windows.h>

#include <cstdint>

// The loader exports its operations by ordinal only, through Pravel.def; a
// dllexport here would add their names to the export table.
#ifdef PRAVEL_BUILD
#define PRAVEL_API extern "C"
#else
#define PRAVEL_API extern "C" __declspec(dllimport)
#endif

// Ordinal 22. Raises the structured exception that carries the code; does not return.
PRAVEL_API void LoaderRaiseError(const int64_t* code);
// Ordinal 23. Records the module that is entered; the result is not used.
PRAVEL_API int LoaderEnterModule(HMODULE module);
// Ordinal 24. Called from an exception filter: writes the failure's code into
// *fault_code and answers the filter verdict.
PRAVEL_API LONG LoaderHandleException(int zero, DWORD exception_code, EXCEPTION_POINTERS* info,
                                      const char* text, uint32_t* fault_code);
// Ordinal 27. Called at input with 1 and 0; the result is not used.
PRAVEL_API int LoaderBeginInput(int32_t first, int32_t second);
// Ordinal 29. Lets go of the run's files before they are deleted or copied.
PRAVEL_API int LoaderReleaseFiles();
// Ordinal 33. Writes the private data folder into buffer (length chars);
// answers its length, 0 to length.
PRAVEL_API int64_t LoaderGetPrivateFolder(char* buffer, int64_t length);
// Ordinal 35. Writes the work folder into buffer; answers its length, 0 or less for none.
PRAVEL_API int64_t LoaderGetWorkFolder(char* buffer, int64_t length);
// Ordinal 37. The program folder, NUL-terminated and ending in "\".
PRAVEL_API const char* LoaderGetProgramFolder(HMODULE module);
// Ordinal 38. Writes the run name, NUL-terminated, into a 16-byte buffer.
PRAVEL_API void LoaderGetRunName(char* buffer16);
// Ordinal 41. Shows a text of at most 80 characters; answers nonzero on success.
PRAVEL_API int LoaderPutText(const char* text);
// Ordinal 44. The case path at output.
// The path and its host length by value, then the address of a 64-bit copy of that length.
PRAVEL_API void LoaderSetCasePath(const char* path, int64_t path_len, const int64_t* length_copy);
