// The index of a page template: where each page of 2 header lines and 24
// body lines ends. Platform-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace template_index {

inline constexpr int kLinesPerPage = 26;
inline constexpr std::size_t kLineMax = 80;    // a "\r" before the "\n" not counted
inline constexpr std::size_t kPageMax = 2049;  // so that a page and one byte more fit the read

struct Index {
  std::vector<int32_t> offsets;  // O[0] = 0, O[k] = page k's last byte
  std::string error;             // empty when the template is sound
};

// The offsets of the template's pages: O[0] = 0 and, for each page k but the
// last, O[k] = the position of its last byte (its 26th "\n"). A template whose
// lines do not end in "\n", whose line count is no multiple of 26, with a line
// longer than 80 characters or a page longer than 2049 bytes gets an error.
Index TemplatePageEnds(std::string_view text);

// The offsets as the index file holds them: signed 32-bit little-endian.
std::string IndexBytes(const std::vector<int32_t>& offsets);

}  // namespace template_index
