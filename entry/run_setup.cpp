// The run set-up of the input, execute and output entry points.
#include "entry/run_setup.h"

#include <cstring>

#include "entry/module_handle.h"
#include "include/loader.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"

bool CopyCasePath(const char* case_path, int64_t case_path_len,
                  char (&buffer)[CASE_PATH_BUFFER_SIZE]) {
  std::memset(buffer, 0, sizeof buffer);
  if (case_path == nullptr || case_path_len <= 0) return true;
  const auto host_length = static_cast<std::size_t>(case_path_len);
  const void* nul = std::memchr(case_path, '\0', host_length);
  const std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - case_path) : host_length;
  if (length >= CASE_PATH_BUFFER_SIZE) return false;
  std::memcpy(buffer, case_path, length);
  return true;
}

bool SetUpRun(EntryKind entry, const char* case_path, int64_t case_path_len) {
  SetScreenWindow(nullptr);
  if (entry == EntryKind::kInput) LoaderBeginInput(1, 0);
  char run_name[16] = {};
  LoaderGetRunName(run_name);
  run_name[sizeof run_name - 1] = '\0';  // whatever the loader wrote, a text it stays
  char path[CASE_PATH_BUFFER_SIZE];
  if (!CopyCasePath(case_path, case_path_len, path)) return false;
  const char* program_folder = LoaderGetProgramFolder(MODULE_HANDLE);
  const char* run_switch = entry == EntryKind::kExecute ? "" : "/AS";
  SetRunFolders(program_folder, path, "1", run_switch, run_name);
  return true;
}
