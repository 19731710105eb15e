// Real folders and files for the run-environment tests, made in the test's own
// folder under the system temporary folder and removed afterwards. Paths go
// through the "\\?\" form, so folders and files past 255 characters can be
// made and removed as the tests need them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace run_env_test {

inline std::wstring Long(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  return L"\\\\?\\" + wide;
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(Long(path).c_str(), nullptr) != 0;
}

// Makes an empty file; read_only sets its read-only attribute.
inline bool MakeFile(const std::string& path, bool read_only = false) {
  const HANDLE h =
      CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                  read_only ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// The names of the files and folders in a folder, in the order found.
inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW(Long(folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring wname = entry.cFileName;
    if (wname != L"." && wname != L"..") names.emplace_back(wname.begin(), wname.end());
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return names;
}

// Removes a folder with everything in it, read-only files included.
inline void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW(Long(folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring wname = entry.cFileName;
      if (wname == L"." || wname == L"..") continue;
      const std::string path = folder + "\\" + std::string(wname.begin(), wname.end());
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Long(path).c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(Long(folder).c_str());
}

// The system temporary path as the process saw it at start, before any test
// points TMP elsewhere.
inline std::string SystemTemp() {
  static const std::string path = [] {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, n);
  }();
  return path;
}

// A folder of this test run, "<system temp><name><process id>", without a '.'
// so that no search text gets one from it. Removed with all it holds.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : path_(SystemTemp() + name + std::to_string(GetCurrentProcessId())) {
    RemoveTree(path_);
    MakeFolder(path_);
  }
  ~ScratchFolder() { RemoveTree(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The folder without its final "\".
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Points the system temporary path (the TMP variable) at a folder for the
// lifetime of the object, then restores the earlier value.
class TempPathOverride {
 public:
  explicit TempPathOverride(const std::string& path) {
    char buffer[32768];
    const DWORD n = GetEnvironmentVariableA("TMP", buffer, sizeof buffer);
    had_ = n > 0 && n < sizeof buffer;
    if (had_) old_.assign(buffer, n);
    SetEnvironmentVariableA("TMP", path.c_str());
  }
  ~TempPathOverride() { SetEnvironmentVariableA("TMP", had_ ? old_.c_str() : nullptr); }
  TempPathOverride(const TempPathOverride&) = delete;
  TempPathOverride& operator=(const TempPathOverride&) = delete;

 private:
  bool had_ = false;
  std::string old_;
};

}  // namespace run_env_test
