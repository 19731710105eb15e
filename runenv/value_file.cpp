// The results-line file: opened for appending by whoever writes results lines,
// closed at the end of an execute call.
#include "runenv/run_services_face.h"

FILE* VALUE_FILE = nullptr;

namespace {

// A file still open when the library is unloaded is closed then, so its last
// lines reach the disk.
struct CloseAtUnload {
  ~CloseAtUnload() { CloseValueFile(); }
} close_at_unload;

}  // namespace

FILE* OpenValueFile(const char* path) {
  // An earlier file is closed rather than left open without an owner.
  CloseValueFile();
  VALUE_FILE = path ? std::fopen(path, "a") : nullptr;
  return VALUE_FILE;
}

void CloseValueFile() {
  if (!VALUE_FILE) return;
  std::fclose(VALUE_FILE);
  VALUE_FILE = nullptr;
}
