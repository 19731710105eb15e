// Fonts and pens selected on the screen's device context only when they
// change, and the screen's texts written and measured as they are shown.
#include <string>

#include "report/screen/line_characters_face.h"
#include "report/screen/screen_face.h"

namespace {

constexpr int32_t kNoPen = 255;

COLORREF TextColour(int32_t attribute) {
  COLORREF background;
  COLORREF text;
  GetAttributeColours(attribute, &background, &text);
  return text;
}

HPEN MadePen(LinePen pen) {
  UniqueGdiObject* slot = pen == LinePen::kFieldFrame
                              ? &SCREEN_PENS.field_frame
                              : &SCREEN_PENS.line[static_cast<int32_t>(pen)];
  if (!*slot) {
    const COLORREF colour =
        pen == LinePen::kFieldFrame ? RGB(0, 0, 0) : TextColour(static_cast<int32_t>(pen));
    slot->reset(CreatePen(PS_SOLID, 1, colour));
  }
  return static_cast<HPEN>(slot->get());
}

// The text as the screen shows it: converted from the OEM code page into a
// buffer of its own size, except for the Chinese report language.
std::string Shown(std::string_view text, bool from_oem) {
  std::string shown(text);
  if (from_oem && REPORT_LANGUAGE_INDEX != CHINESE_LANGUAGE_INDEX && !shown.empty())
    OemToCharBuffA(shown.data(), shown.data(), static_cast<DWORD>(shown.size()));
  return shown;
}

}  // namespace

ScreenSelections::ScreenSelections(HDC dc)
    : own_(SCREEN_FONT_TRACKER.dc != dc || SCREEN_PENS.dc != dc),
      outer_font_(SCREEN_FONT_TRACKER),
      outer_pen_dc_(SCREEN_PENS.dc),
      outer_pen_(SCREEN_PENS.last_pen) {
  if (!own_) return;
  SCREEN_FONT_TRACKER = {dc, ScreenFont::kNone};
  SCREEN_PENS.dc = dc;
  SCREEN_PENS.last_pen = kNoPen;
}

ScreenSelections::~ScreenSelections() {
  if (!own_) return;
  SCREEN_FONT_TRACKER = outer_font_;
  SCREEN_PENS.dc = outer_pen_dc_;
  SCREEN_PENS.last_pen = outer_pen_;
}

void SelectScreenFont(HDC dc, ScreenFont font) {
  const bool tracked = dc != nullptr && SCREEN_FONT_TRACKER.dc == dc;
  if (tracked && SCREEN_FONT_TRACKER.font == font) return;
  const HFONT handle = font == ScreenFont::kField  ? SCREEN_METRICS.field_font
                       : font == ScreenFont::kText ? SCREEN_METRICS.text_font
                                                   : nullptr;
  if (handle) SelectObject(dc, handle);
  if (tracked) SCREEN_FONT_TRACKER.font = font;
}

void SelectLinePen(HDC dc, LinePen pen) {
  const int32_t number = static_cast<int32_t>(pen);
  const bool tracked = dc != nullptr && SCREEN_PENS.dc == dc;
  if (tracked && SCREEN_PENS.last_pen == number) return;
  if (HPEN handle = MadePen(pen)) SelectObject(dc, handle);
  if (pen == LinePen::kFieldFrame) {
    if (!SCREEN_PENS.field_brush)
      SCREEN_PENS.field_brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    SelectObject(dc, SCREEN_PENS.field_brush);
  }
  if (tracked) SCREEN_PENS.last_pen = number;
}

void WriteScreenText(HDC dc, int32_t x, int32_t y, std::string_view text, bool from_oem) {
  const std::string shown = Shown(text, from_oem);
  TextOutA(dc, x, y, shown.data(), static_cast<int>(shown.size()));
}

int32_t MeasureScreenText(HDC dc, std::string_view text) {
  SelectScreenFont(dc, ScreenFont::kText);
  const std::string shown = Shown(text, true);
  SIZE size{};
  GetTextExtentPoint32A(dc, shown.data(), static_cast<int>(shown.size()), &size);
  return size.cx;
}
