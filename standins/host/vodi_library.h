// zovkvodi.dll as the host takes it: loaded with LoadLibraryA, its six entry
// points found by name with GetProcAddress.
#pragma once

#include <windows.h>

#include <string>

#include "include/entry_points.h"

namespace host {

class VodiLibrary {
 public:
  using Input = decltype(ZOVK_VODI_INPUT);
  using Hcurve = decltype(ZOVK_VODI_HCURVE);
  using Execute = decltype(ZOVK_VODI_EXECUTE);
  using Output = decltype(ZOVK_VODI_OUTPUT);
  using MultiCase = decltype(ZOVK_SETMULTICASEINFO);
  using Exit = decltype(ZOVK_VODI_EXIT);

  // Loads the library; loaded() tells whether it and all six entry points were found.
  explicit VodiLibrary(const char* path = "zovkvodi.dll");
  ~VodiLibrary();
  VodiLibrary(const VodiLibrary&) = delete;
  VodiLibrary& operator=(const VodiLibrary&) = delete;

  bool loaded() const { return error_.empty(); }
  // What was not found, with the system's error code.
  const std::string& error() const { return error_; }
  HMODULE module() const { return module_; }

  Input* input = nullptr;
  Hcurve* hcurve = nullptr;
  Execute* execute = nullptr;
  Output* output = nullptr;
  MultiCase* multi_case = nullptr;
  Exit* exit = nullptr;

 private:
  HMODULE module_ = nullptr;
  std::string error_;
};

// Registers the case server for the current user: DllRegisterServer of its
// DLL. Answers the registration's HRESULT, or the load's failure as one.
HRESULT RegisterCaseServerDll(const char* path = "casesrv.dll");

}  // namespace host
