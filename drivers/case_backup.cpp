// The case file's backup on disk.
#include "case_backup.h"

#include <windows.h>

#include "holders.h"

namespace {

// The case file's bytes into a new backup, block by block. Cheaper than the
// platform's file copy, which also carries the attributes and times over
// (nothing reads them from a backup) at the cost of further calls into the
// system on every execute. A backup that could not be written whole is
// removed, so no later restore can put half a case back.
bool CopyCaseBytes(const std::string& from, const std::string& to) {
  UniqueHandle source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source.valid()) return false;
  UniqueHandle target(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target.valid()) return false;
  // A block larger than a case file usually is, so that most backups take
  // one read and one write; a read that comes back short has reached the
  // end of the file, so no further read is made to be told so.
  static char block[256 * 1024];
  bool whole = true;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(source.get(), block, sizeof block, &read, nullptr)) {
      whole = false;
      break;
    }
    if (read == 0) break;
    DWORD written = 0;
    if (!WriteFile(target.get(), block, read, &written, nullptr) || written != read) {
      whole = false;
      break;
    }
    if (read < sizeof block) break;
  }
  if (!CloseHandle(target.get())) whole = false;
  target.release();
  if (!whole) DeleteFileA(to.c_str());
  return whole;
}

}  // namespace

bool CaseFileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool BackUpCaseFile(const std::string& case_path, const std::string& backup_path) {
  if (case_path.empty() || backup_path.empty() || backup_path == case_path) return false;
  return CopyCaseBytes(case_path, backup_path);
}

bool RestoreCaseFile(const std::string& backup_path, const std::string& case_path) {
  if (case_path.empty() || backup_path.empty() || backup_path == case_path) return false;
  if (!CaseFileExists(backup_path)) return false;
  return CopyFileA(backup_path.c_str(), case_path.c_str(), FALSE) != 0;
}

bool DeleteCaseBackup(const std::string& backup_path) {
  if (backup_path.empty()) return false;
  return DeleteFileA(backup_path.c_str()) != 0;
}
