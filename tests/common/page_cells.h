// Report pages written readably in tests: 24 lines of 80 cells, each line
// given as its text (padded with blanks to 79 columns, or cut there) and, for
// template pages, its control character in column 80.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace page_test {

inline constexpr std::size_t kColumns = 80;
inline constexpr std::size_t kLines = 24;

struct Line {
  std::string_view text;
  char control = ' ';
};

// The 1920 cells of the lines given, blank lines after them.
inline std::string Cells(const std::vector<Line>& lines) {
  std::string cells(kColumns * kLines, ' ');
  for (std::size_t i = 0; i < lines.size() && i < kLines; ++i) {
    const std::string_view text = lines[i].text.substr(0, kColumns - 1);
    cells.replace(i * kColumns, text.size(), text);
    cells[i * kColumns + kColumns - 1] = lines[i].control;
  }
  return cells;
}

// One body line as the report file holds it: 80 characters, a tab, the
// control character, the marks and "\n".
inline std::string BodyLine(std::string_view text, char control, std::string_view marks = "") {
  std::string line(text.substr(0, kColumns - 1));
  line.resize(kColumns, ' ');
  return line + '\t' + control + std::string(marks) + '\n';
}

}  // namespace page_test
