// A folder of one drawing test under the system temporary folder, removed with
// all it holds afterwards, and the fixed-column lines of drawing texts.
// Platform-free, so the same tests run under wine and natively.
#pragma once

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

class DrawingScratch {
 public:
  DrawingScratch() {
    const auto base = std::filesystem::temp_directory_path();
    for (unsigned n = 0;; ++n) {
      folder_ = base / ("zovkdrawing" + std::to_string(n));
      std::error_code error;
      if (std::filesystem::create_directory(folder_, error)) break;
    }
  }
  ~DrawingScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  DrawingScratch(const DrawingScratch&) = delete;
  DrawingScratch& operator=(const DrawingScratch&) = delete;

  // The folder with its final separator.
  std::string folder() const { return (folder_ / "").string(); }
  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string p = path(name);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
    return p;
  }
  // The names of what the folder holds, in order: whatever a writer left
  // beside its target shows here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path folder_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A command line: the letter, then x and y as written, each in 8 columns with
// 4 implied decimals (1000000 stands for 100.0).
inline std::string CommandLine(char letter, long x = 0, long y = 0) {
  char line[64];
  std::snprintf(line, sizeof line, "%c%8ld%8ld 0\n", letter, x, y);
  return line;
}

// A drawing record's values in an aligned copy, so that test assertions can
// take them by reference.
struct RecordValues {
  char letter;
  float f1, f2, f3, f4, f5, f6;
};
template <class Record>
RecordValues ValuesOf(const Record& r) {
  return {r.letter, r.f1, r.f2, r.f3, r.f4, r.f5, r.f6};
}
