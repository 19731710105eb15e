// Screen cells painted on a device context from their plan, and kept in the
// screen's buffers so the window can be repainted from them at any time.
#include <algorithm>

#include "report/screen/screen_face.h"
#include "runenv/run_services_face.h"

namespace {

void TakeColours(HDC dc, int32_t attribute) {
  COLORREF background;
  COLORREF text;
  GetAttributeColours(attribute, &background, &text);
  SetBkColor(dc, background);
  SetTextColor(dc, text);
}

void RunCellStep(HDC dc, const CellStep& step) {
  switch (step.kind) {
    case CellStep::Kind::kColours:
      TakeColours(dc, step.attribute);
      return;
    case CellStep::Kind::kText:
      SelectScreenFont(dc, step.font);
      WriteScreenText(dc, step.x, step.y, step.text, step.from_oem);
      return;
    case CellStep::Kind::kFrameLine:
      SelectLinePen(dc, LinePen::kFieldFrame);
      MoveToEx(dc, step.x, step.y, nullptr);
      LineTo(dc, step.to_x, step.to_y);
      return;
  }
}

MeasureText MeasureOn(HDC dc) {
  return [dc](std::string_view text) { return MeasureScreenText(dc, text); };
}

}  // namespace

void DrawCells(HDC dc, const char* text, char* attributes, int32_t count, int32_t first) {
  if (dc == nullptr || text == nullptr || attributes == nullptr || count <= 0) return;
  const ScreenSelections selections(dc);
  SelectScreenFont(dc, ScreenFont::kText);
  for (const CellStep& step :
       PlanCells(text, attributes, count, first, GetScreenGrid(), MeasureOn(dc)))
    RunCellStep(dc, step);
  KeepCells(text, attributes, count, first);
}

void PaintCells(const char* text, char* attributes, int32_t count, int32_t first) {
  const WindowDc dc(SCREEN_WINDOW);
  if (dc.get()) DrawCells(dc.get(), text, attributes, count, first);
}

void PaintAllCells() { PaintCells(SCREEN_TEXT, SCREEN_ATTRIBUTES, SCREEN_CELLS, 0); }

void PaintScreen() {
  const WindowPaint paint(SCREEN_WINDOW);
  if (paint.get()) DrawCells(paint.get(), SCREEN_TEXT, SCREEN_ATTRIBUTES, SCREEN_CELLS, 0);
}

void DrawLeaderSegment(HDC dc, const char* text, int32_t cell, int32_t length) {
  if (dc == nullptr || text == nullptr) return;
  const ScreenSelections selections(dc);
  RunCellStep(dc, PlanLeaderSegment(text, cell, length, GetScreenGrid(), MeasureOn(dc)));
}

void PaintFieldCharacterOn(HDC dc, char character, char attribute, int32_t cell) {
  if (dc == nullptr || cell < 0 || cell >= SCREEN_CELLS) return;
  const ScreenGrid grid = GetScreenGrid();
  const int32_t x = grid.x(cell);
  const int32_t y = grid.y(cell);
  const ScreenSelections selections(dc);
  SelectScreenFont(dc, ScreenFont::kField);
  TakeColours(dc, static_cast<unsigned char>(attribute));
  WriteScreenText(dc, x, y, std::string_view(&character, 1), true);
  SelectLinePen(dc, LinePen::kFieldFrame);
  for (int32_t edge : {y, y + grid.cell_height()}) {
    MoveToEx(dc, x, edge, nullptr);
    LineTo(dc, x + grid.cell_width(), edge);
  }
  SCREEN_TEXT[cell] = character;
  SCREEN_ATTRIBUTES[cell] = attribute;
}

void PaintFieldCharacter(char character, char attribute, int32_t cell) {
  const WindowDc dc(SCREEN_WINDOW);
  if (dc.get()) PaintFieldCharacterOn(dc.get(), character, attribute, cell);
}
