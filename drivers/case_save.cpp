// Saving and closing the connection's case.
#include "drivers/case_save.h"

#include <cstring>
#include <string>

#include "drivers/case_backup.h"
#include "include/holders.h"

namespace {

// Any status but CASE_SAVE_NOT_WRITTEN leaves a file that is the case as saved
// last: this save's, or, when the server held no case (closed after an
// earlier save), that one's.

// The host's text keeps its own convention: the path, its NUL, then blanks.
void PutPathBack(const std::string& path, char* text, int64_t len) {
  if (path.empty() || static_cast<int64_t>(path.size()) >= len) return;
  std::memcpy(text, path.data(), path.size());
  text[path.size()] = '\0';
  std::memset(text + path.size() + 1, ' ', static_cast<std::size_t>(len) - path.size() - 1);
}

}  // namespace

bool SaveAndCloseCase(CaseServer* server, char* case_path, int64_t case_path_len) {
  Bstr path(CaseFilePath(case_path, case_path_len));
  short save_flag = 1;
  long status = 0;
  const bool saved = SUCCEEDED(server->SaveCaseFile(path.inout(), &save_flag, &status)) &&
                     status != CASE_SAVE_NOT_WRITTEN;
  if (saved) {
    const std::string answered = path.ansi();
    PutPathBack(CaseFilePath(answered.data(), static_cast<int64_t>(answered.size())), case_path,
                case_path_len);
  }
  server->CloseCase();
  return saved && CaseFileExists(CaseFilePath(case_path, case_path_len));
}
