// The rotated texts of drawing execution.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "report/drawing/drawing_execution.h"
#include "report/drawing/drawing_numbers.h"
#include "report/drawing/drawing_text.h"

void DrawDrawingText(HDC dc, float x, float y, const char* text, float height, float angle,
                     int32_t length) {
  char buffer[100];
  const int32_t n = text ? std::clamp(length, 0, 99) : 0;
  if (n > 0) std::memcpy(buffer, text, static_cast<std::size_t>(n));
  buffer[n] = '\0';
  OemToCharA(buffer, buffer);

  const int32_t font_height = TruncateToInt32(height * DRAWING_TRANSFORM.scale);
  const int32_t degrees = TruncateToInt32(angle);
  if (font_height != DRAWING_FONT.height || degrees != DRAWING_FONT.angle) {
    DRAWING_FONT.height = font_height;
    DRAWING_FONT.angle = degrees;
    SelectDrawingFont(dc, font_height, degrees);
  }
  // The top-left corner lies 1.2 font heights above the anchor, across the baseline.
  const double a = static_cast<double>(degrees * DRAWING_RADIANS_PER_DEGREE);
  const double s = DRAWING_TRANSFORM.scale;
  const double rise = 1.2 * font_height;
  const int32_t X = LogicalX(x * s - rise * std::sin(a));
  const int32_t Y = LogicalY(y * s + rise * std::cos(a));
  if (n > 0) TextOutA(dc, X, Y, buffer, n);
  TraceDrawingStep("SYMBOL", X, Y);
  DrawMoveTo(dc, x, y);
}
