// The loader's folders and run name, from the environment, the probe's
// overrides and the defaults (README.md).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "include/loader.h"
#include "standins/pravel/pravel_state.h"

namespace {

constexpr int64_t kFolderLimit = 255;  // a folder and its NUL in 256 bytes
constexpr int64_t kRunNameLimit = 15;  // a run name and its NUL in 16 bytes
constexpr char kDefaultRunName[] = "ZOVK1";

// A configured value; an empty or missing variable counts as not configured.
std::optional<std::string> Environment(const char* name) {
  char value[1024];
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  if (n == 0 || n >= sizeof value) return std::nullopt;
  return std::string(value, n);
}

// A configured folder ends in its separator, so file names can be appended.
std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

// The folder of the host's executable, ending in "\".
std::string ExecutableFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return ".\\";
  std::string folder(path, n);
  const auto cut = folder.find_last_of("\\/");
  return cut == std::string::npos ? std::string(".\\") : folder.substr(0, cut + 1);
}

std::string ProgramFolder() {
  if (PRAVEL_OVERRIDES.program_folder) return *PRAVEL_OVERRIDES.program_folder;
  if (auto folder = Environment("PRAVEL_PROGRAM_FOLDER")) return WithSeparator(*folder);
  return ExecutableFolder();
}

std::string RunName() {
  if (PRAVEL_OVERRIDES.run_name) return *PRAVEL_OVERRIDES.run_name;
  return Environment("PRAVEL_RUN_NAME").value_or(kDefaultRunName);
}

std::string PrivateFolder() {
  if (PRAVEL_OVERRIDES.private_folder) return *PRAVEL_OVERRIDES.private_folder;
  if (auto folder = Environment("PRAVEL_PRIVATE_FOLDER")) return WithSeparator(*folder);
  return ProgramFolder();
}

std::string WorkFolder() {
  if (PRAVEL_OVERRIDES.work_folder) return *PRAVEL_OVERRIDES.work_folder;
  if (auto folder = Environment("PRAVEL_WORK_FOLDER")) return WithSeparator(*folder);
  return {};
}

// A probe override: the text as given, or none for a null text.
std::optional<std::string> Override(const char* text) {
  return text ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

PRAVEL_API const char* LoaderGetProgramFolder(HMODULE /*module*/) {
  NotifyObserver("LoaderGetProgramFolder");
  // The caller copies the text before it asks again.
  static char folder[kFolderLimit + 1];
  folder[CopyBounded(ProgramFolder(), folder, kFolderLimit)] = '\0';
  return folder;
}

PRAVEL_API void LoaderGetRunName(char* buffer16) {
  NotifyObserver("LoaderGetRunName");
  if (!buffer16) return;
  buffer16[CopyBounded(RunName(), buffer16, kRunNameLimit)] = '\0';
}

PRAVEL_API int64_t LoaderGetPrivateFolder(char* buffer, int64_t length) {
  NotifyObserver("LoaderGetPrivateFolder");
  const int64_t written = buffer ? CopyBounded(PrivateFolder(), buffer, length) : 0;
  return PRAVEL_OVERRIDES.private_folder_answer >= 0 ? PRAVEL_OVERRIDES.private_folder_answer
                                                     : written;
}

PRAVEL_API int64_t LoaderGetWorkFolder(char* buffer, int64_t length) {
  NotifyObserver("LoaderGetWorkFolder");
  return buffer ? CopyBounded(WorkFolder(), buffer, length) : 0;
}

PRAVEL_PROBE_API void PravelProbeSetProgramFolder(const char* folder) {
  PRAVEL_OVERRIDES.program_folder = Override(folder);
}

PRAVEL_PROBE_API void PravelProbeSetRunName(const char* run_name) {
  PRAVEL_OVERRIDES.run_name = Override(run_name);
}

PRAVEL_PROBE_API void PravelProbeSetPrivateFolder(const char* folder, int64_t answer) {
  PRAVEL_OVERRIDES.private_folder = Override(folder);
  PRAVEL_OVERRIDES.private_folder_answer = answer;
}

PRAVEL_PROBE_API void PravelProbeSetWorkFolder(const char* folder) {
  PRAVEL_OVERRIDES.work_folder = Override(folder);
}
