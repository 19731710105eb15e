// Folders deep enough that a file in them has the longest path a file may
// have, made with the long-path form so that they can be made and removed at
// any depth.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/common/run_env_scratch.h"

namespace longest_path {

// The longest path a file may have: the path limit less its terminating NUL.
inline constexpr std::size_t kLongestPath = MAX_PATH - 1;

// A folder under base (made when missing) whose path, with its final "\",
// is exactly length characters long, made of folders of at most 200
// characters each; empty when it cannot be made.
inline std::string FolderOfLength(const std::string& base, std::size_t length) {
  run_env_test::MakeFolder(base);
  std::string folder = base;
  while (folder.size() + 1 < length) {
    const std::size_t room = length - folder.size() - 2;  // a "\" before, one after
    folder += "\\" + std::string(std::min<std::size_t>(room, 200), 'F');
    if (!run_env_test::MakeFolder(folder)) return {};
  }
  if (folder.size() + 1 != length) return {};
  return folder + "\\";
}

// A file of that name at the longest path, in a folder made under base.
inline std::string LongestPathFor(const std::string& base, const std::string& name) {
  const std::string folder = FolderOfLength(base, kLongestPath - name.size());
  return folder.empty() ? std::string() : folder + name;
}

}  // namespace longest_path
