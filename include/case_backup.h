// The case file and CASE_BACKUP, the copy of it that an execute call makes
// before the run and an output call either discards or copies back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The case file's path from the host's text: up to its NUL, without trailing
// blanks.
std::string CaseFilePath(const char* text, int64_t len);

// The backup's path: the case path up to and including the "." of its first
// ".QXN" (upper case, as the host writes it) followed by "BAK"; a path without
// ".QXN" gets ".BAK" appended whole, so the backup never names the case file
// itself. An empty case path has no backup (empty).
std::string CaseBackupPath(std::string_view case_path);

// Whether a file (not a folder) of that path exists.
bool CaseFileExists(const std::string& path);

// Copies the case file over its backup, replacing an older one. Answers
// whether the copy was made.
bool BackUpCaseFile(const std::string& case_path, const std::string& backup_path);

// Copies the backup back over the case file. Answers whether the case file
// now holds the backup.
bool RestoreCaseFile(const std::string& backup_path, const std::string& case_path);

// Deletes the backup; answers whether it is gone.
bool DeleteCaseBackup(const std::string& backup_path);
