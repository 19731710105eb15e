// Drawing text files (".DQD"): fixed-column lines read against templates of
// three-character field codes, the line reader that hands them out one at a
// time, and the two passes over a file: the count that sizes the memory areas
// and the build that turns the commands into DRAWING_RECORDs, the S texts and
// the drawing's extents. Platform-free: it also builds for the sanitizers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>
#include <variant>

#include "report/drawing/drawing_face.h"

// A line buffer: 255 characters, a line break among them, and the terminator.
inline constexpr std::size_t DRAWING_LINE_SIZE = 256;
// No field of the format is wider.
inline constexpr int32_t DRAWING_FIELD_WIDTH = 84;
// An S text holds at most a field's width of characters.
inline constexpr int32_t DRAWING_TEXT_LENGTH = DRAWING_FIELD_WIDTH;
// Degrees to radians, the single-precision factor every drawing routine uses.
inline constexpr float DRAWING_RADIANS_PER_DEGREE = 0.017453294f;

// Where a field of a template goes: the text of an 'A' field (room for its
// width and the terminator), the number of an 'F' field, the integer of an 'I'
// field. 'X' fields take no destination.
using DrawingField = std::variant<char*, float*, int32_t*>;

// Reads the line against the template and stores each field into the next
// destination, in template order. The line ends at its terminator or its line
// break: columns past that are blank, so a text there reads blanks and a
// number with no digits reads 0. A destination of another kind than its field
// is passed over unchanged, as are fields past the last destination.
void ParseDrawingFieldList(const char* line, const char* layout,
                           std::span<const DrawingField> destinations);

template <class... Destination>
void ParseDrawingFields(const char* line, const char* layout, Destination*... destinations) {
  const std::array<DrawingField, sizeof...(Destination)> list{DrawingField(destinations)...};
  ParseDrawingFieldList(line, layout, list);
}

// The line reader's process-wide state: the open drawing text file (or none)
// and the path it was opened with.
struct DrawingLineReader {
  std::FILE* file;
  char path[DRAWING_LINE_SIZE];
};
extern DrawingLineReader DRAWING_LINE_READER;

// Places the next line of the file at path into line (DRAWING_LINE_SIZE bytes)
// and answers 1; answers 0 when the file cannot be opened, at its end, when
// close is 1 (which closes it), and for a path longer than 255 characters. A
// first line that begins with "VER" is passed over. Another path than the
// open one closes that file and opens the new one from its start.
int32_t ReadDrawingLine(char* line, const char* path, int32_t close);

// A first line beginning with these three characters names the format's
// version and is not a command.
bool IsDrawingVersionLine(const char* line);

// Hands out the lines of a drawing text, one per call, as ReadDrawingLine
// does; Next answers false at the end, and the source never starts again.
class DrawingLineSource {
 public:
  virtual ~DrawingLineSource() = default;
  virtual bool Next(char* line) = 0;
  // Called once a pass is done with the source.
  virtual void Close() {}
};

// The lines of a drawing text held in memory, split as a file read by lines
// of at most 255 characters would be, the "VER" line passed over.
class DrawingTextLines : public DrawingLineSource {
 public:
  explicit DrawingTextLines(std::string_view text) : text_(text) {}
  bool Next(char* line) override;

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  bool first_ = true;
};

// A drawing text file read through ReadDrawingLine.
class DrawingFileLines : public DrawingLineSource {
 public:
  explicit DrawingFileLines(const char* path) : path_(path) {}
  bool Next(char* line) override;
  void Close() override;

 private:
  const char* path_;
  bool ended_ = false;
};

// The two passes consume the same lines: a command whose data or text line is
// missing at the end of the file is not stored and ends the drawing, and so
// does a drawing that reaches DRAWING_MOST_RECORDS records or
// DRAWING_MOST_TEXT_BYTES text bytes, so that the areas' sizes fit 32 bits.
inline constexpr int32_t DRAWING_MOST_RECORDS =
    INT32_MAX / static_cast<int32_t>(sizeof(DRAWING_RECORD)) - 1;
inline constexpr int32_t DRAWING_MOST_TEXT_BYTES = INT32_MAX - 1024;

// The number of records BuildDrawingRecords stores and the total length of
// the S texts.
void CountDrawingRecords(DrawingLineSource& lines, int32_t* count, int32_t* text_bytes);
void CountDrawingRecords(const char* path, int32_t* count, int32_t* text_bytes);

// Writes the stored records from the start of records (room for record_room
// of them) and the S texts into texts (text_room bytes; each text is followed
// by a terminator where there is room for one), the number of stored records
// into count and the largest x and y reached into width and height. Nothing is
// written past either room: a record beyond it is not stored, a text beyond
// it is cut.
void BuildDrawingRecords(DrawingLineSource& lines, int32_t* count, DRAWING_RECORD* records,
                         std::size_t record_room, char* texts, std::size_t text_room, float* width,
                         float* height);
void BuildDrawingRecords(const char* path, int32_t* count, DRAWING_RECORD* records,
                         std::size_t record_room, char* texts, std::size_t text_room, float* width,
                         float* height);

// The largest x and y on the arc of a C or E record, walked in whole degrees.
void GetArcExtent(float* largest_x, float* largest_y, const DRAWING_RECORD* record);
