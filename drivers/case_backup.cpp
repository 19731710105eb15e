// The case file's backup on disk.
#include "drivers/case_backup.h"

#include <windows.h>

#include <utility>

#include "include/holders.h"
#include "services/file_replacement_face.h"

namespace {

// The backup that the execute call now running is making: the case file's
// copy, beside the backup, until it takes the backup's place or is removed.
struct BackupCopy {
  std::string copy_path;
  std::string backup_path;
};
BackupCopy BACKUP_COPY;

// The case file's bytes into the open target, block by block. Cheaper than
// the platform's file copy, which also carries the attributes and times over
// (nothing reads them from a backup) at the cost of further calls into the
// system on every execute. Answers whether every byte was written and the
// target closed.
bool CopyCaseBytes(HANDLE source, UniqueHandle target) {
  // A block larger than a case file usually is, so that most backups take
  // one read and one write; a read that comes back short has reached the
  // end of the file, so no further read is made to be told so.
  static char block[256 * 1024];
  bool whole = true;
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(source, block, sizeof block, &read, nullptr)) {
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
  if (!CloseHandle(target.release())) whole = false;
  return whole;
}

}  // namespace

bool CaseFileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool NothingAtPath(const std::string& path) {
  if (path.empty()) return true;
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool CopyCaseFileForBackup(const std::string& case_path, const std::string& backup_path) {
  DiscardBackupCopy();
  if (case_path.empty() || backup_path.empty() || backup_path == case_path) return false;
  UniqueHandle source(CreateFileA(case_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source.valid()) return false;
  std::string copy_path;
  UniqueHandle target = CreateFileBeside(backup_path, copy_path);
  if (!target.valid()) return false;
  // Known before the bytes go in, so that a call cut short meanwhile still
  // finds the copy to remove.
  BACKUP_COPY = {copy_path, backup_path};
  if (!CopyCaseBytes(source.get(), std::move(target))) {
    DiscardBackupCopy();
    return false;
  }
  return true;
}

bool PutBackupCopyInPlace() {
  if (BACKUP_COPY.copy_path.empty()) return false;
  const BackupCopy c = std::exchange(BACKUP_COPY, BackupCopy{});
  // The copy lies in the backup's folder, so the replace is a rename: the
  // backup is the older one or this one, never a part of either.
  if (MoveFileExA(c.copy_path.c_str(), c.backup_path.c_str(), MOVEFILE_REPLACE_EXISTING))
    return true;
  DeleteFileA(c.copy_path.c_str());
  return false;
}

void DiscardBackupCopy() {
  const BackupCopy c = std::exchange(BACKUP_COPY, BackupCopy{});
  if (!c.copy_path.empty()) DeleteFileA(c.copy_path.c_str());
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
