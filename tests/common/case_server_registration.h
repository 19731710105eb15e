// Registers the case server stand-in (casesrv.dll) for the current user of the
// test's wine prefix, once per test process, by its own DllRegisterServer.
//
// Link the test with `casesrv` (for the probe, standins/caseserver/case_server_probe.h):
// the server that CoCreateInstance loads is then the very module the probe
// talks to.
#pragma once

#include <windows.h>

inline HRESULT RegisterCaseServer() {
  static const HRESULT result = [] {
    HMODULE module = GetModuleHandleA("casesrv.dll");
    if (!module) module = LoadLibraryA("casesrv.dll");
    if (!module) return HRESULT_FROM_WIN32(GetLastError());
    using Register = HRESULT(__stdcall*)();
    auto registration = reinterpret_cast<Register>(GetProcAddress(module, "DllRegisterServer"));
    return registration ? registration() : HRESULT_FROM_WIN32(GetLastError());
  }();
  return result;
}
