// The case file and CASE_BACKUP, the copy of it that an execute call makes
// before the run and an output call either discards or copies back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The case file's path from the host's text: up to its NUL, without trailing
// blanks.
std::string CaseFilePath(const char* text, int64_t len);

// The backup's path, in the case file's folder and named from its name: a
// case path ending in ".QXN" (upper case, as the host writes it) with "BAK"
// in place of "QXN", any other case path with ".BAK" after it, so the backup
// never names the case file itself and no two case files share one. An empty
// case path has no backup (empty).
std::string CaseBackupPath(std::string_view case_path);

// Whether a file (not a folder) of that path exists.
bool CaseFileExists(const std::string& path);

// Whether nothing at all lies at that path: neither a file, nor a folder, nor
// anything the system cannot look at. An empty path names nothing.
bool NothingAtPath(const std::string& path);

// An execute call makes its backup in two steps, so that a call that ends
// before the program has run on its case leaves the backup as it was: the
// case file is copied beside the backup first, under a name that no file of
// that folder has, and the copy takes the backup's place once the program
// has run. One copy is pending at a time.

// Copies the case file into a new file in the backup's folder, the pending
// copy (a copy still pending from a call cut short is removed first). Answers
// whether a whole copy is pending; otherwise nothing is left on disk and the
// backup is untouched.
bool CopyCaseFileForBackup(const std::string& case_path, const std::string& backup_path);

// Puts the pending copy in the backup's place, replacing an older backup.
// Answers whether the backup now holds it; otherwise the copy is removed and
// the older backup stays. No copy pending answers false.
bool PutBackupCopyInPlace();

// Removes the pending copy, if any: the backup stays as it was.
void DiscardBackupCopy();

// Copies the backup back over the case file. Answers whether the case file
// now holds the backup.
bool RestoreCaseFile(const std::string& backup_path, const std::string& case_path);

// Deletes the backup; answers whether it is gone.
bool DeleteCaseBackup(const std::string& backup_path);
