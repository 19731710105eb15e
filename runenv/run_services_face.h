// Services around each entry point's driver: the screen window, the
// results-line file and the deletion of the run's temporary files.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdio>

// The window the text-form screen draws into; null at load.
extern HWND SCREEN_WINDOW;
// The open results-line file; null while none is open.
extern FILE* VALUE_FILE;

void SetScreenWindow(HWND window);
HWND GetScreenWindow();

// Opens the results-line file for appending, first closing one still open;
// answers VALUE_FILE, null when the open fails.
FILE* OpenValueFile(const char* path);
// Closes the results-line file when one is open.
void CloseValueFile();

// One group of the run's temporary files: a folder and the suffix that follows
// the run name in the group's pattern.
struct RunTempFileGroup {
  const char* (*folder)();
  const char* suffix;
};
inline constexpr int RUN_TEMP_FILE_GROUPS = 4;
extern const RunTempFileGroup RUN_TEMP_FILES[RUN_TEMP_FILE_GROUPS];

// Deletes the run's temporary files, group by group; answers the last group's
// DeleteFilesByPattern result, -1 when nothing was searched.
int DeleteRunTempFiles();
// Deletes every file of the folder whose name matches the pattern; answers -1
// when the search finds nothing or cannot start, else FindClose's result.
int DeleteFilesByPattern(const char* folder, const char* pattern);

// Folder followed by name, in buffer; answers buffer. The buffer must hold
// both and the terminator.
char* JoinPath(char* buffer, const char* folder, const char* name);
// The same into a buffer of size bytes: answers false, leaving the buffer
// empty, when the joined text and its terminator do not fit.
bool JoinPathWithin(char* buffer, std::size_t size, const char* folder, const char* name);
