// A test that runs with the current folder and the program folder in a
// folder of its own that holds nothing, so that whatever the test finds it
// found by the path it was given; both come back when the test ends.
#pragma once

#include <windows.h>

#include <cstring>

#include "runenv/run_folders_face.h"
#include "tests/common/scratch_folder.h"

class EmptyFolders {
 public:
  EmptyFolders() {
    GetCurrentDirectoryA(sizeof previous_, previous_);
    changed_ = SetCurrentDirectoryA(folder_.path().c_str()) != FALSE;
    std::strcpy(FOLDER_BUFFERS.program_folder, folder_.path().c_str());
  }
  ~EmptyFolders() {
    SetCurrentDirectoryA(previous_);
    FOLDER_BUFFERS.program_folder[0] = '\0';
  }
  EmptyFolders(const EmptyFolders&) = delete;
  EmptyFolders& operator=(const EmptyFolders&) = delete;

  // The current folder is the empty one.
  bool changed() const { return changed_; }

 private:
  ScratchFolder folder_;
  char previous_[MAX_PATH] = {};
  bool changed_ = false;
};
