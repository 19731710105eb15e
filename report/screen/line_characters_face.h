// The rules that the text-form screen and the printed sheet share for an
// 80-column page text: which characters are box lines and are drawn as lines
// instead of text, what part each line character plays in a horizontal or a
// vertical line, and which stretch of text is the value at a layout mark or
// before a column of '=' signs; and the report language on which the
// treatment of the code-page-437 box characters depends.
//
// Pure C++: no platform calls.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int32_t ROW_CELLS = 80;

// What a cell outside a text holds: no character, so it equals nothing.
inline constexpr int32_t NO_CHARACTER = -1;

// Cells first to first + count - 1 of a text whose rows are 80 cells
// (cell = row * 80 + column); cells[0] is cell first. Every reader asks the
// text for a cell, so none reads past either end of it.
struct CellText {
  const char* cells = nullptr;
  int32_t first = 0;
  int32_t count = 0;

  bool holds(int32_t cell) const {
    return cells != nullptr && cell >= first && cell - first < count;
  }
  // The character as a byte 0-255, NO_CHARACTER outside the text.
  int32_t at(int32_t cell) const {
    return holds(cell) ? static_cast<unsigned char>(cells[cell - first]) : NO_CHARACTER;
  }
};

// The first cell of the cell's row and the cell's column (0-79); both for
// cells from 0 on.
inline int32_t RowStart(int32_t cell) { return cell - cell % ROW_CELLS; }
inline int32_t ColumnOf(int32_t cell) { return cell % ROW_CELLS; }

// The report language as an index: 1 English, 2 French, 3 German, 4 Spanish,
// 5 Italian, 6 Chinese; 0 until one is set. With Chinese the code-page-437
// box bytes are ordinary text (the lead bytes of the language's characters)
// and texts are not converted from the OEM code page.
extern int32_t REPORT_LANGUAGE_INDEX;
inline constexpr int32_t CHINESE_LANGUAGE_INDEX = 6;

// Sets the index from the language name's first letter (E, F, G, S, I, C); any
// other letter, an empty text or none leaves it as it was.
void SetLanguageIndex(const char* language);
int32_t GetLanguageIndex();

// 1 when the cell's character is drawn as a line: '|'; '-' beside another '-'
// or a '|' within the text; and, unless the language is Chinese, the box bytes
// 0xB3 to 0xD3, 0xD5, 0xD6, 0xD9, 0xDA and the byte 0. Else 0, outside the
// text too.
int32_t IsLineCharacter(const CellText& text, int32_t cell);

// The cell's part in a box line.
inline constexpr int32_t LINE_STARTS = -1;  // a line starts at the cell's centre
inline constexpr int32_t LINE_PASSES = 0;   // a line passes through the cell
inline constexpr int32_t LINE_ENDS = 1;     // a line ends at the cell's centre
inline constexpr int32_t NO_LINE = -99;
// In a horizontal line, from the cell and its left and right neighbours.
int32_t ClassifyHorizontalLine(const CellText& text, int32_t cell);
// In a vertical line, from the cell, its neighbours and the cells 80 before
// and after it.
int32_t ClassifyVerticalLine(const CellText& text, int32_t cell);

// 1 when the language is Chinese and the byte is 160 or above.
int32_t IsWideLeadByte(unsigned char byte);
// 1 for '0'-'9', '.' and '-'.
int32_t IsNumberCharacter(char c);

// The value at cell P by the mark there, from the text given; a '=' in the
// text at P counts as the mark '='. '{': from P to FindSegmentEnd(P); '}' and
// '=': from the later of FindSegmentStart(P) and lower_bound to P; '~': from
// the later of the two to FindSegmentEnd(P); any other mark, an empty range
// or a P outside the text: empty. Marks are a text of their own, cell for
// cell; a cell outside it has no mark.
std::string GetAlignedSegment(const CellText& text, const CellText& marks, int32_t cell,
                              int32_t lower_bound);
// The last cell of the value that begins at P: the walk right stops before
// column 80, a line character, a '{' mark or two blanks, and at a '}' or '~'
// mark goes back before the last single blank; a trailing blank is dropped.
int32_t FindSegmentEnd(const CellText& text, const CellText& marks, int32_t cell);
// The first cell of the value that ends at P: the walk left reaches over
// words and single blanks until two blanks, two dots, a line character, an
// '=' or a '}' mark; for a value ending in '=' only the word before it, and
// only the '=' itself when one of * + - . / ^ stands in that word.
int32_t FindSegmentStart(const CellText& text, const CellText& marks, int32_t cell);
