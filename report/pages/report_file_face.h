// The writing side of the report: merged pages appended to the run's text
// report file REPORT_FILE as picture and body lines, the break and section
// marker lines, or all of these handed to the rich-text report library while
// it is enabled; the file copy that collects a page's drawing containers into
// the run's own container; and the report unit's small entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A report page: 24 lines of 80 cells, cell = line * 80 + column; column 80
// of a template page holds the line's control character.
inline constexpr int32_t PAGE_LINES = 24;
inline constexpr int32_t PAGE_COLUMNS = 80;
inline constexpr int32_t PAGE_CELLS = PAGE_LINES * PAGE_COLUMNS;

// The page's picture references: at most 255 characters taken from the page
// request, then the template header's references (at most its 160 cells),
// and a NUL.
inline constexpr std::size_t REQUEST_PICTURE_TEXT = 255;
inline constexpr std::size_t HEADER_CELLS = 160;
inline constexpr std::size_t PICTURE_REFS_SIZE = REQUEST_PICTURE_TEXT + HEADER_CELLS + 1;
extern char PICTURE_REFS[PICTURE_REFS_SIZE];

// The run's report file: the case folder, the run name (or "OUTPUT" when it is
// empty) and ".DQO". Answers false, with an empty buffer, when the path does
// not fit in size bytes: such a report cannot be opened.
bool GetReportFilePath(char* buffer, std::size_t size);
// The run's drawing container's name, without folder: the run name (or
// "OUTPUT") and ".ZFD".
bool GetRunContainerName(char* buffer, std::size_t size);

// Appends the merged page's picture and body lines to REPORT_FILE, the
// template page's column 80 giving each line's control character and
// LAYOUT_MARKS its marks. Each ".ZFD" picture line adds exactly one drawing to
// the run's container, so that the report's nth container picture is the
// container's nth drawing: the first drawing of the file it names, or an
// empty drawing where that cannot be had. Answers 0; -1 when the report or
// the container cannot be opened or a write fails: the page is then not
// written, and report and container are as they were.
int32_t AppendReportPage(const char* merged_page, const char* template_page);
// Appends the lines to REPORT_FILE whole or not at all. Answers 0; -1 when
// the report cannot be opened or written.
int32_t AppendReportLines(std::string_view lines);

// Hands a page to the rich-text library: the template name (PPPP.RLLL) of the
// program's "DAT\LAN\", the page id and the field data, field_data_len bytes
// at most, of which the values before byte 25 are passed on. Answers -1 when
// the template does not exist (nothing is passed on), else 1.
int32_t WriteRtfPage(const char* template_name, const char* page_id, char* field_data,
                     int64_t field_data_len);
// *enabled := 1 when the rich-text library is enabled, else 0.
void QueryRtfEnabled(int32_t* enabled);

// Break and section markers: to the rich-text library while it is enabled
// (answering its result), else a marker line in REPORT_FILE (answering 0, or
// -1 when the line could not be written). A table-of-contents break has no
// line and answers 0.
int32_t WritePageBreak();
int32_t WriteComponentBreak();
int32_t WriteTocBreak();
// The title's first title_len characters, at most 255, ending early at a NUL;
// in the report file its line breaks are blanks, so the title stays one line.
int32_t WriteSectionStart(const char* title, int32_t title_len);
int32_t WriteSectionEnd();

// The marker lines as they stand in REPORT_FILE.
inline constexpr const char* PAGE_BREAK_LINE =
    "------------------------------ Page Break ------------------------------\n";
inline constexpr const char* COMPONENT_BREAK_LINE =
    "------------------------- Component Break --------------------------\n";
inline constexpr const char* SECTION_START_LINE = "[Section Start] ";
inline constexpr const char* SECTION_END_LINE = "[Section End]\n";

// Copies the source into the target, byte for byte: mode 1 replaces the target
// with a copy, mode 2 appends to it, mode 3 appends and, when the source does
// not exist, appends an empty drawing header (104 zero bytes) instead. The
// target is created when missing. At most the source's length at the start is
// copied, so a file appended to itself doubles once. Answers 0; -1 when a file
// cannot be opened, read or written, or the mode is none of the three ("Can not
// copy file" is shown when the target cannot be opened); 12 when no copy
// buffer can be had. A mode 1 copy is made beside the target and takes its
// place only when whole: a failure leaves the target as it was, and a source
// that is the target itself changes nothing.
int32_t CopyFileContents(const char* source, const char* target, int32_t mode);
// Appends one drawing for a page's container picture to target, an open file
// handle: the first drawing of the container source, its header, records and
// text bytes as they stand, or, without a source, an empty drawing (a header
// of 104 zero bytes). Answers 0; -1 when the source cannot be opened (missing,
// a folder, held open without sharing), its first drawing is damaged or cut
// short, or a write fails, and 12 when no copy buffer can be had; what was
// written then stays.
int32_t AppendPageDrawing(const char* source, void* target);
// Whether the two paths name one file (the same file on the same volume, or
// the same full path without regard to case).
bool IsSameFile(const char* a, const char* b);
inline constexpr int32_t COPY_BLOCK_SIZE = 65280;
inline constexpr int32_t COPY_NO_MEMORY = 12;

// One 32-bit word that SetReportWord stores and GetReportWord returns; nothing
// else uses it.
extern int32_t REPORT_WORD;
void SetReportWord(int32_t value);
int32_t GetReportWord();
// Does nothing.
void RunReportHook();
