// The loader operations that only take note of the library's calls.
#include <windows.h>

#include <cstdint>
#include <string>

#include "include/loader.h"
#include "standins/pravel/pravel_state.h"

namespace {
constexpr int64_t kPutTextLimit = 80;  // the loader shows at most 80 characters
}

PRAVEL_API int LoaderEnterModule(HMODULE module) {
  NotifyObserver("LoaderEnterModule");
  ++PRAVEL_RECORD.enter_module_count;
  PRAVEL_RECORD.last_module = module;
  return 1;
}

PRAVEL_API int LoaderBeginInput(int32_t first, int32_t second) {
  NotifyObserver("LoaderBeginInput");
  ++PRAVEL_RECORD.begin_input_count;
  PRAVEL_RECORD.begin_input_first = first;
  PRAVEL_RECORD.begin_input_second = second;
  return 1;
}

PRAVEL_API int LoaderReleaseFiles() {
  NotifyObserver("LoaderReleaseFiles");
  ++PRAVEL_RECORD.release_files_count;
  return 1;
}

PRAVEL_API int LoaderPutText(const char* text) {
  NotifyObserver("LoaderPutText");
  if (!text) return 0;
  // The text need not be terminated within its 80 characters.
  int64_t n = 0;
  while (n < kPutTextLimit && text[n] != '\0') ++n;
  PRAVEL_RECORD.put_texts.emplace_back(text, static_cast<std::size_t>(n));
  return 1;
}

PRAVEL_API void LoaderSetCasePath(const char* path, int64_t path_len, const int64_t* length_copy) {
  NotifyObserver("LoaderSetCasePath");
  ++PRAVEL_RECORD.set_case_path_count;
  // Exactly the host's bytes: nothing before the host length is taken for a
  // terminator, nothing after it is read.
  const int64_t n = path && path_len > 0 ? path_len : 0;
  PRAVEL_RECORD.last_case_path.assign(path ? path : "", static_cast<std::size_t>(n));
  PRAVEL_RECORD.last_case_path_host_length = path_len;
  PRAVEL_RECORD.last_case_path_length = length_copy ? *length_copy : -1;
}
