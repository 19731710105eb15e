// The attributes' colours and the status row's caption colours.
#include "report/screen/screen_face.h"

namespace {

COLORREF Packed(const ColourSlot& slot) {
  return RGB(slot.red & 0xFF, slot.green & 0xFF, slot.blue & 0xFF);
}

void StatusColours(const ColourSlot& caption, const ColourSlot& text) {
  ATTRIBUTE_COLOURS[ATTRIBUTE_STATUS] = {text, caption};
}

void RepaintStatusRow() {
  PaintCells(SCREEN_TEXT + STATUS_ROW_CELL, SCREEN_ATTRIBUTES + STATUS_ROW_CELL, ROW_CELLS,
             STATUS_ROW_CELL);
}

}  // namespace

void GetAttributeColours(int32_t attribute, COLORREF* background, COLORREF* text) {
  const AttributeColours& colours = attribute >= 1 && attribute < SCREEN_ATTRIBUTE_COUNT
                                        ? ATTRIBUTE_COLOURS[attribute]
                                        : ATTRIBUTE_COLOURS[0];
  *background = Packed(colours.background);
  *text = Packed(colours.text);
}

void UnpackColour(ColourSlot* slot, COLORREF colour) {
  *slot = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

void LoadSystemColours(int32_t active) {
  UnpackColour(&CAPTION_COLOURS.active_caption, GetSysColor(COLOR_ACTIVECAPTION));
  UnpackColour(&CAPTION_COLOURS.active_text, GetSysColor(COLOR_CAPTIONTEXT));
  UnpackColour(&CAPTION_COLOURS.inactive_caption, GetSysColor(COLOR_INACTIVECAPTION));
  UnpackColour(&CAPTION_COLOURS.inactive_text, GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  if (active)
    StatusColours(CAPTION_COLOURS.active_caption, CAPTION_COLOURS.active_text);
  else
    StatusColours(CAPTION_COLOURS.inactive_caption, CAPTION_COLOURS.inactive_text);
}

void ActivateStatusLine() {
  StatusColours(CAPTION_COLOURS.active_caption, CAPTION_COLOURS.active_text);
  RepaintStatusRow();
}

void DeactivateStatusLine() {
  StatusColours(CAPTION_COLOURS.inactive_caption, CAPTION_COLOURS.inactive_text);
  RepaintStatusRow();
}
