// The walk through a drawing container to drawing n and the reading of its
// header, records and text bytes. Every count a header gives is checked
// against the file before it is used: a negative count, or records and text
// that would run past the file's end, mark the header damaged, and it and
// every drawing after it read as absent.
#include <algorithm>
#include <cstring>

#include "report/drawing/drawing_container_face.h"

namespace {

constexpr int64_t kHeaderBytes = sizeof(DRAWING_HEADER);
constexpr int64_t kRecordBytes = sizeof(DRAWING_RECORD);

// The bytes a drawing's records and texts take after its header.
int64_t BodyBytes(const DRAWING_HEADER& h) {
  return int64_t{h.record_count} * kRecordBytes + h.text_bytes;
}

}  // namespace

int32_t ContainerDrawingNumber(int32_t n) {
  return n < 1 || n > DRAWING_CONTAINER::last_drawing ? 1 : n;
}

DRAWING_HEADER MakeDrawingHeader(const char* title, int32_t record_count, int32_t text_bytes,
                                 float width, float height) {
  DRAWING_HEADER h;
  std::memset(&h, 0, sizeof h);
  std::memcpy(h.magic, DRAWING_CONTAINER::magic, std::strlen(DRAWING_CONTAINER::magic) + 1);
  if (title) std::memcpy(h.title, title, strnlen(title, DRAWING_CONTAINER::longest_title));
  h.record_count = record_count;
  h.text_bytes = text_bytes;
  h.width = width;
  h.height = height;
  return h;
}

DrawingFileKind KindOfDrawingFile(const char* path) {
  const char* dot = path ? std::strrchr(path, '.') : nullptr;
  if (!dot) return DrawingFileKind::none;
  char extension[4] = {};
  for (int i = 0; i < 3 && dot[1 + i]; ++i) {
    const char c = dot[1 + i];
    extension[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  if (std::strcmp(extension, "DQD") == 0) return DrawingFileKind::text;
  if (std::strcmp(extension, "ZFD") == 0) return DrawingFileKind::container;
  return DrawingFileKind::none;
}

bool MemoryDrawingBytes::ReadAt(int64_t offset, void* into, std::size_t size) {
  if (offset < 0 || static_cast<uint64_t>(offset) > bytes_.size() ||
      size > bytes_.size() - static_cast<std::size_t>(offset))
    return false;
  if (size > 0) std::memcpy(into, bytes_.data() + offset, size);
  return true;
}

namespace {

bool SeekTo(std::FILE* file, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(file, offset, whence) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), whence) == 0;
#endif
}

int64_t Position(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

}  // namespace

int64_t FileDrawingBytes::Size() {
  if (!file_ || !SeekTo(file_, 0, SEEK_END)) return -1;
  return Position(file_);
}

bool FileDrawingBytes::ReadAt(int64_t offset, void* into, std::size_t size) {
  if (!file_ || offset < 0 || !SeekTo(file_, offset, SEEK_SET)) return false;
  return size == 0 || std::fread(into, 1, size, file_) == size;
}

bool ReadContainerHeader(DrawingBytes& file, int64_t position, DRAWING_HEADER* header) {
  const int64_t size = file.Size();
  if (position < 0 || size < 0 || size - position < kHeaderBytes) return false;
  if (!file.ReadAt(position, header, sizeof *header)) return false;
  if (header->record_count < 0 || header->text_bytes < 0) return false;
  return BodyBytes(*header) <= size - position - kHeaderBytes;
}

int32_t SeekContainerDrawing(DrawingBytes& file, int32_t n, int64_t* position) {
  n = ContainerDrawingNumber(n);
  int64_t at = 0;
  for (int32_t i = 1; i < n; ++i) {
    DRAWING_HEADER header;
    if (!ReadContainerHeader(file, at, &header)) return -1;
    at += kHeaderBytes + BodyBytes(header);
  }
  *position = at;
  return 0;
}

namespace {

// Drawing n's header when it is there and sound.
bool FindContainerDrawing(DrawingBytes& file, int32_t n, DRAWING_HEADER* header,
                          int64_t* position) {
  return SeekContainerDrawing(file, n, position) == 0 &&
         ReadContainerHeader(file, *position, header);
}

}  // namespace

void ReadContainerCounts(DrawingBytes& file, int32_t* count, int32_t* text_bytes, int32_t n) {
  DRAWING_HEADER header;
  int64_t position = 0;
  const bool found = FindContainerDrawing(file, n, &header, &position);
  if (count) *count = found ? header.record_count : 0;
  if (text_bytes) *text_bytes = found ? header.text_bytes : 0;
}

void ReadContainerDrawing(DrawingBytes& file, int32_t* count, DRAWING_RECORD* records,
                          std::size_t record_room, char* texts, std::size_t text_room, float* width,
                          float* height, int32_t n) {
  if (count) *count = 0;
  if (width) *width = 0.0f;
  if (height) *height = 0.0f;
  DRAWING_HEADER header;
  int64_t position = 0;
  if (!FindContainerDrawing(file, n, &header, &position)) return;
  const auto record_count = static_cast<std::size_t>(header.record_count);
  const auto text_bytes = static_cast<std::size_t>(header.text_bytes);
  if (record_count > (records ? record_room : 0) || text_bytes > (texts ? text_room : 0)) return;
  const int64_t records_at = position + kHeaderBytes;
  if (record_count > 0 && !file.ReadAt(records_at, records, record_count * sizeof(DRAWING_RECORD)))
    return;
  if (text_bytes > 0 &&
      !file.ReadAt(records_at + int64_t{header.record_count} * kRecordBytes, texts, text_bytes))
    return;
  if (count) *count = header.record_count;
  if (width) *width = header.width;
  if (height) *height = header.height;
}
