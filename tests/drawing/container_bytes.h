// Containers put together in memory for the container tests and the fuzz
// target, and a byte source that reports any read outside its bytes.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "report/drawing/drawing_container_face.h"

inline std::string HeaderBytes(const DRAWING_HEADER& h) {
  return std::string(reinterpret_cast<const char*>(&h), sizeof h);
}

// One drawing: its header, records and text bytes.
inline std::string DrawingBytesOf(const std::vector<DRAWING_RECORD>& records,
                                  const std::string& texts, const char* title = "",
                                  float width = 1.0f, float height = 1.0f) {
  std::string out =
      HeaderBytes(MakeDrawingHeader(title, static_cast<int32_t>(records.size()),
                                    static_cast<int32_t>(texts.size()), width, height));
  out.append(reinterpret_cast<const char*>(records.data()),
             records.size() * sizeof(DRAWING_RECORD));
  return out + texts;
}

inline DRAWING_RECORD Record(char letter, float f1 = 0.0f, float f2 = 0.0f) {
  DRAWING_RECORD r;
  std::memset(&r, 0, sizeof r);
  r.letter = letter;
  r.f1 = f1;
  r.f2 = f2;
  return r;
}

// Memory bytes that count every read asking for bytes outside them.
class WatchedBytes : public DrawingBytes {
 public:
  explicit WatchedBytes(std::string_view bytes) : bytes_(bytes) {}
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
  bool ReadAt(int64_t offset, void* into, std::size_t size) override {
    if (offset < 0 || static_cast<uint64_t>(offset) > bytes_.size() ||
        size > bytes_.size() - static_cast<std::size_t>(offset)) {
      ++outside;
      return false;
    }
    if (size > 0) std::memcpy(into, bytes_.data() + offset, size);
    return true;
  }
  int outside = 0;

 private:
  std::string_view bytes_;
};
