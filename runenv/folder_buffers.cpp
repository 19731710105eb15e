// The support library's copies of the run's folders and names, set at the
// start of every input, execute and output call.
#include <windows.h>

#include <cstring>
#include <string_view>

#include "runenv/run_folders_face.h"

FolderBuffers FOLDER_BUFFERS;

namespace {

// A caller's NUL-terminated text, read no further than max characters; null reads as empty.
std::string_view Bounded(const char* text, std::size_t max) {
  return text ? std::string_view(text, strnlen(text, max)) : std::string_view();
}

// Copies text into the buffer with its terminator, cut to fit.
template <std::size_t N>
void CopyText(char (&buffer)[N], std::string_view text) {
  const std::size_t n = text.size() < N ? text.size() : N - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

struct CasePathParts {
  std::string_view folder;
  std::string_view base_name;
};

// The case folder runs up to and including the last "\" (else the last ":");
// the base name is the rest, cut before its last ".". A "/" separates nothing.
CasePathParts SplitCasePath(std::string_view case_path) {
  std::size_t sep = case_path.rfind('\\');
  if (sep == std::string_view::npos) sep = case_path.rfind(':');
  CasePathParts parts;
  if (sep == std::string_view::npos) {
    parts.base_name = case_path;
  } else {
    parts.folder = case_path.substr(0, sep + 1);
    parts.base_name = case_path.substr(sep + 1);
  }
  if (const std::size_t dot = parts.base_name.rfind('.'); dot != std::string_view::npos)
    parts.base_name = parts.base_name.substr(0, dot);
  return parts;
}

bool IsFolder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The system temporary path, with "KVEMTEMP\" when that folder exists there.
// A path the system cannot give, or one too long to take "KVEMTEMP\" within
// the buffer, is treated as no path: the run then uses the case folder.
void ChooseTempFolder(char (&buffer)[FOLDER_BUFFER_SIZE], std::string_view case_folder) {
  const DWORD length = GetTempPathA(FOLDER_BUFFER_SIZE - 1, buffer);
  if (length == 0 || length > MAX_SYSTEM_TEMP_PATH) {
    CopyText(buffer, case_folder);
    return;
  }
  std::memcpy(buffer + length, "KVEMTEMP\\", sizeof "KVEMTEMP\\");
  if (!IsFolder(buffer)) buffer[length] = '\0';
}

int64_t LengthOf(const char* text) { return static_cast<int64_t>(std::strlen(text)); }

}  // namespace

void SetRunFolders(const char* program_folder, const char* case_path, const char* run_digit,
                   const char* run_switch, const char* run_name) {
  constexpr std::size_t kMaxPath = FOLDER_BUFFER_SIZE - 1;
  FolderBuffers& b = FOLDER_BUFFERS;
  CopyText(b.program_folder, Bounded(program_folder, kMaxPath));

  const CasePathParts parts = SplitCasePath(Bounded(case_path, kMaxPath));
  CopyText(b.case_folder, parts.folder);
  CopyText(b.case_base_name, parts.base_name);

  ChooseTempFolder(b.temp_folder, parts.folder);
  CopyText(b.run_name, Bounded(run_name, RUN_NAME_BUFFER_SIZE - 1));

  const std::string_view digit = Bounded(run_digit, kMaxPath);
  const std::string_view run_switch_text = Bounded(run_switch, kMaxPath);
  STORE_RUN_FOLDERS(b.program_folder, LengthOf(b.program_folder), b.temp_folder,
                    LengthOf(b.temp_folder), b.case_folder, LengthOf(b.case_folder), digit.data(),
                    static_cast<int64_t>(digit.size()), b.case_base_name,
                    LengthOf(b.case_base_name), run_switch_text.data(),
                    static_cast<int64_t>(run_switch_text.size()), b.run_name, LengthOf(b.run_name));
}

const char* GetProgramFolder() { return FOLDER_BUFFERS.program_folder; }
const char* GetTempFolder() { return FOLDER_BUFFERS.temp_folder; }
const char* GetCaseFolder() { return FOLDER_BUFFERS.case_folder; }
const char* GetCaseBaseName() { return FOLDER_BUFFERS.case_base_name; }
const char* GetRunName() { return FOLDER_BUFFERS.run_name; }
