// The host's arguments of one block for input, execute and output calls:
// HOST_IDS as a run of blank-padded elements, HOST_OPTIONS, the case path as
// a text that carries its NUL, and the connection key.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace driver_test {

struct HostBlock {
  int64_t ids_len = 24;
  // HOST_IDS(1) to (20): result object, (3), the four streams, curve ids from
  // (8) on, unit input object.
  std::vector<std::string> ids = {"RESULT", "", "ID3", "HOTIN", "COLDIN", "HOTOUT", "COLDOUT",
                                  "",       "", "",    "",      "",       "",       "",
                                  "",       "", "",    "",      "",       "UNIT"};
  std::vector<int64_t> options = std::vector<int64_t>(12, 0);
  std::string key = "BLOCK1";
  int64_t case_path_len = 256;

  // Places the curve ids from HOST_IDS(8) on: the hot ones, then the cold ones.
  void SetCurves(const std::vector<std::string>& hot, const std::vector<std::string>& cold) {
    std::size_t k = 7;
    for (const std::string& id : hot) ids.at(k++) = id;
    for (const std::string& id : cold) ids.at(k++) = id;
  }

  std::string PackedIds() const {
    std::string packed;
    for (const std::string& id : ids) {
      std::string element = id.substr(0, static_cast<std::size_t>(ids_len));
      element.resize(static_cast<std::size_t>(ids_len), ' ');
      packed += element;
    }
    return packed;
  }

  // The path, its NUL, then blanks up to the host length.
  std::string CasePathText(const std::string& path) const {
    std::string text = path;
    text.push_back('\0');
    text.resize(static_cast<std::size_t>(case_path_len), ' ');
    return text;
  }
};

}  // namespace driver_test
