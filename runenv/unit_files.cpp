// The computational side's numbered input/output units: a table from unit
// number to the file open on it.
#include <cstdio>
#include <map>
#include <string>

#include "include/holders.h"
#include "runenv/run_control.h"

namespace {

struct OpenUnitFile {
  UniqueFile file;
  std::string path;
};

std::map<int64_t, OpenUnitFile>& UnitTable() {
  static std::map<int64_t, OpenUnitFile> units;
  return units;
}

// An existing file is taken for reading and writing, or for reading alone when
// it may not be written; a missing one is created.
FILE* OpenUnknown(const std::string& path) {
  if (FILE* f = std::fopen(path.c_str(), "r+b")) return f;
  if (FILE* f = std::fopen(path.c_str(), "rb")) return f;
  return std::fopen(path.c_str(), "w+b");
}

}  // namespace

bool OpenUnit(int64_t unit, const std::string& path) {
  CloseUnit(unit, false);
  FILE* f = OpenUnknown(path);
  if (!f) return false;
  OpenUnitFile& entry = UnitTable()[unit];
  entry.file.reset(f);
  entry.path = path;
  return true;
}

bool CloseUnit(int64_t unit, bool remove_file) {
  auto& units = UnitTable();
  const auto found = units.find(unit);
  if (found == units.end()) return true;
  const std::string path = found->second.path;
  units.erase(found);  // closes the file
  return !remove_file || std::remove(path.c_str()) == 0;
}

FILE* UnitFile(int64_t unit) {
  const auto& units = UnitTable();
  const auto found = units.find(unit);
  return found == units.end() ? nullptr : found->second.file.get();
}
