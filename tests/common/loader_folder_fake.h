// A test-local loader for the run environment: the private data folder and the
// release of the run's files, answered from LOADER_FOLDER_FAKE instead of
// Pravel.dll.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct LoaderFolderFake {
  std::string private_folder;             // written into the caller's buffer, cut to its length
  std::optional<int64_t> private_answer;  // the length answered; none: what was written
  int release_calls = 0;                  // calls of LoaderReleaseFiles
  std::function<void()> on_release;       // what the loader lets go of, when set
};
extern LoaderFolderFake LOADER_FOLDER_FAKE;
