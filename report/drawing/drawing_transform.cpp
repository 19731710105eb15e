// Drawing points on the logical grid of the device context being drawn on.
#include "report/drawing/drawing_transform.h"

#include "report/drawing/drawing_numbers.h"

DrawingTransform DRAWING_TRANSFORM = {0, 0, 0, 1.0f};

int32_t LogicalX(double scaled) {
  // A truncation beyond 32 bits lands past every 32-bit sum anyway.
  const int64_t x = ClampToInt32(TruncateToInt64(scaled));
  return ClampToInt32(x + DRAWING_TRANSFORM.x0);
}

int32_t LogicalY(double scaled) {
  const int64_t y = ClampToInt32(TruncateToInt64(scaled));
  return ClampToInt32(int64_t{DRAWING_TRANSFORM.height} - y + DRAWING_TRANSFORM.y0);
}

int32_t MapDrawingX(float x) { return LogicalX(x * DRAWING_TRANSFORM.scale); }

int32_t MapDrawingY(float y) { return LogicalY(y * DRAWING_TRANSFORM.scale); }
