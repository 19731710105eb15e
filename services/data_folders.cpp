// The program folder's language and data folders.
#include <string>

#include "runenv/run_folders_face.h"
#include "services/bounded_text.h"
#include "services/install_paths_face.h"

namespace {

// An empty text when the folder does not fit, so that a caller who ignores the
// answer looks for a bare file name rather than in a cut folder.
int32_t ProgramSubfolder(const char* subfolder, char* buffer, std::size_t capacity) {
  if (CopyBounded(buffer, capacity, std::string(GetProgramFolder()) + subfolder)) return 1;
  if (buffer && capacity > 0) buffer[0] = '\0';
  return 0;
}

}  // namespace

int32_t GetLanFolder(char* buffer, std::size_t capacity) {
  return ProgramSubfolder("DAT\\LAN\\", buffer, capacity);
}

int32_t GetPdaFolder(char* buffer, std::size_t capacity) {
  return ProgramSubfolder("DAT\\PDA\\", buffer, capacity);
}
