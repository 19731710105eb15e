// Report pages filled from language templates: a page request finds its page
// through the template's index, falls back to English, merges the field
// values into the template at its value marks and hands the merged page to
// the report file (or the whole request to the rich-text library); it also
// switches the report language.
//
// The template reading, the header and body reading and the merge are
// platform-free; only ProcessReportPage and the file opening of
// ReadTemplatePage are not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "report/pages/report_file_face.h"

// The field data: values each ended by byte 3, the list ended by byte 25.
inline constexpr char VALUE_END = 3;
inline constexpr char LIST_END = 25;
// A list is at most this long; its byte 25 must stand among the first 1999 bytes.
inline constexpr std::size_t FIELD_LIST_ROOM = 2000;

// The field data's list: the number of bytes before its byte 25, the NULs
// among them turned into blanks in place. Only the first min(length, 1999)
// bytes are looked at; a list whose byte 25 is not among them holds no values:
// its first byte becomes 25 and the answer is none.
std::optional<std::size_t> TakeFieldList(char* field_data, int64_t length);

// A page request. mode: 'S' sets the report language named by the page id
// (result[0] := 'S'); 'D' a page: "DN" ends after the common first steps, "DL"
// after taking the picture references; the page id (8 characters, base name
// and page number) is upper-cased in place. A page that was not written
// (its template page in neither the language nor English, no rich-text
// template, or a report that could not be opened or written) says so with
// result[0] := PAGE_NOT_WRITTEN; a written page leaves the result as it was. The field data and the
// picture text are read within their lengths (a negative one counts as 0); the field data's first
// byte may become 25. Texts are NUL-terminated.
inline constexpr char PAGE_NOT_WRITTEN = 'E';
void ProcessReportPage(const char* mode, char* page_id, char* field_data, int64_t field_data_len,
                       const char* picture_text, int64_t picture_text_len, char* result);

// PICTURE_REFS := the request's picture text, its first 255 characters (and
// at most length), from its first '<' (or, when it has none, its first '{') to
// its last '>' or '}'; empty when it has neither opening bracket or no closing
// one after it.
void TakeRequestPictureRefs(const char* picture_text, int64_t length);

// The page text buffer: the bytes of one template page.
inline constexpr std::size_t PAGE_TEXT_SIZE = 2052;
// The most bytes a page read takes.
inline constexpr std::size_t PAGE_READ_MAX = 2050;
// The last page of an index is read as this long, plus one byte.
inline constexpr int32_t LAST_PAGE_LENGTH = 2049;

// An index file's offsets: signed 32-bit little-endian, at most 200 kept.
inline constexpr int32_t TEMPLATE_INDEX_MAX = 200;
struct TemplateIndex {
  int32_t offsets[TEMPLATE_INDEX_MAX];
  int32_t count;
};
// The offsets of an index file's bytes: count = size / 4, at most 200; none
// for fewer than 4 bytes.
std::optional<TemplateIndex> ParseTemplateIndex(const unsigned char* bytes, std::size_t size);

// Where page n (from 1) of a template starts and how many bytes are read:
// page 1 at byte 0, page n at O[n-1] + 1; L = O[n] - O[n-1], 2049 for the last
// page; L + 1 bytes, at most 2050. None for a page below 1 or beyond the
// index, or a negative start or length.
struct TemplatePageRange {
  int64_t start;
  std::size_t length;
};
std::optional<TemplatePageRange> FindTemplatePageRange(const TemplateIndex& index, int32_t page);

// The page number of a page id: its characters 5-8 read as a decimal integer
// (leading blanks and a sign taken, reading up to the first other
// character); 0 when they hold no number or the id is shorter.
int32_t PageNumberOf(const char* page_id);

// The index file that offsets were read from, as it was then: its full
// path, its size and its last write time.
struct TemplateIndexFile {
  std::string path;
  uint64_t size = 0;
  uint64_t write_time = 0;
  bool operator==(const TemplateIndexFile&) const = default;
};

// The index of the template read last: its name (PPPP.LLL, 8 characters,
// blanks at load), offsets and count, and the file they came from.
struct TemplateIndexCache {
  char name[8];
  TemplateIndex index;
  TemplateIndexFile file;
};
extern TemplateIndexCache TEMPLATE_INDEX_CACHE;

// ReadTemplatePage's answers.
inline constexpr int32_t TEMPLATE_PAGE_READ = 0;
inline constexpr int32_t NO_INDEX_FILE = -1;
inline constexpr int32_t INDEX_TOO_SHORT = -2;
inline constexpr int32_t PAGE_NOT_IN_INDEX = -3;
inline constexpr int32_t NO_TEMPLATE_FILE = -4;
// The template ends before the page starts: not a byte of it could be read.
inline constexpr int32_t NO_PAGE_BYTES = -5;

// The index file's name beside the template PPPP.LLL: PPPPINDX.LLL.
bool TemplateIndexName(const char* template_name, char (&index_name)[13]);

// Reads page n of the template PPPP.LLL (8 characters) from the program's
// "DAT\LAN\", else from the current folder, into page_text (PAGE_TEXT_SIZE
// bytes); *length := the bytes read. The index's offsets are kept and used
// again while the template's index is the same file (the same full path, size
// and last write time); else it is read again. With the Chinese report
// language, a template of another language has its box characters replaced.
// Answers one of the six codes above.
int32_t ReadTemplatePage(const char* template_name, char* page_text, int32_t page,
                         std::size_t* length);

// Replaces each code-page-437 box character of the text by a plain one.
void ReplaceChineseBoxCharacters(char* text, std::size_t length);

// A page's options: characters 1-13 of the template's second header line.
inline constexpr std::size_t PAGE_OPTIONS_LENGTH = 13;
// The twelve header items, 8 characters each, in 100 bytes.
inline constexpr std::size_t HEADER_ITEMS_SIZE = 100;
// What the header reader does with the pictures it finds: the flag that says
// whether the screen paints them under the text, and the loader of the page
// pictures, which a request that is not a page ('D') calls.
struct HeaderPictures {
  int32_t* under_text;
  void (*load)(const char* picture_refs);
};
// Reads the header and body of a page text of length bytes (at most 2050
// looked at): the template page (1920 cells), the options, the items and the
// cursor cell; the header's picture references are appended to PICTURE_REFS.
// Answers the position after the body.
std::size_t ReadTemplateHeader(const char* mode, const char* page_text, std::size_t length,
                               char* template_page, char* options, char* items,
                               int32_t* cursor_cell, const HeaderPictures& pictures);

// Merges the field values into the template page (1920 cells) at its value
// marks: merged_page := the template with its input cells and marks blanked
// and each value placed at its mark, row by row, left to right: from a '{',
// ending at a '}', centred on a '~' or a backquote; a value is written only
// in columns 1-79 of its mark's row, so column 80 stays the line's control
// character and no value runs on into another line. Picker groups are
// blanked. The template page keeps a mark's
// neighbour at a '{' or '}', '#' at a backquote, a blank at a '~' and at a
// NUL, and takes the merged page's column 80. FIELD_INDEX gives each merged
// value's offset in the field data, of which FIELD_DATA keeps a copy (the
// list before its byte 25); a list without its byte 25 merges nothing.
void MergeFieldData(char* merged_page, char* template_page, char* field_data,
                    int64_t field_data_len);
