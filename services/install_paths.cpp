// The paths unit: installation folder, environment values, time tags and the
// unit's stored value.
#include "services/install_paths_face.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "services/bounded_text.h"

int32_t PATHS_VALUE = 0;

std::optional<std::string> InstallFolderInPath(std::string path) {
  // Only ASCII letters change: the folder names this looks for are ASCII.
  for (char& c : path)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const std::size_t at = path.find("XEQ\\");
  if (path.empty() || at == std::string::npos) return std::nullopt;
  path.resize(at);
  return path;
}

int32_t FindInstallFolder(HMODULE module, char* folder, std::size_t capacity) {
  if (module) {
    // Large enough for any path the platform gives; a cut path is taken as none.
    std::string path(32768, '\0');
    const DWORD n = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
    if (n > 0 && n < path.size()) {
      path.resize(n);
      if (const auto found = InstallFolderInPath(std::move(path)))
        return CopyBounded(folder, capacity, *found) ? 0 : -1;
    }
  }
  const char* value = std::getenv("KVEM");
  return value && CopyBounded(folder, capacity, value) ? 0 : -1;
}

int32_t GetEnvironmentValue(const char* name, int32_t /*unused*/, char* buffer, int32_t capacity) {
  if (!buffer || capacity <= 0) return 0;
  const std::size_t size = static_cast<std::size_t>(capacity);
  if (const char* value = name ? std::getenv(name) : nullptr) CopyBounded(buffer, size, value);
  return static_cast<int32_t>(strnlen(buffer, size));
}

void FormatTimeTag(int64_t seconds, char (&tag)[7]) {
  std::snprintf(tag, sizeof tag, "%6.6X", static_cast<unsigned>(seconds & 0xFFFFFF));
}

int32_t MakeUniqueTag(char* tag, std::size_t capacity) {
  if (!tag || capacity < 7) return 0;
  char formatted[7];
  FormatTimeTag(static_cast<int64_t>(std::time(nullptr)), formatted);
  std::memcpy(tag, formatted, sizeof formatted);
  return 1;
}

int32_t SetPathsValue(int32_t value) { return PATHS_VALUE = value; }

int32_t GetPathsValue() { return PATHS_VALUE; }
