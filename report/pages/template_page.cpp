// One page of a template read through its index, from the program's language
// folder or else the current folder.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "include/holders.h"
#include "report/pages/report_pages_face.h"
#include "report/screen/line_characters_face.h"
#include "runenv/run_folders_face.h"
#include "runenv/run_services_face.h"
#include "services/install_paths_face.h"

TemplateIndexCache TEMPLATE_INDEX_CACHE = {{' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}, {}, {}};

namespace {

// The index holds no more offsets than its table keeps.
constexpr std::size_t kIndexBytesKept = 4 * TEMPLATE_INDEX_MAX;

// Where a language file is looked for, in order: the program's "DAT\LAN\"
// (a path that does not fit is left out), then the current folder.
std::vector<std::string> LanguageFilePaths(const char* name) {
  std::vector<std::string> paths;
  char folder[FOLDER_BUFFER_SIZE];
  char path[FOLDER_BUFFER_SIZE];
  if (GetLanFolder(folder, sizeof folder) && JoinPathWithin(path, sizeof path, folder, name))
    paths.emplace_back(path);
  char full[MAX_PATH * 2];
  const DWORD n = GetFullPathNameA(name, sizeof full, full, nullptr);
  paths.emplace_back(n > 0 && n < sizeof full ? std::string(full, n) : std::string(name));
  return paths;
}

uint64_t Join(DWORD high, DWORD low) { return uint64_t{high} << 32 | low; }

// The index file a read would open now: the first of its places that holds
// a file, with its size and last write time.
std::optional<TemplateIndexFile> CurrentIndexFile(const char* index_name) {
  for (std::string& path : LanguageFilePaths(index_name)) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      continue;
    return TemplateIndexFile{
        std::move(path), Join(data.nFileSizeHigh, data.nFileSizeLow),
        Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
  }
  return std::nullopt;
}

UniqueFile OpenLanguageFile(const char* name) {
  for (const std::string& path : LanguageFilePaths(name))
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) return UniqueFile(file);
  return UniqueFile();
}

// Reads the index from the first of its places that opens; the file it came
// from is taken from the open file itself, so that it describes the bytes read.
int32_t ReadIndex(const char* template_name, const char* index_name) {
  for (const std::string& path : LanguageFilePaths(index_name)) {
    const UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) continue;
    BY_HANDLE_FILE_INFORMATION info;
    unsigned char bytes[kIndexBytesKept];
    DWORD got = 0;
    if (!GetFileInformationByHandle(file.get(), &info) ||
        !ReadFile(file.get(), bytes, sizeof bytes, &got, nullptr))
      return NO_INDEX_FILE;
    const auto index = ParseTemplateIndex(bytes, got);
    if (!index) return INDEX_TOO_SHORT;
    // Name, offsets and file are kept together, only once all are known.
    std::memcpy(TEMPLATE_INDEX_CACHE.name, template_name, sizeof TEMPLATE_INDEX_CACHE.name);
    TEMPLATE_INDEX_CACHE.index = *index;
    TEMPLATE_INDEX_CACHE.file = {
        path, Join(info.nFileSizeHigh, info.nFileSizeLow),
        Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)};
    return TEMPLATE_PAGE_READ;
  }
  return NO_INDEX_FILE;
}

// Whether the offsets in memory are those of the template's index as it now
// stands: another program folder, current folder or a replaced index is read
// again.
bool IndexInMemory(const char* template_name, const char* index_name) {
  if (std::memcmp(TEMPLATE_INDEX_CACHE.name, template_name, 8) != 0) return false;
  const auto current = CurrentIndexFile(index_name);
  return current && *current == TEMPLATE_INDEX_CACHE.file;
}

}  // namespace

int32_t ReadTemplatePage(const char* template_name, char* page_text, int32_t page,
                         std::size_t* length) {
  if (length) *length = 0;
  char index_name[13];
  if (!template_name || !page_text || !TemplateIndexName(template_name, index_name))
    return NO_INDEX_FILE;
  if (!IndexInMemory(template_name, index_name)) {
    const int32_t read = ReadIndex(template_name, index_name);
    if (read != TEMPLATE_PAGE_READ) return read;
  }
  const auto range = FindTemplatePageRange(TEMPLATE_INDEX_CACHE.index, page);
  if (!range) return PAGE_NOT_IN_INDEX;
  const UniqueFile file = OpenLanguageFile(template_name);
  if (!file) return NO_TEMPLATE_FILE;
  std::size_t got = 0;
  if (_fseeki64(file.get(), range->start, SEEK_SET) == 0)
    got = std::fread(page_text, 1, range->length, file.get());
  // A page that starts past the template's end is no page, however the index
  // names it.
  if (got == 0) return NO_PAGE_BYTES;
  if (REPORT_LANGUAGE_INDEX == CHINESE_LANGUAGE_INDEX && template_name[5] != 'C')
    ReplaceChineseBoxCharacters(page_text, got);
  if (length) *length = got;
  return TEMPLATE_PAGE_READ;
}
