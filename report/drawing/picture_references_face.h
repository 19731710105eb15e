// Picture references of a report page's template header: "NAME c1 r1 c2 r2"
// between '<' and '>' (pictures under the text) or '{' and '}' (over it).
// Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A page's grid is 80 columns wide; a file name holds at most 79 characters.
inline constexpr int32_t PAGE_COLUMNS = 80;
inline constexpr std::size_t PICTURE_NAME_LENGTH = 79;
// A name given with its folder, as printing names a report's own drawing
// container: a folder of up to 255 characters, its separator and a file name.
inline constexpr std::size_t PICTURE_PATH_LENGTH = 255 + 1 + PICTURE_NAME_LENGTH;

struct PictureReference {
  char name[PICTURE_PATH_LENGTH + 1];  // ".DQD" added to a name without a '.'
  int32_t first_cell;                  // (row - 1) * 80 + column - 1 + the cell offset
  int32_t last_cell;
};

// Reads a reference. A name in double quotes may hold blanks (a folder such
// as C:\My Cases). False for a name that is empty or, with the ".DQD" it may
// get, longer than 79 characters (PICTURE_PATH_LENGTH when it names its
// folder), a quote left open, fewer than four numbers, a column outside 1 to
// 80, a row below 1, or a cell beyond 32 bits.
bool ParsePictureReference(const char* reference, int32_t cell_offset, PictureReference* out);

// A name as a reference gives it: in double quotes when it holds a blank,
// which would end it otherwise.
inline std::string PictureReferenceName(std::string_view name) {
  if (name.find_first_of(" \t") == std::string_view::npos) return std::string(name);
  return '"' + std::string(name) + '"';
}

// The next complete bracket pair of a header text from *at on: a '<' and a
// later '>', or, where no '<' follows at all, a '{' and a later '}'. Gives
// the text between them and the bracket kind (1 for angle brackets, 0 for
// braces) and moves *at past the closing bracket; false when there is none.
bool NextPictureReference(std::string_view text, std::size_t* at, std::string_view* reference,
                          int32_t* under_text);
