// One page of a template read through its index, from the program's language
// folder or else the current folder.
#include <cstdio>
#include <cstring>

#include "holders.h"
#include "install_paths.h"
#include "line_characters.h"
#include "report_pages.h"
#include "run_folders.h"
#include "run_services.h"

TemplateIndexCache TEMPLATE_INDEX_CACHE = {{' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}, {}};

namespace {

// The index holds no more offsets than its table keeps.
constexpr std::size_t kIndexBytesKept = 4 * TEMPLATE_INDEX_MAX;

// The file of the program's "DAT\LAN\", else the file of that name in the
// current folder; a language folder path that does not fit is not opened.
UniqueFile OpenLanguageFile(const char* name) {
  char folder[FOLDER_BUFFER_SIZE];
  char path[FOLDER_BUFFER_SIZE];
  if (GetLanFolder(folder, sizeof folder) && JoinPathWithin(path, sizeof path, folder, name))
    if (std::FILE* file = std::fopen(path, "rb")) return UniqueFile(file);
  return UniqueFile(std::fopen(name, "rb"));
}

int32_t ReadIndex(const char* template_name) {
  char index_name[13];
  if (!TemplateIndexName(template_name, index_name)) return NO_INDEX_FILE;
  const UniqueFile file = OpenLanguageFile(index_name);
  if (!file) return NO_INDEX_FILE;
  unsigned char bytes[kIndexBytesKept];
  const std::size_t got = std::fread(bytes, 1, sizeof bytes, file.get());
  const auto index = ParseTemplateIndex(bytes, got);
  if (!index) return INDEX_TOO_SHORT;
  // Name and offsets are kept together, only once both are known.
  std::memcpy(TEMPLATE_INDEX_CACHE.name, template_name, sizeof TEMPLATE_INDEX_CACHE.name);
  TEMPLATE_INDEX_CACHE.index = *index;
  return TEMPLATE_PAGE_READ;
}

}  // namespace

int32_t ReadTemplatePage(const char* template_name, char* page_text, int32_t page,
                         std::size_t* length) {
  if (length) *length = 0;
  if (!template_name || !page_text) return NO_INDEX_FILE;
  if (strnlen(template_name, 9) != 8 ||
      std::memcmp(TEMPLATE_INDEX_CACHE.name, template_name, 8) != 0) {
    const int32_t read = ReadIndex(template_name);
    if (read != TEMPLATE_PAGE_READ) return read;
  }
  const auto range = FindTemplatePageRange(TEMPLATE_INDEX_CACHE.index, page);
  if (!range) return PAGE_NOT_IN_INDEX;
  const UniqueFile file = OpenLanguageFile(template_name);
  if (!file) return NO_TEMPLATE_FILE;
  std::size_t got = 0;
  if (_fseeki64(file.get(), range->start, SEEK_SET) == 0)
    got = std::fread(page_text, 1, range->length, file.get());
  if (REPORT_LANGUAGE_INDEX == CHINESE_LANGUAGE_INDEX && template_name[5] != 'C')
    ReplaceChineseBoxCharacters(page_text, got);
  if (length) *length = got;
  return TEMPLATE_PAGE_READ;
}
