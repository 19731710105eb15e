// The case file's backup on disk.
#include "case_backup.h"

#include <windows.h>

bool CaseFileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool BackUpCaseFile(const std::string& case_path, const std::string& backup_path) {
  if (case_path.empty() || backup_path.empty() || backup_path == case_path) return false;
  return CopyFileA(case_path.c_str(), backup_path.c_str(), FALSE) != 0;
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
