// The one place where the screen ends the process.
#include "include/program_end.h"

namespace {

void PlatformEndProcess(UINT exit_code) { ExitProcess(exit_code); }

}  // namespace

const ProgramEnd PLATFORM_PROGRAM_END = {PlatformEndProcess};
ProgramEnd PROGRAM_END = PLATFORM_PROGRAM_END;

ProgramEnd SetProgramEnd(const ProgramEnd& end) {
  const ProgramEnd previous = PROGRAM_END;
  PROGRAM_END.end_process = end.end_process ? end.end_process : PLATFORM_PROGRAM_END.end_process;
  return previous;
}
