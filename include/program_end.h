// How the process ends when the user quits from the text-form screen. The
// end goes through one replaceable table, so an owner that must live on (a
// test run) can take the call instead.
#pragma once

#include <windows.h>

struct ProgramEnd {
  void (*end_process)(UINT exit_code);
};

// ExitProcess.
extern const ProgramEnd PLATFORM_PROGRAM_END;
// The table in use; the platform's at load.
extern ProgramEnd PROGRAM_END;

// Installs a table and answers the one it replaces. A null member stands for
// the platform's call.
ProgramEnd SetProgramEnd(const ProgramEnd& end);
