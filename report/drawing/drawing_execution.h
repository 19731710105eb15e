// Drawing the records of a drawing on a device context: moves, lines,
// circles, ellipses and their arcs, arrows and rotated texts, with the two
// pens and the font that drawing execution keeps process-wide.
#pragma once

#include <windows.h>

#include <cstdint>

#include "report/drawing/drawing_face.h"
#include "report/drawing/drawing_transform.h"

// The thick pen (solid, width 10, black) and the thin pen (dotted, width 1,
// black), from the first drawing drawn until the next FreeDrawing.
struct DrawingPens {
  HPEN thick;
  HPEN thin;
};
extern DrawingPens DRAWING_PENS;

// The font of the S texts and the height and angle it was made for.
struct DrawingFont {
  HFONT font;
  int32_t height;
  int32_t angle;
};
extern DrawingFont DRAWING_FONT;

// Makes both pens, thin first, when the thick pen does not exist.
void CreateDrawingPens();

// Draws record_count records in order; extent gives H (its cy), origin
// (x0, y0), scale s. S texts are taken from texts, text_size bytes of them.
void ExecuteDrawing(HDC dc, const DRAWING_RECORD* records, int32_t record_count, const char* texts,
                    int32_t text_size, SIZE extent, POINT origin, float scale);

void DrawMoveTo(HDC dc, float x, float y);
// A line from the current position to the point, which becomes the current one.
void DrawLineTo(HDC dc, float x, float y);
// Angles in degrees; a sweep beyond 359.99 either way is the whole ellipse.
void DrawArcOrEllipse(HDC dc, float cx, float cy, float rx, float ry, float start, float sweep);
// At most 99 characters of text, in the OEM code page, anchored at its
// lower left; the current position ends at the anchor.
void DrawDrawingText(HDC dc, float x, float y, const char* text, float height, float angle,
                     int32_t length);
// A shaft from the tail to the tip, a closed head at the tip and a bar of
// half-length bar across it, all in drawing units.
void DrawArrow(HDC dc, float tip_x, float tip_y, float tail_x, float tail_y, float bar);
// Height in logical units, angle in whole degrees.
void SelectDrawingFont(HDC dc, int32_t height, int32_t angle);
// Passed each move ("MOVE TO"), line ("DRAW LINE") and text ("SYMBOL") with
// its logical point: a place to watch a drawing being made while debugging.
void TraceDrawingStep(const char* label, int32_t x, int32_t y);

// Releases a loaded drawing's areas, and the pens and the font.
void FreeDrawing(LOADED_DRAWING* drawing);
