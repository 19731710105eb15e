#include "standins/host/vodi_library.h"

namespace host {

namespace {

std::string SystemError(const std::string& what) {
  return what + " (system error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

VodiLibrary::VodiLibrary(const char* path) {
  module_ = LoadLibraryA(path);
  if (!module_) {
    error_ = SystemError(std::string("cannot load ") + path);
    return;
  }
  auto find = [&](auto*& slot, const char* name) {
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
        reinterpret_cast<void*>(GetProcAddress(module_, name)));
    if (!slot && error_.empty()) error_ = SystemError(std::string("no entry point ") + name);
  };
  find(input, "ZOVK_VODI_INPUT");
  find(hcurve, "ZOVK_VODI_HCURVE");
  find(execute, "ZOVK_VODI_EXECUTE");
  find(output, "ZOVK_VODI_OUTPUT");
  find(multi_case, "ZOVK_SETMULTICASEINFO");
  find(exit, "ZOVK_VODI_EXIT");
}

VodiLibrary::~VodiLibrary() {
  if (module_) FreeLibrary(module_);
}

HRESULT RegisterCaseServerDll(const char* path) {
  const HMODULE module = LoadLibraryA(path);
  if (!module) return HRESULT_FROM_WIN32(GetLastError());
  using Register = HRESULT(STDAPICALLTYPE*)();
  const auto registration = reinterpret_cast<Register>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
  const HRESULT result = registration ? registration() : HRESULT_FROM_WIN32(GetLastError());
  FreeLibrary(module);
  return result;
}

}  // namespace host
