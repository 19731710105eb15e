// The library's own module handle, kept by the module entry routine and
// handed to the loader by the entry points.
#pragma once

#include <windows.h>

extern HMODULE MODULE_HANDLE;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);
