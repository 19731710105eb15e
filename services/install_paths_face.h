// The installation's folders and the paths unit: the program folder's language
// and data folders, the installation folder found from the library's own path
// or the "KVEM" environment variable, environment values, a six-digit time tag
// for unique file names and the unit's stored value.
//
// Every routine that writes a caller's buffer is given its capacity in bytes
// and refuses a text that does not fit with its terminator: such a text is
// never cut into another, wrong path.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The program folder followed by "DAT\LAN\" (report templates and their index)
// or by "DAT\PDA\" (language and data files). Return 1 when written; 0, and an
// empty text in the buffer, when the folder does not fit.
int32_t GetLanFolder(char* buffer, std::size_t capacity);
int32_t GetPdaFolder(char* buffer, std::size_t capacity);

// The installation folder: the module's file path in upper case up to its first
// "XEQ\", else the value of "KVEM" unchanged. Returns 0 when a folder was
// written, -1 when none was found or it does not fit (the buffer is then
// unchanged). A null module goes straight to "KVEM".
int32_t FindInstallFolder(HMODULE module, char* folder, std::size_t capacity);
// The part of a file path before its first "XEQ\", in upper case; none when the
// path has no "XEQ\".
std::optional<std::string> InstallFolderInPath(std::string path);

// Copies the variable's value into buffer (which holds a NUL-terminated text on
// entry) when it is set and fits in capacity bytes with its terminator; returns
// the length of the text in the buffer afterwards (0 for a capacity of 0 or
// less, which leaves the buffer alone). The second argument is not consulted.
int32_t GetEnvironmentValue(const char* name, int32_t unused, char* buffer, int32_t capacity);

// The low 24 bits of the calendar time (seconds since 1970) as six upper-case
// hexadecimal digits and a NUL. MakeUniqueTag returns 1, or 0 (tag untouched)
// when capacity is below 7.
int32_t MakeUniqueTag(char* tag, std::size_t capacity);
void FormatTimeTag(int64_t seconds, char (&tag)[7]);

// The paths unit's stored value, 0 at load.
extern int32_t PATHS_VALUE;
int32_t SetPathsValue(int32_t value);
int32_t GetPathsValue();
