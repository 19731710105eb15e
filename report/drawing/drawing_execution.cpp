// One drawing executed on a device context, record by record.
#include <algorithm>

#include "report/drawing/drawing_execution.h"
#include "report/drawing/drawing_numbers.h"

namespace {

// The text of an S record: only what lies inside the text area, at most a
// text buffer's 99 characters.
void DrawRecordText(HDC dc, const DRAWING_RECORD& r, const char* texts, int32_t text_size) {
  const int64_t offset = TruncateToInt64(r.f6);
  const int64_t length = TruncateToInt64(r.f5);
  const char* text = nullptr;
  int32_t n = 0;
  if (texts && offset >= 0 && offset < text_size && length > 0) {
    text = texts + offset;
    n = static_cast<int32_t>(std::min<int64_t>({length, text_size - offset, 99}));
  }
  DrawDrawingText(dc, r.f1, r.f2, text, r.f3, r.f4, n);
}

}  // namespace

void TraceDrawingStep(const char*, int32_t, int32_t) {}

void ExecuteDrawing(HDC dc, const DRAWING_RECORD* records, int32_t record_count, const char* texts,
                    int32_t text_size, SIZE extent, POINT origin, float scale) {
  DRAWING_FONT.height = -1;
  DRAWING_FONT.angle = -1;
  SetBkMode(dc, TRANSPARENT);
  DRAWING_TRANSFORM = {static_cast<int32_t>(extent.cy), static_cast<int32_t>(origin.x),
                       static_cast<int32_t>(origin.y), scale};
  CreateDrawingPens();

  const HGDIOBJ own_pen = SelectObject(dc, DRAWING_PENS.thick);
  const HGDIOBJ own_font = GetCurrentObject(dc, OBJ_FONT);
  SelectDrawingFont(dc, 100, 0);
  for (int32_t i = 0; records && i < record_count; ++i) {
    const DRAWING_RECORD r = records[i];
    switch (r.letter) {
      case 'A':
        DrawArrow(dc, r.f3, r.f4, r.f1, r.f2, r.f5);
        break;
      case 'C':
        DrawArcOrEllipse(dc, r.f1, r.f2, r.f3, r.f3, r.f4, r.f5);
        break;
      case 'D':
        DrawLineTo(dc, r.f1, r.f2);
        break;
      case 'E':
        DrawArcOrEllipse(dc, r.f1, r.f2, r.f3, r.f4, r.f5, r.f6);
        break;
      case 'L':
        SelectObject(dc, own_pen);
        SelectObject(dc, TruncateToInt64(r.f1) == 1 ? DRAWING_PENS.thick : DRAWING_PENS.thin);
        break;
      case 'M':
        DrawMoveTo(dc, r.f1, r.f2);
        break;
      case 'S':
        DrawRecordText(dc, r, texts, text_size);
        break;
      case 'T':
        i = record_count;
        break;
      default:
        break;
    }
  }
  SelectObject(dc, own_font);
  SelectObject(dc, own_pen);
  // Cleared too, so that a later release cannot delete the handle again
  // once the platform has given it to another object.
  if (DRAWING_FONT.font) DeleteObject(DRAWING_FONT.font);
  DRAWING_FONT.font = nullptr;
}
