// A file written beside the one it replaces and put in its place only once
// it is whole, so that a write that falls short leaves the old file as it was.
#pragma once

#include <windows.h>

#include <string>

#include "include/holders.h"

// Creates a new file for writing in the target's folder, under the target's
// own name followed by ".~1" to ".~99", the first that no file has; where
// such a name would pass the path limit, under a short name ("~1" to "~99",
// as long as the target's own name at most when that is shorter), so that
// the side file's path fits whenever the target's does. An existing file is
// never taken over. path gets its name; an invalid handle when no name was
// free, the folder takes no file or the target's own path does not fit.
UniqueHandle CreateFileBeside(const std::string& target, std::string& path);

class ReplacementFile {
 public:
  // Creates a new file in the target's folder, so that the replacement stays
  // on one volume, under a name no file has: an existing file is never taken
  // over. valid() says whether it could be made.
  explicit ReplacementFile(const char* target);
  // A file that never took the target's place is removed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  bool valid() const { return file_.valid(); }
  // The file to write to.
  HANDLE get() const { return file_.get(); }
  // Closes the written file and puts it in the target's place; false, with
  // the target as it was and the written file removed, when it cannot.
  bool Replace();

 private:
  std::string target_;
  std::string path_;
  UniqueHandle file_;
};
