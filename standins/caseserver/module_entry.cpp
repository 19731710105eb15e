// The case server's module entry: from the moment the module is detached, its
// objects are gone with it.
#include <windows.h>

#include "standins/caseserver/case_server_probe.h"
#include "standins/caseserver/dispatch_object.h"

namespace {

// Set once the module is detached, by FreeLibrary or by the end of the
// process; its static state is torn down right after.
bool MODULE_DETACHED = false;

}  // namespace

void EnsureModuleAttached() {
  // On the platform a caller that still holds an object of an unloaded
  // module calls into unmapped code and faults; at the end of a process the
  // module's state is already destroyed. Either way the call is the caller's
  // fault, and the stand-in makes it show instead of answering it.
  if (MODULE_DETACHED) TerminateProcess(GetCurrentProcess(), CASE_SERVER_CALLED_AFTER_DETACH);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) MODULE_DETACHED = true;
  return TRUE;
}
