// The pens and the font of drawing execution, and the release of a loaded
// drawing together with them.
#include <cstring>

#include "report/drawing/drawing_execution.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/drawing_numbers.h"

DrawingPens DRAWING_PENS = {nullptr, nullptr};
DrawingFont DRAWING_FONT = {nullptr, -1, -1};

namespace {

template <class Handle>
void DeleteHeld(Handle& handle) {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

}  // namespace

void CreateDrawingPens() {
  if (DRAWING_PENS.thick) return;
  DeleteHeld(DRAWING_PENS.thin);
  LOGPEN thin = {PS_DOT, {1, 0}, 0};
  LOGPEN thick = {PS_SOLID, {10, 0}, 0};
  DRAWING_PENS.thin = CreatePenIndirect(&thin);
  DRAWING_PENS.thick = CreatePenIndirect(&thick);
}

void SelectDrawingFont(HDC dc, int32_t height, int32_t angle) {
  LOGFONTA font;
  std::memset(&font, 0, sizeof font);
  font.lfHeight = height;
  // Tenths of a degree.
  font.lfEscapement = ClampToInt32(int64_t{angle} * 10);
  font.lfOrientation = font.lfEscapement;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = ANSI_CHARSET;
  font.lfQuality = PROOF_QUALITY;
  std::strcpy(font.lfFaceName, "Arial");
  const HFONT made = CreateFontIndirectA(&font);
  SelectObject(dc, made);
  // The font it replaces is no longer selected anywhere.
  DeleteHeld(DRAWING_FONT.font);
  DRAWING_FONT.font = made;
}

void FreeDrawing(LOADED_DRAWING* drawing) {
  if (drawing) {
    FreeDrawingMemory(static_cast<HGLOBAL>(drawing->records));
    FreeDrawingMemory(static_cast<HGLOBAL>(drawing->texts));
    *drawing = LOADED_DRAWING{};
  }
  DeleteHeld(DRAWING_FONT.font);
  DeleteHeld(DRAWING_PENS.thick);
  DeleteHeld(DRAWING_PENS.thin);
}
