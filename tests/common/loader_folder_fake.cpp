// The library's objects call the loader through its import slots
// (__imp_<name>). Defining those slots here binds the calls to the fakes
// inside the test executable, so the import library's entries for them are
// never linked and the test needs no Pravel.dll for these two calls.
#include "tests/common/loader_folder_fake.h"

#include <algorithm>
#include <cstring>

#include "include/loader.h"

LoaderFolderFake LOADER_FOLDER_FAKE;

namespace {

int64_t FakeGetPrivateFolder(char* buffer, int64_t length) {
  const LoaderFolderFake& f = LOADER_FOLDER_FAKE;
  const std::size_t n = std::min(f.private_folder.size(), static_cast<std::size_t>(length));
  std::memcpy(buffer, f.private_folder.data(), n);
  if (n < static_cast<std::size_t>(length)) buffer[n] = '\0';
  return f.private_answer.value_or(static_cast<int64_t>(n));
}

int FakeReleaseFiles() {
  LoaderFolderFake& f = LOADER_FOLDER_FAKE;
  if (f.on_release) f.on_release();
  return ++f.release_calls;
}

}  // namespace

extern "C" {
decltype(&LoaderGetPrivateFolder) __imp_LoaderGetPrivateFolder = FakeGetPrivateFolder;
decltype(&LoaderReleaseFiles) __imp_LoaderReleaseFiles = FakeReleaseFiles;
}
