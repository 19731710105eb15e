// Files written beside their targets and put in their places only when whole.
#include "services/file_replacement_face.h"

namespace {

constexpr int kReplacementNameTries = 99;
// The longest path a file may have: the path limit less its terminating NUL.
constexpr std::size_t kLongestPath = MAX_PATH - 1;

// The nth name tried beside the target: the target's own name followed by
// ".~n", which tells whose it is, while that path fits; else a short name
// "~n" in the target's folder, cut to its last characters where the target's
// own name is shorter still, so that the side file's path fits whenever the
// target's does ("1" to "9", then "0", beside a target of one character).
std::string NameBeside(const std::string& target, int n) {
  const std::string number = std::to_string(n);
  std::string name = target + ".~" + number;
  if (name.size() <= kLongestPath) return name;
  const std::size_t folder = target.find_last_of("\\/:") + 1;  // npos + 1: no folder
  const std::size_t room = kLongestPath - folder;
  std::string short_name = "~" + number;
  if (short_name.size() > room) short_name.erase(0, short_name.size() - room);
  return target.substr(0, folder) + short_name;
}

}  // namespace

UniqueHandle CreateFileBeside(const std::string& target, std::string& path) {
  path.clear();
  if (target.empty() || target.size() > kLongestPath) return UniqueHandle();
  for (int n = 1; n <= kReplacementNameTries; ++n) {
    std::string name = NameBeside(target, n);
    UniqueHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) {
      path = std::move(name);
      return file;
    }
    // Only a name that is taken is worth another try.
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return UniqueHandle();
}

ReplacementFile::ReplacementFile(const char* target) {
  if (!target || !*target) return;
  target_ = target;
  file_.reset(CreateFileBeside(target_, path_).release());
}

ReplacementFile::~ReplacementFile() {
  file_.reset();
  if (!path_.empty()) DeleteFileA(path_.c_str());
}

bool ReplacementFile::Replace() {
  if (!file_.valid()) return false;
  // A close that fails may have lost bytes the system still held.
  if (!CloseHandle(file_.release())) return false;
  if (!MoveFileExA(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  path_.clear();
  return true;
}
