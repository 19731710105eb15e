// Drawing files read by their kind: drawing text files through the two
// passes, containers through the container walk, which shows "Can not open
// file" for a container that is not there.
#include <windows.h>

#include "include/holders.h"
#include "include/modal_ui.h"
#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_text.h"

namespace {

// A container opened for reading; says so when it cannot be.
UniqueFile OpenContainer(const char* path) {
  UniqueFile file(path ? std::fopen(path, "rb") : nullptr);
  if (!file) ShowMessageBox(nullptr, "Can not open file", "Open Error", MB_OK | MB_ICONERROR);
  return file;
}

}  // namespace

void ReadContainerCounts(const char* path, int32_t* count, int32_t* text_bytes, int32_t n) {
  if (count) *count = 0;
  if (text_bytes) *text_bytes = 0;
  const UniqueFile file = OpenContainer(path);
  if (!file) return;
  FileDrawingBytes bytes(file.get());
  ReadContainerCounts(bytes, count, text_bytes, n);
}

void ReadContainerDrawing(const char* path, int32_t* count, DRAWING_RECORD* records,
                          std::size_t record_room, char* texts, std::size_t text_room, float* width,
                          float* height, int32_t n) {
  if (count) *count = 0;
  if (width) *width = 0.0f;
  if (height) *height = 0.0f;
  const UniqueFile file = OpenContainer(path);
  if (!file) return;
  FileDrawingBytes bytes(file.get());
  ReadContainerDrawing(bytes, count, records, record_room, texts, text_room, width, height, n);
}

void CountDrawingData(const char* path, int32_t* count, int32_t* text_bytes, int32_t n) {
  switch (KindOfDrawingFile(path)) {
    case DrawingFileKind::text:
      CountDrawingRecords(path, count, text_bytes);
      return;
    case DrawingFileKind::container:
      ReadContainerCounts(path, count, text_bytes, n);
      return;
    case DrawingFileKind::none:
      if (count) *count = 0;
      if (text_bytes) *text_bytes = 0;
      return;
  }
}

void ReadDrawingData(const char* path, int32_t* count, DRAWING_RECORD* records,
                     std::size_t record_room, char* texts, std::size_t text_room, float* width,
                     float* height, int32_t n) {
  switch (KindOfDrawingFile(path)) {
    case DrawingFileKind::text:
      BuildDrawingRecords(path, count, records, record_room, texts, text_room, width, height);
      return;
    case DrawingFileKind::container:
      ReadContainerDrawing(path, count, records, record_room, texts, text_room, width, height, n);
      return;
    case DrawingFileKind::none:
      if (count) *count = 0;
      return;
  }
}
