// Whole files as texts, for tests that look at what a call left on disk.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace driver_test {

// The file's bytes; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Replaces the file with the text; answers whether it was written.
inline bool WriteWholeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace driver_test
