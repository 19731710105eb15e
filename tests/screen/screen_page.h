// A page of 80-column rows for the screen and line tests: text and layout
// marks, blank at first, filled a few cells at a time. Platform-free, for the
// native builds too.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "line_characters.h"

// Cells in a heap block of exactly their number, so a read past either end is
// caught under the address sanitizer.
class ExactCells {
 public:
  explicit ExactCells(int32_t count, char fill = ' ')
      : count_(count), cells_(new char[static_cast<std::size_t>(count)]) {
    std::memset(cells_.get(), fill, static_cast<std::size_t>(count));
  }
  char* data() { return cells_.get(); }
  const char* data() const { return cells_.get(); }
  int32_t count() const { return count_; }
  char& operator[](int32_t cell) { return cells_[static_cast<std::size_t>(cell)]; }
  char operator[](int32_t cell) const { return cells_[static_cast<std::size_t>(cell)]; }
  void put(int32_t cell, std::string_view text) {
    std::memcpy(cells_.get() + cell, text.data(), text.size());
  }
  std::string at(int32_t cell, int32_t length) const {
    return std::string(cells_.get() + cell, static_cast<std::size_t>(length));
  }
  CellText view() const { return {cells_.get(), 0, count_}; }

 private:
  int32_t count_;
  std::unique_ptr<char[]> cells_;
};

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
