// The arithmetic of a drawing drawn into a rectangle of a device: the
// rectangle narrowed to the drawing's proportions, and the extents and the
// clipping sides the rectangle gives. Computed in 64 bits and kept within 32,
// so that no rectangle near the limits of its sides overflows. Platform-free.
#pragma once

#include <cstdint>

// A rectangle's sides in device or logical units.
struct PictureBox {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  bool operator==(const PictureBox&) const = default;
};

// Narrows the box to the proportions of a drawing W by H thousandths,
// centred in the direction it gives up; a box or a drawing without width or
// height stays as it is.
PictureBox FitToDrawing(PictureBox box, int32_t W, int32_t H);
// high − low: the extent a mapping takes from two sides.
int32_t SpanOf(int32_t low, int32_t high);
// side + 1: a clipping region ends one beyond the box, so that the box's last
// row and column are drawn.
int32_t OneBeyond(int32_t side);
