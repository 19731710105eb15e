// Page templates written by tests: the pages one after another and their
// index (O[0] = 0, O[k] = page k's last byte, for every page but the last).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/common/page_cells.h"
#include "tests/common/scratch_folder.h"

namespace template_test {

using page_test::PageText;

inline std::string IndexBytes(const std::vector<int32_t>& offsets) {
  std::string bytes;
  for (int32_t o : offsets)
    for (int shift = 0; shift < 32; shift += 8)
      bytes += static_cast<char>((static_cast<uint32_t>(o) >> shift) & 0xFF);
  return bytes;
}

// Writes folder + name (PPPP.LLL) and folder + PPPPINDX.LLL.
inline void WriteTemplate(const std::string& folder, const std::string& name,
                          const std::vector<std::string>& pages) {
  std::string text;
  std::vector<int32_t> offsets{0};
  for (const std::string& page : pages) {
    text += page;
    offsets.push_back(static_cast<int32_t>(text.size()) - 1);
  }
  offsets.pop_back();
  WriteBytes(folder + name, text);
  WriteBytes(folder + name.substr(0, 4) + "INDX" + name.substr(4), IndexBytes(offsets));
}

}  // namespace template_test
