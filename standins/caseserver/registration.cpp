// Registration of the server for the current user, so tests and the host's
// stand-in can register it in their own prefix without administrator rights.
#include <olectl.h>
#include <windows.h>

#include <string>

#include "include/case_server.h"
#include "include/holders.h"

namespace {

std::wstring ClassId() {
  wchar_t clsid[40];
  StringFromGUID2(CLSID_CaseServer, clsid, 40);
  return clsid;
}

// The class under the user's own classes, and the same key seen through the
// merged classes root. Windows resolves the second to the first once the user's
// key exists; platforms whose class lookup reads only the merged root (wine)
// find the class there.
std::wstring UserClassKey() { return L"Software\\Classes\\CLSID\\" + ClassId(); }
std::wstring MergedClassKey() { return L"CLSID\\" + ClassId(); }

HRESULT SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  const LSTATUS s =
      RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return HRESULT_FROM_WIN32(s);
}

std::wstring ModulePath() {
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ModulePath), &self);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

HRESULT RegisterUnder(HKEY root, const std::wstring& path, const std::wstring& module) {
  UniqueRegKey server;
  const LSTATUS s = RegCreateKeyExW(root, (path + L"\\InprocServer32").c_str(), 0, nullptr, 0,
                                    KEY_WRITE, nullptr, server.out(), nullptr);
  if (s != ERROR_SUCCESS) return HRESULT_FROM_WIN32(s);
  HRESULT hr = SetText(server.get(), nullptr, module);
  if (SUCCEEDED(hr)) hr = SetText(server.get(), L"ThreadingModel", L"Apartment");
  return hr;
}

bool Unregistered(HKEY root, const std::wstring& path) {
  const LSTATUS s = RegDeleteTreeW(root, path.c_str());
  return s == ERROR_SUCCESS || s == ERROR_FILE_NOT_FOUND;
}

}  // namespace

extern "C" HRESULT __stdcall DllRegisterServer() {
  const std::wstring module = ModulePath();
  if (module.empty()) return SELFREG_E_CLASS;
  if (FAILED(RegisterUnder(HKEY_CURRENT_USER, UserClassKey(), module))) return SELFREG_E_CLASS;
  if (FAILED(RegisterUnder(HKEY_CLASSES_ROOT, MergedClassKey(), module))) {
    Unregistered(HKEY_CURRENT_USER, UserClassKey());
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  const bool merged = Unregistered(HKEY_CLASSES_ROOT, MergedClassKey());
  const bool user = Unregistered(HKEY_CURRENT_USER, UserClassKey());
  return merged && user ? S_OK : SELFREG_E_CLASS;
}
