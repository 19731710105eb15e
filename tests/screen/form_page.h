// A form page for the form-field tests: its template, screen text and
// attributes, each in a block of exactly 1920 cells, filled a line at a time;
// and a painter that records what the form routines paint.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/screen/form_fields_face.h"
#include "tests/screen/screen_page.h"

struct FormPage {
  ExactCells form{FORM_CELLS};
  ExactCells text{FORM_CELLS};
  ExactCells attributes{FORM_CELLS, 0};

  // The same characters into the template and the screen text.
  void Both(int32_t line, int32_t column, std::string_view cells) {
    form.put(Cell(line, column), cells);
    text.put(Cell(line, column), cells);
  }
};

class RecordingPainter : public FormPainter {
 public:
  struct Cells {
    std::string text;
    std::string attributes;
    int32_t first;
  };
  struct Character {
    char character;
    char attribute;
    int32_t cell;
  };

  void PaintCells(const char* text, char* attributes, int32_t count, int32_t first) override {
    cells.push_back({std::string(text, static_cast<std::size_t>(count)),
                     std::string(attributes, static_cast<std::size_t>(count)), first});
  }
  void PaintFieldCharacter(char character, char attribute, int32_t cell) override {
    characters.push_back({character, attribute, cell});
  }
  // The characters painted one by one, in order.
  std::string characters_text() const {
    std::string out;
    for (const Character& c : characters) out += c.character;
    return out;
  }

  std::vector<Cells> cells;
  std::vector<Character> characters;
};
