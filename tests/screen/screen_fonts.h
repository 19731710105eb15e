// Fonts for the screen tests and the widths of texts in them. Every face
// maps to the same monospaced font here, so a font is told by its size.
#pragma once

#include <windows.h>

#include <string>

#include "include/holders.h"
#include "report/screen/screen_face.h"

inline UniqueGdiObject ScreenTestFont(int height, int width) {
  return UniqueGdiObject(CreateFontA(-height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
}

// The width of an ANSI text in the font on the device context, as TextOutA
// writes it there; the font selected before is put back.
inline int TextWidthIn(HDC dc, const UniqueGdiObject& font, const std::string& text) {
  const HGDIOBJ old = SelectObject(dc, font.get());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  return size.cx;
}

// The screen's metrics for one test, and none after it.
class ScreenMetricsScope {
 public:
  ScreenMetricsScope(const UniqueGdiObject& field_font, const UniqueGdiObject& text_font,
                     int32_t width, int32_t height) {
    SetScreenMetrics(
        {static_cast<HFONT>(field_font.get()), static_cast<HFONT>(text_font.get()), width, height});
  }
  ~ScreenMetricsScope() { SetScreenMetrics({nullptr, nullptr, 0, 0}); }
  ScreenMetricsScope(const ScreenMetricsScope&) = delete;
  ScreenMetricsScope& operator=(const ScreenMetricsScope&) = delete;
};
