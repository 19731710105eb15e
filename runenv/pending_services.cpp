// TEMPORARY: stand-in definitions of the run folders, the results-line file and
// the loader's work-folder call, until their own code is merged. Delete this
// file at merge; nothing here is the real behaviour.
#include <cstdint>
#include <cstdio>

#include "run_folders.h"
#include "run_services.h"

FolderBuffers FOLDER_BUFFERS{};
RunFolders RUN_FOLDERS;

const char* GetProgramFolder() { return FOLDER_BUFFERS.program_folder; }

FILE* VALUE_FILE = nullptr;

FILE* OpenValueFile(const char* path) {
  VALUE_FILE = std::fopen(path, "a");
  return VALUE_FILE;
}

void CloseValueFile() {
  if (VALUE_FILE) std::fclose(VALUE_FILE);
  VALUE_FILE = nullptr;
}

// Fills the import slot directly, so that no loader DLL is needed yet; the
// placeholder reports no work folder.
namespace {
int64_t PendingGetWorkFolder(char*, int64_t) { return 0; }
}  // namespace
extern "C" int64_t (*__imp_LoaderGetWorkFolder)(char*, int64_t) = PendingGetWorkFolder;
