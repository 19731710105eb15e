// Moves, lines, arcs, ellipses and arrows of drawing execution, in drawing
// units mapped by DRAWING_TRANSFORM.
#include <cmath>
#include <cstdlib>
#include <utility>

#include "report/drawing/drawing_execution.h"
#include "report/drawing/drawing_text.h"

namespace {

double Radians(float degrees) { return static_cast<double>(degrees * DRAWING_RADIANS_PER_DEGREE); }

}  // namespace

void DrawMoveTo(HDC dc, float x, float y) {
  const int32_t X = MapDrawingX(x);
  const int32_t Y = MapDrawingY(y);
  MoveToEx(dc, X, Y, nullptr);
  TraceDrawingStep("MOVE TO", X, Y);
}

void DrawLineTo(HDC dc, float x, float y) {
  const int32_t X = MapDrawingX(x);
  const int32_t Y = MapDrawingY(y);
  LineTo(dc, X, Y);
  TraceDrawingStep("DRAW LINE", X, Y);
}

void DrawArcOrEllipse(HDC dc, float cx, float cy, float rx, float ry, float start, float sweep) {
  int32_t left = MapDrawingX(cx - rx);
  int32_t right = MapDrawingX(cx + rx);
  int32_t top = MapDrawingY(cy + ry);
  int32_t bottom = MapDrawingY(cy - ry);
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);

  const double s = DRAWING_TRANSFORM.scale;
  const double a = Radians(start);
  const double e = Radians(start + sweep);
  const int32_t sx = LogicalX((rx * std::cos(a) + cx) * s);
  const int32_t sy = LogicalY((ry * std::sin(a) + cy) * s);
  int32_t ex = LogicalX((rx * std::cos(e) + cx) * s);
  int32_t ey = LogicalY((ry * std::sin(e) + cy) * s);
  // Ends within one unit of each other are one point, and the platform then
  // draws the whole ellipse.
  if (std::llabs(int64_t{ex} - sx) < 2) ex = sx;
  if (std::llabs(int64_t{ey} - sy) < 2) ey = sy;

  const HGDIOBJ own_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  // The platform draws arcs counter-clockwise from the first point to the second.
  if (std::fabs(sweep) > 359.99f)
    Ellipse(dc, left, top, right, bottom);
  else if (sweep < 0.0f)
    Arc(dc, left, top, right, bottom, ex, ey, sx, sy);
  else
    Arc(dc, left, top, right, bottom, sx, sy, ex, ey);
  SelectObject(dc, own_brush);
  MoveToEx(dc, ex, ey, nullptr);
}

void DrawArrow(HDC dc, float tip_x, float tip_y, float tail_x, float tail_y, float bar) {
  constexpr float kPi = 3.141593f;
  // The direction from the tip toward the tail.
  float theta = 0.0f;
  if (std::fabs(tail_x - tip_x) < 0.00001f)
    theta = tail_y > tip_y ? kPi / 2 : -kPi / 2;
  else if (std::fabs(tail_y - tip_y) < 0.00001f)
    theta = tail_x > tip_x ? 0.0f : kPi;
  else
    theta =
        static_cast<float>(std::atan(static_cast<double>((tail_y - tip_y) / (tail_x - tip_x)))) +
        (tip_x > tail_x ? kPi : 0.0f);

  // A head 0.12 drawing units long, 10 degrees either side of the shaft.
  const float half_angle = 10.0f * DRAWING_RADIANS_PER_DEGREE;
  const auto head = [&](float side) {
    const double angle = static_cast<double>(theta + side);
    return std::pair{static_cast<float>(tip_x + 0.12 * std::cos(angle)),
                     static_cast<float>(tip_y + 0.12 * std::sin(angle))};
  };
  const auto [p1x, p1y] = head(half_angle);
  const auto [p2x, p2y] = head(-half_angle);
  DrawMoveTo(dc, tail_x, tail_y);
  DrawLineTo(dc, tip_x, tip_y);
  DrawLineTo(dc, p1x, p1y);
  DrawLineTo(dc, p2x, p2y);
  DrawLineTo(dc, tip_x, tip_y);

  const double t = static_cast<double>(theta);
  float c1x = static_cast<float>(tip_x - bar * std::sin(t));
  float c1y = static_cast<float>(tip_y + bar * std::cos(t));
  const float c2x = static_cast<float>(tip_x + bar * std::sin(t));
  const float c2y = static_cast<float>(tip_y - bar * std::cos(t));
  if (std::fabs(c1x - c2x) < 0.02f) c1x = c2x;
  if (std::fabs(c1y - c2y) < 0.02f) c1y = c2y;
  DrawMoveTo(dc, c1x, c1y);
  DrawLineTo(dc, c2x, c2y);
}
