// One drawing of a drawing file loaded into memory for drawing.
#include <windows.h>

#include "include/modal_ui.h"
#include "report/drawing/drawing_container_face.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/drawing_numbers.h"

namespace {

void ShowNoMemory() {
  ShowMessageBox(nullptr, "Sorry, not enough memory to open more file.", "Open File Error",
                 MB_OK | MB_ICONERROR);
}

void ReleaseAreas(LOADED_DRAWING* drawing) {
  FreeDrawingMemory(static_cast<HGLOBAL>(drawing->records));
  FreeDrawingMemory(static_cast<HGLOBAL>(drawing->texts));
  *drawing = LOADED_DRAWING{};
}

}  // namespace

int32_t LoadDrawing(LOADED_DRAWING* drawing, const char* path, int32_t n) {
  if (!drawing) return 0;
  int32_t count = 0;
  int32_t text_bytes = 0;
  CountDrawingData(path, &count, &text_bytes, n);
  if (count < 1 || text_bytes < 0) return 0;
  ReleaseAreas(drawing);

  // Room for a terminator after the last text, and a little more.
  const uint64_t text_room = text_bytes > 0 ? uint64_t(text_bytes) + 10 : 0;
  DrawingMemory texts;
  if (text_room > 0) {
    texts.reset(AllocateDrawingMemory(text_room));
    if (!texts) {
      ShowNoMemory();
      return 0;
    }
  }
  DrawingMemory records(AllocateDrawingMemory(uint64_t(count) * sizeof(DRAWING_RECORD)));
  if (!records) {
    ShowNoMemory();
    return 0;
  }
  int32_t read = 0;
  float width = 0.0f;
  float height = 0.0f;
  {
    const LockedMemory record_area(records.get());
    const LockedMemory text_area(texts.get());
    ReadDrawingData(path, &read, record_area.as<DRAWING_RECORD>(), std::size_t(count),
                    text_area.as<char>(), std::size_t(text_room), &width, &height, n);
  }
  // The file changed between the count and the read.
  if (read < 1) return 0;
  drawing->records = records.release();
  drawing->texts = texts.release();
  drawing->record_count = read;
  drawing->width = TruncateToInt32(width * 1000.0);
  drawing->height = TruncateToInt32(height * 1000.0);
  drawing->text_size = ClampToInt32(int64_t(text_room));
  return 1;
}
