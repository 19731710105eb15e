// The case file's path and its backup's path: plain text work.
#include <cstring>

#include "drivers/case_backup.h"
#include "include/fixed_text.h"

namespace {
constexpr std::string_view kCaseExtension = ".QXN";
constexpr std::string_view kBackupExtension = "BAK";
}  // namespace

std::string CaseFilePath(const char* text, int64_t len) {
  if (len <= 0) return {};
  const auto n = static_cast<std::size_t>(len);
  const void* nul = std::memchr(text, '\0', n);
  const std::size_t end = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : n;
  return std::string(fixed::Trimmed(std::string_view(text, end)));
}

std::string CaseBackupPath(std::string_view case_path) {
  if (fixed::IsBlank(case_path)) return {};
  // Named from the case file's own name, in its own folder, so that no two
  // case files share one backup: a name ending in ".QXN" keeps its "." and
  // changes the extension's letters, any other name is followed by ".BAK".
  // Either way the backup differs from the case path in its name.
  if (!case_path.ends_with(kCaseExtension))
    return std::string(case_path) + "." + std::string(kBackupExtension);
  return std::string(case_path.substr(0, case_path.size() - kCaseExtension.size() + 1)) +
         std::string(kBackupExtension);
}
