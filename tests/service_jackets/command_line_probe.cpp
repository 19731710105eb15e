// Writes the command line it was started with, exactly as the system hands it
// over, into the file named by ZOVK_COMMAND_OUT. The file appears whole, under
// its name only once written, for a test that does not wait for the program.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
  if (const char* out = std::getenv("ZOVK_COMMAND_OUT")) {
    const std::string part = std::string(out) + ".part";
    if (FILE* f = std::fopen(part.c_str(), "wb")) {
      std::fputs(GetCommandLineA(), f);
      std::fclose(f);
      std::rename(part.c_str(), out);
    }
  }
  return 0;
}
