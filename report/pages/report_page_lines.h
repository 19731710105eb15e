// The lines that a merged report page becomes in the report file: its picture
// references with their rows counted as the lines stand in the file, and its
// body lines with their control characters and layout marks. Platform-free:
// the file writing around it is AppendReportPage's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/pages/report_file_face.h"

// One picture reference in a text, in '<' and '>' or in '{' and '}'.
struct BracketedReference {
  std::string_view inside;  // between the brackets
  std::size_t opening;      // the opening bracket's index in the text
  std::size_t next;         // the index after the closing bracket
  bool angle;               // '<' and '>'
};
// The reference after position from: the next '<' and the first '>' after it;
// only when no '<' is left, the next '{' and the first '}' after it. None
// when neither opening bracket is left or the one found has no partner.
std::optional<BracketedReference> NextPictureReference(std::string_view text, std::size_t from);

// A picture reference "NAME c1 r1 c2 r2": the picture file's name, its first
// column and row and its last column and row (columns 1 to 80, rows from 1).
struct PictureReference {
  std::string name;
  int32_t first_column;
  int32_t first_row;
  int32_t last_column;
  int32_t last_row;
};
inline constexpr std::size_t PICTURE_NAME_MAX = 79;
// The reference read from the text between its brackets: the name up to the
// first blank, then four integers, any text after them ignored. None when the
// name is missing or longer than 79 characters, or four numbers do not follow
// (a number past the 32-bit range counts as none).
std::optional<PictureReference> ParsePictureReference(std::string_view inside);

// What the report file does with a page line, by its control character and
// whether its columns 1-79 are blank.
enum class LineHandling { Write, WriteAfterBlankLine, LeaveOut, EndPage };
LineHandling HandleReportLine(char control, bool blank);
// Whether columns 1-79 of the merged page's line hold only blanks and NULs.
bool IsBlankPageLine(const char* merged_page, int32_t line);

// The lines that the body writing adds (a '0' line's blank line before it) or
// leaves out above and on the picture's first row: the count over the lines
// before min(24, first_row), up to the line that ends the page; left-out lines
// count 1, an added one -1.
int32_t CountLinesLeftOut(const char* merged_page, const char* template_page, int32_t first_row);

// Whether the name's extension (from its last '.') begins with ".ZFD", without
// regard to case: a picture from a drawing container.
bool IsContainerPicture(std::string_view name);

// A picture of the page, its rows as the lines stand in the file.
struct PagePicture {
  PictureReference reference;
  bool container;  // its drawing goes into the run's container
};
// The page's pictures from its picture reference text: none when the text
// holds 10 characters or fewer; references that cannot be read are passed over.
std::vector<PagePicture> TakePagePictures(std::string_view picture_refs, const char* merged_page,
                                          const char* template_page);

// "$$$NAME c1 r1 c2 r2\n", each number at least two characters wide.
std::string FormatPictureLine(const PictureReference& reference);

// The body lines of the page, each ended by "\n": 80 characters (columns 1-79
// of the merged page, NULs and line breaks as blanks, and a blank), a tab, the
// control character and the line's marks, up to its last '{', '}' or '~'
// (other cells as blanks). The layout marks' other characters become blanks
// in place, NULs excepted.
std::string FormReportBody(const char* merged_page, const char* template_page, char* layout_marks);
// The blank line written before a '0' line.
inline constexpr std::string_view EXTRA_BLANK_LINE =
    "                                                                                \t \n";
