#include "standins/host/host_files.h"

#include <windows.h>

#include "include/holders.h"

namespace host {

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 4];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (n == 0 || n >= sizeof buffer) return {};
  std::string full(buffer, n);
  for (char& c : full)
    if (c == '/') c = '\\';
  return full;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return (last == '\\' || last == '/') ? folder + name : folder + "\\" + name;
}

std::string LastPart(const std::string& folder) {
  std::string f = folder;
  while (!f.empty() && (f.back() == '\\' || f.back() == '/')) f.pop_back();
  const std::size_t cut = f.find_last_of("\\/:");
  return cut == std::string::npos ? f : f.substr(cut + 1);
}

bool MakeFolders(const std::string& folder) {
  const std::string full = FullPath(folder);
  if (full.empty()) return false;
  for (std::size_t at = full.find('\\', 3);; at = full.find('\\', at + 1)) {
    const std::string part = full.substr(0, at);
    if (!part.empty() && GetFileAttributesA(part.c_str()) == INVALID_FILE_ATTRIBUTES)
      CreateDirectoryA(part.c_str(), nullptr);
    if (at == std::string::npos) break;
  }
  const DWORD attributes = GetFileAttributesA(full.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ScratchFolder(const std::string& block_folder) {
  char temp[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof temp, temp);
  const std::string base = (n > 0 && n < sizeof temp) ? std::string(temp, n) : std::string(".\\");
  return JoinPath(JoinPath(base, "zovkhost"), LastPart(block_folder));
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CopyFileOver(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::string ReadWholeFile(const std::string& path) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return {};
  std::string bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
    bytes.append(buffer, n);
  return bytes;
}

}  // namespace host
