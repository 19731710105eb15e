// Deletion of the run's temporary files at the end of an execute or output call.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "holders.h"
#include "loader.h"
#include "run_folders.h"
#include "run_services.h"

// Both folders end in their separator (or are empty), so a pattern is simply appended.
const RunTempFileGroup RUN_TEMP_FILES[RUN_TEMP_FILE_GROUPS] = {
    {GetTempFolder, "*.TMP"},
    {GetTempFolder, "*.DQE"},
    {GetTempFolder, "*.DQB"},
    {GetCaseFolder, "*.XML"},
};

namespace {

constexpr int kNothingFound = -1;

// Only a plain name selects this run's files: an empty name would match every
// file of these kinds in both folders, and wildcards or separators would reach
// other runs' files or other folders.
bool IsPlainRunName(const char* run_name) {
  return run_name[0] != '\0' && std::strpbrk(run_name, "*?\\/:") == nullptr;
}

}  // namespace

int DeleteRunTempFiles() {
  // The loader lets go of the run's files first, so that they can be removed.
  LoaderReleaseFiles();
  const char* run_name = GetRunName();
  if (!IsPlainRunName(run_name)) return kNothingFound;
  int result = kNothingFound;
  for (const RunTempFileGroup& group : RUN_TEMP_FILES) {
    char pattern[FOLDER_BUFFER_SIZE];  // a run name of at most 15 characters always fits
    JoinPathWithin(pattern, sizeof pattern, run_name, group.suffix);
    result = DeleteFilesByPattern(group.folder(), pattern);
  }
  return result;
}

int DeleteFilesByPattern(const char* folder, const char* pattern) {
  if (!folder || !pattern) return kNothingFound;
  // Every text here fits a path buffer; a folder and pattern that do not are
  // not searched, and a found file whose path would not fit is left alone.
  char search[FOLDER_BUFFER_SIZE];
  if (!JoinPathWithin(search, sizeof search, folder, pattern)) return kNothingFound;
  // A search text without any '.' (the folder's counting too) looks for the
  // run's "TMP" files.
  if (!std::strchr(search, '.')) {
    static constexpr char kTmp[] = "*.TMP";
    const std::size_t length = std::strlen(search);
    if (length + sizeof kTmp > sizeof search) return kNothingFound;
    std::memcpy(search + length, kTmp, sizeof kTmp);
  }

  WIN32_FIND_DATAA entry;
  UniqueFindHandle find(FindFirstFileA(search, &entry));
  if (!find.valid()) return kNothingFound;
  do {
    // A file that cannot be removed (read-only, open, a folder) stays.
    if (JoinPathWithin(search, sizeof search, folder, entry.cFileName)) std::remove(search);
  } while (FindNextFileA(find.get(), &entry));
  return find.close();
}
