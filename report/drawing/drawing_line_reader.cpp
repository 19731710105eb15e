// The line reader of drawing text files: one file open at a time, read from
// its first line to its end.
#include <cstring>

#include "report/drawing/drawing_text.h"

DrawingLineReader DRAWING_LINE_READER;

namespace {

void CloseReader() {
  DrawingLineReader& r = DRAWING_LINE_READER;
  if (r.file) std::fclose(r.file);
  r.file = nullptr;
  r.path[0] = '\0';
}

bool ReadLine(char* line) {
  return std::fgets(line, static_cast<int>(DRAWING_LINE_SIZE), DRAWING_LINE_READER.file) != nullptr;
}

}  // namespace

bool IsDrawingVersionLine(const char* line) { return std::strncmp(line, "VER", 3) == 0; }

int32_t ReadDrawingLine(char* line, const char* path, int32_t close) {
  DrawingLineReader& r = DRAWING_LINE_READER;
  if (close == 1 || !path || !line) {
    CloseReader();
    return 0;
  }
  // A path the reader could not remember cannot be told from another.
  if (std::strlen(path) >= DRAWING_LINE_SIZE) return 0;
  if (!r.file || std::strcmp(path, r.path) != 0) {
    CloseReader();
    r.file = std::fopen(path, "r");
    if (!r.file) return 0;
    if (!ReadLine(line)) {
      CloseReader();
      return 0;
    }
    std::strcpy(r.path, path);
    if (!IsDrawingVersionLine(line)) return 1;
  }
  if (ReadLine(line)) return 1;
  CloseReader();
  return 0;
}

bool DrawingTextLines::Next(char* line) {
  for (;;) {
    if (at_ >= text_.size()) return false;
    // As fgets: up to 255 characters, through the first line break.
    std::size_t n = 0;
    while (n < DRAWING_LINE_SIZE - 1 && at_ + n < text_.size()) {
      if (text_[at_ + n++] == '\n') break;
    }
    std::memcpy(line, text_.data() + at_, n);
    line[n] = '\0';
    at_ += n;
    const bool first = first_;
    first_ = false;
    if (!first || !IsDrawingVersionLine(line)) return true;
  }
}

bool DrawingFileLines::Next(char* line) {
  if (ended_) return false;
  if (ReadDrawingLine(line, path_, 0) == 1) return true;
  ended_ = true;
  return false;
}

void DrawingFileLines::Close() {
  char line[DRAWING_LINE_SIZE];
  ReadDrawingLine(line, path_, 1);
  ended_ = true;
}
