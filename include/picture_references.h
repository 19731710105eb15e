// Picture references of a report page's template header: "NAME c1 r1 c2 r2"
// between '<' and '>' (pictures under the text) or '{' and '}' (over it).
// Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A page's grid is 80 columns wide; a file name holds at most 79 characters.
inline constexpr int32_t PAGE_COLUMNS = 80;
inline constexpr std::size_t PICTURE_NAME_LENGTH = 79;

struct PictureReference {
  char name[PICTURE_NAME_LENGTH + 1];  // ".DQD" added to a name without a '.'
  int32_t first_cell;                  // (row - 1) * 80 + column - 1 + the cell offset
  int32_t last_cell;
};

// Reads a reference; false for a name that is empty or, with the ".DQD" it
// may get, longer than 79 characters, fewer than four numbers, a column
// outside 1 to 80, a row below 1, or a cell beyond 32 bits.
bool ParsePictureReference(const char* reference, int32_t cell_offset, PictureReference* out);

// The next complete bracket pair of a header text from *at on: a '<' and a
// later '>', or, where no '<' follows at all, a '{' and a later '}'. Gives
// the text between them and the bracket kind (1 for angle brackets, 0 for
// braces) and moves *at past the closing bracket; false when there is none.
bool NextPictureReference(std::string_view text, std::size_t* at, std::string_view* reference,
                          int32_t* under_text);
