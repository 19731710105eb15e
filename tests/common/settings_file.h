// The settings file of the test prefix's Windows folder is shared by every
// test that reads or writes the language: a test starts without it and the
// machine's own copy comes back afterwards. Tests that use it hold the ctest
// resource lock "settings_file".
#pragma once

#include <windows.h>

#include <string>

#include "tests/common/scratch_folder.h"

class SettingsFileGuard {
 public:
  SettingsFileGuard() {
    had_file_ = Exists(path_) && !(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    if (had_file_) saved_ = ReadBytes(path_);
    Remove();
  }
  ~SettingsFileGuard() {
    Remove();
    if (had_file_) WriteBytes(path_, saved_);
  }
  SettingsFileGuard(const SettingsFileGuard&) = delete;
  SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;

  const std::string& path() const { return path_; }
  void Remove() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kName);  // drop any cached copy
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(path_.c_str());
  }

  static constexpr const char* kName = "ZUVEDOZU.INI";

 private:
  static std::string WindowsFolderPath() {
    char windows[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\" + kName;
  }

  std::string path_ = WindowsFolderPath();
  bool had_file_ = false;
  std::string saved_;
};
