// Jackets through which code of the computational style (blank-padded texts
// each followed by its 64-bit length, numbers by reference) reaches the
// support library's routines, which take NUL-terminated texts. Each jacket
// copies its texts into NUL-terminated buffers, calls one routine and, where
// there is one, hands the answer back as a blank-padded text. A negative
// length counts as 0. The jackets are not exported: the computational side
// links them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The loader shows at most 80 characters of a text.
inline constexpr std::size_t LOADER_TEXT_MAX = 80;
// A file name, with the case folder before it, fits a path of 255 characters.
inline constexpr std::size_t JACKET_NAME_MAX = 255;

// The texts the jackets pass on, NUL-terminated, blanks after the NUL; they
// keep their last contents between calls.
struct NameBuffers {
  char loader_text[LOADER_TEXT_MAX + 1];
  char drawing_name[JACKET_NAME_MAX + 1];
  char metafile_name[JACKET_NAME_MAX + 1];
};
extern NameBuffers NAME_BUFFERS;

// REQUEST_REPORT_PAGE's fields: three characters of the mode, eight of the
// page id and five of the result, each padded with blanks and ended by a NUL.
struct ReportPageFields {
  char mode[4];
  char page_id[9];
  char result[6];
};
extern ReportPageFields REPORT_PAGE_FIELDS;

// Copies the text of length characters (trailing blanks included) into the
// buffer of max + 1 bytes: its first characters, a NUL after them, blanks
// after the NUL. A longer text is cut at max characters when cut is true;
// otherwise it is refused (false, the buffer as it was) unless all it loses
// are blanks.
bool CopyJacketText(char* buffer, std::size_t max, const char* text, int64_t length, bool cut);

// Does nothing.
void DO_NOTHING();
// Runs the whole command text, trailing blanks included; nothing when its
// copy cannot be had.
void RUN_COMMAND_LINE(const char* command, int64_t command_len);
// Hands the text's first 80 characters to the loader.
void SEND_LOADER_TEXT(const char* text, int64_t text_len);
// Converts the case folder's drawing text file of that name into a container;
// a name longer than 255 characters is refused.
void CONVERT_DRAWING(const char* name, int64_t name_len);
// Renders drawing 1 of the case folder's drawing file into a placeable
// metafile file of the case folder, its window width by height units; names
// longer than 255 characters, and a width or height outside the 32-bit range,
// are refused.
void RENDER_METAFILE(const char* drawing_name, int64_t drawing_name_len, const char* metafile_name,
                     int64_t metafile_name_len, const int64_t* width, const int64_t* height);
// A page request (ProcessReportPage): the mode's first three and the page
// id's first eight characters, the field data and the picture text within
// their lengths; the result text receives the result field's first
// characters, blank-padded to its length.
void REQUEST_REPORT_PAGE(const char* mode, int64_t mode_len, const char* page_id,
                         int64_t page_id_len, char* field_data, int64_t field_data_len,
                         const char* picture_text, int64_t picture_text_len, char* result,
                         int64_t result_len);
// *enabled := 1 when the rich-text report library is enabled, else 0.
void GET_RTF_ENABLED(int32_t* enabled);
// Calls the report unit's hook, which does nothing.
void CALL_REPORT_NO_OP();
