// The form routines painting on the text-form screen itself.
#include "report/screen/form_fields_face.h"
#include "report/screen/screen_face.h"

namespace {

class ScreenPainter : public FormPainter {
 public:
  void PaintCells(const char* text, char* attributes, int32_t count, int32_t first) override {
    ::PaintCells(text, attributes, count, first);
  }
  void PaintFieldCharacter(char character, char attribute, int32_t cell) override {
    ::PaintFieldCharacter(character, attribute, cell);
  }
};

ScreenPainter& OnScreen() {
  static ScreenPainter painter;
  return painter;
}

}  // namespace

int32_t HandleFormCell(const char* mode, const char* options, const char* form, char* screen_text,
                       char* attributes, int32_t cell) {
  return HandleFormCell(mode, options, form, screen_text, attributes, cell, OnScreen());
}

int32_t PaintTextLine(const char* text, int32_t row) {
  return PaintTextLine(text, row, OnScreen());
}
