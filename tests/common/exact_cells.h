// Cells of an 80-column text for tests of routines that must read nothing
// outside the text they are given. Platform-free, for the native builds too.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "report/screen/line_characters_face.h"

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
