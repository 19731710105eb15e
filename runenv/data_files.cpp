// The data-file finder. Only the private ".PDA" files are looked for on disk;
// every other answer is a path whether the file exists or not, and opening it
// is the caller's business.
#include "runenv/data_files_face.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "include/loader.h"
#include "runenv/run_folders_face.h"

namespace {

std::string_view HostText(const char* text, int64_t len) {
  return text && len > 0 ? std::string_view(text, static_cast<std::size_t>(len))
                         : std::string_view();
}

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += name;
  return path;
}

bool IsPrivateDataFile(std::string_view base_name) {
  return std::any_of(std::begin(PRIVATE_DATA_FILES), std::end(PRIVATE_DATA_FILES),
                     [&](const char* listed) { return base_name == listed; });
}

bool IsLanguageExtension(std::string_view kind) {
  constexpr std::string_view kLanguages[] = {"LAN", "ENG", "GER", "FRE",
                                             "ITA", "SPA", "CHI", "JPN"};
  return std::find(std::begin(kLanguages), std::end(kLanguages), kind) != std::end(kLanguages);
}

// The folder is chosen by the extension's first three characters, compared
// exactly: "rpd" is a case file, not a repository definition.
std::string DataFilePath(std::string_view base, std::string_view extension,
                         int64_t location_option) {
  const std::string_view name_part = fixed::Trimmed(base);
  const std::string file_name = Join(name_part, Join(".", fixed::Trimmed(extension)));
  const std::string_view kind = extension.size() >= 3 ? extension.substr(0, 3) : "";
  const RunFolders& f = RUN_FOLDERS;
  if (kind == "TMP") return Join(f.TEMPDIR.trimmed(), file_name);
  if (kind == "PDA") {
    const std::string pda_name = Join(name_part, ".PDA");
    if (IsPrivateDataFile(name_part)) {
      std::string candidate = Join(f.PRIVDIR.trimmed(), pda_name);
      if (DataFileExists(candidate)) return candidate;
    }
    return location_option == 1 ? Join(f.PROGDIR.trimmed(), Join("DAT\\PDA\\", pda_name))
                                : Join(f.CASEDIR.trimmed(), pda_name);
  }
  if (kind == "RPD") return Join(f.PROGDIR.trimmed(), Join("XEQ\\", file_name));
  if (IsLanguageExtension(kind)) return Join(f.PROGDIR.trimmed(), Join("DAT\\LAN\\", file_name));
  return Join(f.CASEDIR.trimmed(), file_name);
}

// A folder text in a field of 256; one that does not fit is no folder.
FixedText<256> FolderField(const std::string& text) {
  return text.size() <= 256 ? FixedText<256>(text) : FixedText<256>();
}

}  // namespace

bool DataFileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void FIND_DATA_FILE(char* path, int64_t path_len, const char* base_name, int64_t base_name_len,
                    const char* extension, int64_t extension_len, const int64_t* location_option) {
  if (!path || path_len <= 0) return;
  const std::string found =
      DataFilePath(HostText(base_name, base_name_len), HostText(extension, extension_len),
                   location_option ? *location_option : 0);
  const bool fits = static_cast<int64_t>(found.size()) <= std::min(path_len, DATA_FILE_PATH_LENGTH);
  fixed::AssignPadded(path, static_cast<std::size_t>(path_len), fits ? found : std::string());
}

FixedText<256> COPY_PROGRAM_FOLDER() { return RUN_FOLDERS.PROGDIR; }

FixedText<256> GET_WORK_FOLDER() {
  char buffer[256];
  std::fill(std::begin(buffer), std::end(buffer), ' ');
  return WorkFolderFromAnswer(buffer, LoaderGetWorkFolder(buffer, sizeof buffer));
}

FixedText<256> WorkFolderFromAnswer(const char* buffer, int64_t length) {
  if (length <= 0) return RUN_FOLDERS.CASEDIR;
  return FixedText<256>(
      std::string_view(buffer, static_cast<std::size_t>(std::min<int64_t>(length, 256))));
}

FixedText<256> GET_CASE_BASE_PATH() {
  return FolderField(Join(RUN_FOLDERS.CASEDIR.trimmed(), RUN_FOLDERS.CASENAME.trimmed()));
}
