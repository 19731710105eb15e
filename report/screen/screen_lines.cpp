// The screen's lines drawn on a device context from their plan.
#include "report/screen/screen_face.h"
#include "runenv/run_services_face.h"

void DrawScreenLinesOn(HDC dc, int32_t first_row, int32_t rows) {
  if (dc == nullptr) return;
  const ScreenSelections selections(dc);
  for (const LineStep& step :
       PlanScreenLines(SCREEN_TEXT, SCREEN_ATTRIBUTES, first_row, rows, GetScreenGrid())) {
    SelectLinePen(dc, step.pen);
    if (step.kind == LineStep::Kind::kFrame) {
      Rectangle(dc, step.x1, step.y1, step.x2, step.y2);
    } else {
      MoveToEx(dc, step.x1, step.y1, nullptr);
      LineTo(dc, step.x2, step.y2);
    }
  }
}

void DrawScreenLines(int32_t first_row, int32_t rows) {
  const WindowDc dc(SCREEN_WINDOW);
  if (dc.get()) DrawScreenLinesOn(dc.get(), first_row, rows);
}
