// Makes the report samples' pictures from their drawing texts:
//   sample_pictures_tool FOLDER
// run under wine on the samples' folder (scripts/make-sample-pictures.sh);
// examples/report/README.md says what it makes.
#include <cstdio>
#include <string>
#include <vector>

#include "examples/report/picture_tool/sample_pictures.h"
#include "include/modal_ui.h"

namespace {

// What a routine would tell its user is written out, so nothing waits.
int SayMessage(HWND, const char* text, const char* caption, UINT) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  return IDOK;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sample_pictures_tool FOLDER\n");
    return 2;
  }
  SetModalUi({.message_box = SayMessage, .print_dialog = nullptr});
  std::string folder = argv[1];
  if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '\\';
  const std::vector<std::string> missing = sample_pictures::MakeSamplePictures(folder);
  for (const std::string& name : missing) std::fprintf(stderr, "%s: not made\n", name.c_str());
  if (!missing.empty()) return 1;
  for (const std::string& name : sample_pictures::MADE)
    std::printf("%s%s\n", folder.c_str(), name.c_str());
  return 0;
}
