#include "standins/caseserver/case_file_io.h"

#include <windows.h>

#include "include/holders.h"

std::optional<std::string> ReadWholeFile(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7fffffff) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size()))
    return std::nullopt;
  return bytes;
}

bool ReplaceFileContents(const std::string& path, const std::string& text) {
  if (path.empty()) return false;
  const std::string partial = path + ".saving";
  {
    UniqueHandle file(CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size() && FlushFileBuffers(file.get());
    if (!ok) {
      file.reset();
      DeleteFileA(partial.c_str());
      return false;
    }
  }
  if (!MoveFileExA(partial.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(partial.c_str());
    return false;
  }
  return true;
}

std::string FullPath(const std::string& path) {
  if (path.empty()) return path;
  const DWORD n = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::string full(n, '\0');
  const DWORD got = GetFullPathNameA(path.c_str(), n, full.data(), nullptr);
  if (got == 0 || got >= n) return path;
  full.resize(got);
  return full;
}
