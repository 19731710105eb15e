// The reach of a circle's or an ellipse's arc, for a drawing's extents.
#include <algorithm>
#include <cmath>

#include "report/drawing/drawing_text.h"

namespace {

// Whole degrees of an angle as read; the text format cannot hold more than
// 9999 of them, and a longer sweep only goes round the same points again.
int32_t WholeDegrees(float degrees) {
  if (std::isnan(degrees)) return 0;
  return static_cast<int32_t>(std::clamp(degrees, -9999.0f, 9999.0f));
}

}  // namespace

void GetArcExtent(float* largest_x, float* largest_y, const DRAWING_RECORD* record) {
  const bool circle = record->letter == 'C';
  const float cx = record->f1;
  const float cy = record->f2;
  const float rx = record->f3;
  const float ry = circle ? record->f3 : record->f4;
  const int32_t start = WholeDegrees(circle ? record->f4 : record->f5);
  const int32_t sweep = WholeDegrees(circle ? record->f5 : record->f6);
  auto x_at = [&](int32_t degrees) {
    return static_cast<float>(
        rx * std::cos(static_cast<double>(degrees * DRAWING_RADIANS_PER_DEGREE)) + cx);
  };
  auto y_at = [&](int32_t degrees) {
    return static_cast<float>(
        ry * std::sin(static_cast<double>(degrees * DRAWING_RADIANS_PER_DEGREE)) + cy);
  };
  float x = x_at(start);
  float y = y_at(start);
  const int32_t step = sweep < 0 ? -1 : 1;
  for (int32_t k = 0; k <= std::abs(sweep); ++k) {
    const int32_t at = start + step * k;
    x = std::max(x, x_at(at));
    y = std::max(y, y_at(at));
  }
  *largest_x = x;
  *largest_y = y;
}
