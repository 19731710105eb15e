// Form pages on the text-form screen: a template of 24 lines of 80 columns
// whose '#' (numeric) and '@' (text) cells are input fields, column 80 of
// each line a control character that gives the line its attributes. The
// routines map the control characters to screen attributes, collect typed
// values into a field data string and fill fields from one, find fields
// forwards and backwards, and decide what a selected cell stands for: a
// function key, a page option, a value picked into a field, or nothing.
//
// Pure C++: the screen is painted through a FormPainter.
#pragma once

#include <cstdint>

inline constexpr int32_t FORM_LINES = 24;
inline constexpr int32_t FORM_CELLS = 1920;
// The page's option flags: 1-12 the function keys F1-F12, 7 also for a cell
// above the first field, 8 for one below the last, 13 a further answer.
inline constexpr int32_t PAGE_OPTION_COUNT = 13;
// The collected field data of a page, bytes 3 and the byte 25 included.
inline constexpr int32_t COLLECTED_FIELD_DATA_SIZE = 1917;
// A picker group's name: at most 80 characters and a NUL.
inline constexpr int32_t PICK_NAME_SIZE = 81;

// What the form routines paint through.
class FormPainter {
 public:
  virtual ~FormPainter() = default;
  virtual void PaintCells(const char* text, char* attributes, int32_t count, int32_t first) = 0;
  virtual void PaintFieldCharacter(char character, char attribute, int32_t cell) = 0;
};

// "F1" to "F12". Entries 1-9 are told apart by 2 characters, 10-12 by 3.
extern const char* const FUNCTION_KEY_LABELS[12];

// 1 for a '#' or '@' cell.
bool IsFieldCell(char c);

// For each of the 24 lines: the template's column 80 gives the line its
// attribute and becomes a blank in the screen text; input cells (and
// backquotes) get attribute 5, except on a line marked 'X', where they take
// the line's attribute and become blanks in the template.
void MapLineAttributes(char* screen_text, char* form, char* attributes);

// Appends each field's characters from the screen text (NUL as a blank,
// upper-cased when the mode's third letter is 'U' or 'F'), each field ended
// by byte 3, the whole by byte 25, over cells 0-1914; field_data holds
// COLLECTED_FIELD_DATA_SIZE bytes. Answers the number of bytes before the
// byte 25, or, writing nothing, the mode's second letter when it is 'N' or 'F'.
int32_t CollectFieldValues(const char* mode, const char* form, const char* screen_text,
                           char* field_data);
// Fills field after field with the field data's values (each ended by byte
// 3, the list by byte 25 or a NUL): a value is cut to its field, a shorter
// one leaves blanks after it. Answers the search position where it stopped.
int32_t FillFieldsFromValues(const char* form, char* screen_text, const char* field_data);

// From a non-field cell the next field's first cell, from a field cell the
// first cell after its field, wrapping over cells 0-1678; -1 for none or a
// cell outside the form.
int32_t FindFieldBoundary(int32_t cell, const char* form);
// The start of the field before the cell (of its own field from inside
// one), wrapping over cells 0-1679; -1 for none or a cell outside the form.
int32_t FindPreviousFieldStart(int32_t cell, const char* form);
// The n-th field (from 1): answers its length and stores its first cell;
// answers 0 when there is no such field.
int32_t GetNthField(int32_t n, const char* form, int32_t* start);

// The picker group "[[" ... "]]" around the cell on its row: answers its
// length in cells and stores the field number its first letter names ('A'
// is 1) and the name after that letter (name holds PICK_NAME_SIZE bytes);
// 0 when there is none.
int32_t FindPickGroup(int32_t cell, const char* form, int32_t* field_number, char* name);
// The function key (1-12) whose label with '=' stands nearest the cell on
// its row, 0 for none.
int32_t FindFunctionKeyLabel(const char* form, const char* screen_text, int32_t cell);
// The 1-based index of the first of count labels whose first length
// characters equal the text's, 0 for none.
int32_t MatchLabel(const char* text, const char* const* labels, int32_t count, int32_t length);

// What the selected cell stands for: 0 nothing (or a field cell), 1-13 a
// function key or page option, -1 a value picked into a field, which is
// repainted through the painter. mode is the page request's mode text,
// options the page's 13 option flags ('N' off).
int32_t HandleFormCell(const char* mode, const char* options, const char* form, char* screen_text,
                       char* attributes, int32_t cell, FormPainter& painter);
// The same, painted on the screen.
int32_t HandleFormCell(const char* mode, const char* options, const char* form, char* screen_text,
                       char* attributes, int32_t cell);

// The text, padded with blanks to 80 characters (NULs and newlines as
// blanks), painted on the row in attribute 15; answers 0.
int32_t PaintTextLine(const char* text, int32_t row, FormPainter& painter);
int32_t PaintTextLine(const char* text, int32_t row);

// 'a'-'z' become 'A'-'Z'.
void UpperCaseLetter(char* c);
// Every NUL among the length bytes becomes a blank; answers the length.
int32_t NulsToBlanks(char* buffer, int32_t length);
// Removes leading and trailing blanks in place.
void TrimBlanks(char* text);
// Removes every blank in place; answers the new length.
int32_t RemoveBlanks(char* text);
