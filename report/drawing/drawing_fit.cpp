// Rectangles fitted to drawings, and their extents, within 32 bits.
#include "report/drawing/drawing_fit.h"

#include <cmath>
#include <cstdlib>

#include "report/drawing/drawing_numbers.h"

PictureBox FitToDrawing(PictureBox box, int32_t W, int32_t H) {
  const int64_t w = int64_t{box.right} - box.left;
  const int64_t h = int64_t{box.bottom} - box.top;
  // The proportions divide by both heights.
  if (W <= 0 || H <= 0 || w <= 0 || h <= 0) return box;
  const double drawing_ratio = double(W) / H;
  const double rect_ratio = double(w) / double(h);
  double width = double(w);
  double height = double(h);
  if (rect_ratio > drawing_ratio) width = double(h) * drawing_ratio;
  if (drawing_ratio > rect_ratio) height = double(w) / drawing_ratio;
  const int64_t fitted_w = TruncateToInt64(std::ceil(width));
  const int64_t fitted_h = TruncateToInt64(std::ceil(height));
  if (std::llabs(fitted_w - w) > 1) {
    box.left = ClampToInt32(box.left + (w - fitted_w) / 2);
    box.right = ClampToInt32(box.left + fitted_w);
  } else if (std::llabs(fitted_h - h) > 1) {
    box.top = ClampToInt32(box.top + (h - fitted_h) / 2);
    box.bottom = ClampToInt32(box.top + fitted_h);
  }
  return box;
}

int32_t SpanOf(int32_t low, int32_t high) { return ClampToInt32(int64_t{high} - low); }

int32_t OneBeyond(int32_t side) { return ClampToInt32(int64_t{side} + 1); }
