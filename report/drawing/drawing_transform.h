// The mapping from drawing units to a device context's logical units that
// one ExecuteDrawing sets: X = trunc(x·s) + x0, Y = H − trunc(y·s) + y0, so
// that drawing y grows upward. Computed in 64 bits and kept within 32, a NaN
// taken as 0, so that no record can overflow a coordinate. Platform-free.
#pragma once

#include <cstdint>

struct DrawingTransform {
  int32_t height;  // H, logical units
  int32_t x0;
  int32_t y0;
  float scale;  // s, logical units per drawing unit
};
extern DrawingTransform DRAWING_TRANSFORM;

// From a product already scaled (x·s): trunc(x·s) + x0, H − trunc(y·s) + y0.
int32_t LogicalX(double scaled);
int32_t LogicalY(double scaled);
// A drawing point, the product formed in single precision.
int32_t MapDrawingX(float x);
int32_t MapDrawingY(float y);
