// A text cut into its blank-separated words.
#include <cstring>

#include "report/screen/screen_cells_face.h"

void SplitWords(const char* text, int32_t* count, char** words) {
  if (text == nullptr || text[0] == '\0') {
    *count = 0;
    return;
  }
  const std::size_t length = strnlen(text, WORD_BUFFER_SIZE - 1);
  std::memcpy(WORD_BUFFER, text, length);
  WORD_BUFFER[length] = '\0';
  int32_t found = 0;
  bool in_word = false;
  for (std::size_t i = 0; i < length; ++i) {
    if (WORD_BUFFER[i] == ' ') {
      WORD_BUFFER[i] = '\0';
      in_word = false;
    } else if (!in_word) {
      in_word = true;
      if (found < SPLIT_WORD_SLOTS - 1) words[++found] = WORD_BUFFER + i;
    }
  }
  *count = found + 1;
}
