// The module entry routine: keeps the library's module handle.
#include "entry/module_handle.h"

HMODULE MODULE_HANDLE = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
    case DLL_THREAD_ATTACH:
      MODULE_HANDLE = module;
      break;
    case DLL_PROCESS_DETACH:
      MODULE_HANDLE = nullptr;
      break;
    case DLL_THREAD_DETACH:
      // The module stays loaded when one of the host's threads ends (COM's
      // worker threads come and go during a run); the entry points that run
      // afterwards must still name this module to the loader, not none.
      break;
    default:
      break;
  }
  return TRUE;
}
