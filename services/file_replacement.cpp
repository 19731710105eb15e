// Files written beside their targets and put in their places only when whole.
#include "services/file_replacement_face.h"

namespace {

// Names tried beside a target: its own name followed by ".~1" to ".~99". The
// longest keeps a target of 255 characters within a path name's 259.
constexpr int kReplacementNameTries = 99;

}  // namespace

UniqueHandle CreateFileBeside(const std::string& target, std::string& path) {
  path.clear();
  if (target.empty()) return UniqueHandle();
  for (int n = 1; n <= kReplacementNameTries; ++n) {
    std::string name = target + ".~" + std::to_string(n);
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
