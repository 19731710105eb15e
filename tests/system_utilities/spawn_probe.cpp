// Writes each of its arguments on a line of the file named by ZOVK_SPAWN_OUT
// and exits with the number of arguments. The file appears whole, under its
// name only once written, for a test that does not wait for the program.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (const char* out = std::getenv("ZOVK_SPAWN_OUT")) {
    const std::string part = std::string(out) + ".part";
    if (FILE* f = std::fopen(part.c_str(), "w")) {
      for (int i = 1; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
      std::fclose(f);
      std::rename(part.c_str(), out);
    }
  }
  return argc - 1;
}
