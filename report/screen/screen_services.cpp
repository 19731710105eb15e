// The screen's small services: the run's names, a beep, the end of the
// program, a text for the loader to show, and the screen word.
#include <cstring>

#include "include/loader.h"
#include "include/program_end.h"
#include "report/screen/screen_face.h"
#include "runenv/run_folders_face.h"

namespace {

// The loader shows at most 80 characters.
constexpr std::size_t kLoaderTextLimit = 80;

void CopyWithin(char* out, std::size_t size, const char* text) {
  const std::size_t n = strnlen(text, size - 1);
  std::memcpy(out, text, n);
  out[n] = '\0';
}

}  // namespace

void GetCaseAndRunNames(char* case_base_name, char* run_name) {
  if (case_base_name == nullptr || run_name == nullptr) return;
  CopyWithin(case_base_name, FOLDER_BUFFER_SIZE, GetCaseBaseName());
  CopyWithin(run_name, RUN_NAME_BUFFER_SIZE, GetRunName());
}

void SoundBeep() { MessageBeep(0); }

void QuitProgram() { PROGRAM_END.end_process(0); }

int PassTextToLoader(const char* text) {
  char shown[kLoaderTextLimit + 1];
  CopyWithin(shown, sizeof shown, text ? text : "");
  return LoaderPutText(shown);
}

int32_t GetScreenWord() { return SCREEN_WORD; }
