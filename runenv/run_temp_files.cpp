// Deletion of the run's temporary files at the end of an execute or output call.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "include/holders.h"
#include "include/loader.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"

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

// A group's suffix ("*.TMP") is the wildcard and the group's extension: a
// file of the run belongs to the group when its name ends in the extension,
// in either case, with room for the run name before it.
bool BelongsToGroup(const char* name, std::size_t run_length, const char* suffix) {
  const char* extension = suffix + 1;
  const std::size_t name_length = std::strlen(name);
  const std::size_t extension_length = std::strlen(extension);
  return name_length >= run_length + extension_length &&
         _stricmp(name + name_length - extension_length, extension) == 0;
}

// One search of a folder for the run's files of every group that stands in
// it. Opening a folder for a search costs the platform far more than looking
// at a name, and three of the four groups share the temporary folder.
class FolderSearch {
 public:
  FolderSearch(const char* folder, const char* run_name) : folder_(folder), run_name_(run_name) {}

  // A group takes part only when its own search text would fit the buffer.
  void Add(int group) {
    char pattern[FOLDER_BUFFER_SIZE];
    char search[FOLDER_BUFFER_SIZE];
    groups_[group] =
        JoinPathWithin(pattern, sizeof pattern, run_name_, RUN_TEMP_FILES[group].suffix) &&
        JoinPathWithin(search, sizeof search, folder_, pattern);
  }

  // Deletes what belongs to the groups; answers -1 when the search finds
  // nothing or cannot start, else FindClose's result.
  int Run() {
    char pattern[FOLDER_BUFFER_SIZE];
    char search[FOLDER_BUFFER_SIZE];
    if (std::find(std::begin(groups_), std::end(groups_), true) == std::end(groups_) ||
        !JoinPathWithin(pattern, sizeof pattern, run_name_, "*") ||
        !JoinPathWithin(search, sizeof search, folder_, pattern))
      return kNothingFound;
    WIN32_FIND_DATAA entry;
    UniqueFindHandle find(FindFirstFileA(search, &entry));
    if (!find.valid()) return kNothingFound;
    const std::size_t run_length = std::strlen(run_name_);
    do {
      for (int g = 0; g < RUN_TEMP_FILE_GROUPS; ++g) {
        if (!groups_[g] || !BelongsToGroup(entry.cFileName, run_length, RUN_TEMP_FILES[g].suffix))
          continue;
        found_[g] = true;
        // A file that cannot be removed (read-only, open, a folder) stays.
        if (JoinPathWithin(search, sizeof search, folder_, entry.cFileName)) std::remove(search);
        break;
      }
    } while (FindNextFileA(find.get(), &entry));
    return find.close();
  }

  bool found(int group) const { return found_[group]; }

 private:
  const char* folder_;
  const char* run_name_;
  bool groups_[RUN_TEMP_FILE_GROUPS] = {};
  bool found_[RUN_TEMP_FILE_GROUPS] = {};
};

}  // namespace

int DeleteRunTempFiles() {
  // The loader lets go of the run's files first, so that they can be removed.
  LoaderReleaseFiles();
  const char* run_name = GetRunName();
  if (!IsPlainRunName(run_name)) return kNothingFound;
  // The groups of one folder are searched together, folder by folder in the
  // order the groups name them; the answer is what the last group's own
  // search would give: -1 when it found none of its files, else the closing
  // of its folder's search.
  constexpr int kLast = RUN_TEMP_FILE_GROUPS - 1;
  bool taken[RUN_TEMP_FILE_GROUPS] = {};
  int answer = kNothingFound;
  for (int g = 0; g < RUN_TEMP_FILE_GROUPS; ++g) {
    if (taken[g]) continue;
    const char* folder = RUN_TEMP_FILES[g].folder();
    FolderSearch search(folder, run_name);
    bool holds_last = false;
    for (int h = g; h < RUN_TEMP_FILE_GROUPS; ++h) {
      if (taken[h] || std::strcmp(RUN_TEMP_FILES[h].folder(), folder) != 0) continue;
      taken[h] = true;
      search.Add(h);
      holds_last = holds_last || h == kLast;
    }
    const int result = search.Run();
    if (holds_last) answer = search.found(kLast) ? result : kNothingFound;
  }
  return answer;
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
