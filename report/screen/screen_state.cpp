// The text-form screen's process-wide window state: fonts and client size,
// colours, pens, the font tracker, the caret's size and the screen word.
#include "report/screen/screen_face.h"

ScreenMetrics SCREEN_METRICS = {nullptr, nullptr, 0, 0};

AttributeColours ATTRIBUTE_COLOURS[SCREEN_ATTRIBUTE_COUNT] = {
    {{0, 0, 127}, {255, 255, 255}},   // 0 and every unknown attribute
    {{0, 0, 0}, {255, 255, 255}},     // 1
    {{0, 127, 63}, {255, 255, 255}},  // 2
    {{127, 63, 0}, {255, 255, 255}},  // 3
    {{255, 0, 0}, {255, 255, 255}},   // 4
    {{0, 0, 0}, {0, 255, 255}},       // 5, an input field
    {{255, 255, 255}, {0, 0, 125}},   // 6, the status row: the caption's colours
    {{127, 63, 0}, {192, 192, 192}},  // 7, a shaded row
    {{127, 63, 0}, {127, 127, 127}},  // 8
};

CaptionColours CAPTION_COLOURS = {{0, 0, 125}, {255, 255, 255}, {0, 0, 125}, {255, 255, 255}};

ScreenPens SCREEN_PENS = {{}, {}, nullptr, nullptr, 255};

ScreenFontTracker SCREEN_FONT_TRACKER = {nullptr, ScreenFont::kNone};

CaretSize CARET_SIZE = {0, 0};

int32_t SCREEN_WORD = 0;
