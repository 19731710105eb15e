// The drawing container (".ZFD"): drawings one after another, each a
// DRAWING_HEADER, its DRAWING_RECORDs and its text bytes; the readers that
// find drawing n, the dispatch that reads a drawing file of either kind, the
// writers that convert, append and wrap drawings, and LoadDrawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "report/drawing/drawing_face.h"

// The container format: no file header, index or trailer; drawings are
// numbered from 1 in file order, and a number outside 1 to 100 means 1.
struct DRAWING_CONTAINER {
  static constexpr const char* magic = "ZFD2.0";
  static constexpr int32_t last_drawing = 100;
  static constexpr std::size_t longest_title = 79;
};

// The drawing number a reader goes to.
int32_t ContainerDrawingNumber(int32_t n);

// A header with the magic, the title (cut at 79 characters), the counts and
// the extents, every other byte 0.
DRAWING_HEADER MakeDrawingHeader(const char* title, int32_t record_count, int32_t text_bytes,
                                 float width, float height);

enum class DrawingFileKind { none, text, container };
// By the first three characters after the last '.' of the path, in either
// case: "DQD" a drawing text file, "ZFD" a container.
DrawingFileKind KindOfDrawingFile(const char* path);

// The bytes of a container, read at any offset.
class DrawingBytes {
 public:
  virtual ~DrawingBytes() = default;
  // The number of bytes, -1 when it cannot be told.
  virtual int64_t Size() = 0;
  // Reads exactly size bytes at offset; false when fewer are there.
  virtual bool ReadAt(int64_t offset, void* into, std::size_t size) = 0;
};

class MemoryDrawingBytes : public DrawingBytes {
 public:
  explicit MemoryDrawingBytes(std::string_view bytes) : bytes_(bytes) {}
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
  bool ReadAt(int64_t offset, void* into, std::size_t size) override;

 private:
  std::string_view bytes_;
};

// An open file; the caller keeps and closes it.
class FileDrawingBytes : public DrawingBytes {
 public:
  explicit FileDrawingBytes(std::FILE* file) : file_(file) {}
  int64_t Size() override;
  bool ReadAt(int64_t offset, void* into, std::size_t size) override;

 private:
  std::FILE* file_;
};

// Reads the header at position and answers whether it is sound: its counts
// are not negative and its records and text bytes lie within the file.
bool ReadContainerHeader(DrawingBytes& file, int64_t position, DRAWING_HEADER* header);

// Walks to drawing n's header: answers 0 with its position, -1 when a
// drawing before it is damaged or the file ends first.
int32_t SeekContainerDrawing(DrawingBytes& file, int32_t n, int64_t* position);

// The record count and text byte count of drawing n; 0 and 0 for a drawing
// past the last or behind a damaged header.
void ReadContainerCounts(DrawingBytes& file, int32_t* count, int32_t* text_bytes, int32_t n);
// Reads drawing n's records and text bytes into the areas (room for
// record_room records and text_room bytes) and gives its record count, width
// and height; a drawing that is absent or does not fit the areas gives 0.
void ReadContainerDrawing(DrawingBytes& file, int32_t* count, DRAWING_RECORD* records,
                          std::size_t record_room, char* texts, std::size_t text_room, float* width,
                          float* height, int32_t n);

#ifdef _WIN32
// The same of a container file; one that cannot be opened shows "Can not open
// file" and gives 0.
void ReadContainerCounts(const char* path, int32_t* count, int32_t* text_bytes, int32_t n);
void ReadContainerDrawing(const char* path, int32_t* count, DRAWING_RECORD* records,
                          std::size_t record_room, char* texts, std::size_t text_room, float* width,
                          float* height, int32_t n);

// Drawing n of a drawing file of either kind (a drawing text file holds one);
// a path of neither kind reads nothing and gives 0.
void CountDrawingData(const char* path, int32_t* count, int32_t* text_bytes, int32_t n);
void ReadDrawingData(const char* path, int32_t* count, DRAWING_RECORD* records,
                     std::size_t record_room, char* texts, std::size_t text_room, float* width,
                     float* height, int32_t n);

// The writers; names are file names in the case folder.
// Converts a drawing text file (".DQD" added to a name without one) into a
// container of the same base name, replacing one there only once the new one
// is complete.
void ConvertDrawingFile(const char* name);
// Appends the first drawing of a drawing file of either kind to a container.
void AppendDrawingFile(const char* source_name, const char* container_name, const char* title);
// Appends any file of less than 2 GiB to a container as one drawing: a move
// to (0, 0), and the file's bytes as its text.
void AppendFileAsDrawing(const char* source_name, const char* container_name, const char* title);

// Loads drawing n of the file at path; answers 1, or 0 when it holds no
// record or memory runs out.
int32_t LoadDrawing(LOADED_DRAWING* drawing, const char* path, int32_t n);
#endif
