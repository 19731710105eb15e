// What the input, execute and output entry points do inside their guard
// before the driver: the screen window, the loader's run name and program
// folder, and the run folders for the case path.
#pragma once

#include <cstddef>
#include <cstdint>

#include "entry/status_mapping.h"

inline constexpr std::size_t CASE_PATH_BUFFER_SIZE = 256;

// The host's case path as the run folders take it: the bytes before the
// first NUL within the host length (all of them when there is none), NUL
// terminated in the buffer, the rest of which is NUL too. Nothing past the
// host length is read. Answers false, leaving the buffer all NUL, when that
// path does not fit in 255 characters: a cut path would name another file.
bool CopyCasePath(const char* case_path, int64_t case_path_len,
                  char (&buffer)[CASE_PATH_BUFFER_SIZE]);

// Sets the screen window to none, begins the loader's input (input only),
// gets the run name, copies the case path and, when it fits, hands the
// program folder, the case path, the run digit "1", the run switch ("/AS"
// for input and output, none for execute) and the run name to SetRunFolders.
// Answers false when the case path was refused; the run folders are then
// left as they were.
bool SetUpRun(EntryKind entry, const char* case_path, int64_t case_path_len);
