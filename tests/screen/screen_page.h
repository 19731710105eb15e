// Pages of 80-column rows for the screen and line tests: cells in blocks of
// their exact size (exact_cells.h), and the screen's own buffers emptied for
// a test and filled a few cells at a time. Platform-free, for the native
// builds too.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "report/screen/line_characters_face.h"
#include "report/screen/screen_cells_face.h"
#include "tests/common/exact_cells.h"

inline constexpr int32_t Cell(int32_t row, int32_t column) { return row * ROW_CELLS + column; }

// Sets the report language index for one test and puts the old one back.
class LanguageIndexScope {
 public:
  explicit LanguageIndexScope(int32_t index) : saved_(REPORT_LANGUAGE_INDEX) {
    REPORT_LANGUAGE_INDEX = index;
  }
  ~LanguageIndexScope() { REPORT_LANGUAGE_INDEX = saved_; }
  LanguageIndexScope(const LanguageIndexScope&) = delete;
  LanguageIndexScope& operator=(const LanguageIndexScope&) = delete;

 private:
  int32_t saved_;
};

// Empties the screen's buffers for one test, before and after: blank text,
// attribute 0, no marks, no merged values.
class ScreenBuffersScope {
 public:
  ScreenBuffersScope() { Clear(); }
  ~ScreenBuffersScope() { Clear(); }
  ScreenBuffersScope(const ScreenBuffersScope&) = delete;
  ScreenBuffersScope& operator=(const ScreenBuffersScope&) = delete;

  // Merges one value at a cell: its text into FIELD_DATA, the cell's
  // FIELD_INDEX, the mark, and the value's characters into the screen text
  // where the merge places them for that mark.
  void Merge(int32_t cell, char mark, std::string_view value) {
    FIELD_INDEX[cell] = static_cast<int32_t>(data_.size());
    data_.append(value);
    data_ += FIELD_SEPARATOR;
    const std::string ended = data_ + FIELD_DATA_END;
    std::memcpy(FIELD_DATA, ended.data(), ended.size());
    FIELD_DATA[ended.size()] = '\0';
    LAYOUT_MARKS[cell] = mark;
    const int32_t length = static_cast<int32_t>(value.size());
    const int32_t at = mark == '{' ? cell : mark == '}' ? cell - length + 1 : cell - length / 2;
    std::memcpy(SCREEN_TEXT + at, value.data(), value.size());
  }

 private:
  void Clear() {
    std::memset(SCREEN_TEXT, ' ', sizeof SCREEN_TEXT);
    std::memset(SCREEN_ATTRIBUTES, 0, sizeof SCREEN_ATTRIBUTES);
    ForgetPageValues();
    data_.clear();
  }
  std::string data_;
};
