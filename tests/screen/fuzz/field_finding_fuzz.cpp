// Field finding over arbitrary form pages: searches stay in the form, a fill
// or a pick changes only field cells, groups and labels stay in their row,
// and no read leaves the template, the screen text or the field data.
//
// Input: two bytes that choose the mode, the options and the cells to
// select, then up to 1920 bytes of template, 1920 of screen text and the
// field data. Template and screen text are blocks of exactly 1920 cells.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "report/screen/form_fields_face.h"
#include "report/screen/line_characters_face.h"

namespace {

class CountingPainter : public FormPainter {
 public:
  void PaintCells(const char* text, char* attributes, int32_t count, int32_t first) override {
    if (count < 0 || first < 0 || first + count > FORM_CELLS) std::abort();
    for (int32_t i = 0; i < count; ++i) sum_ += text[i] + attributes[i];
  }
  void PaintFieldCharacter(char character, char attribute, int32_t cell) override {
    if (cell < 0 || cell >= FORM_CELLS) std::abort();
    sum_ += character + attribute;
  }
  int64_t sum_ = 0;
};

std::unique_ptr<char[]> Cells(std::string_view part) {
  std::unique_ptr<char[]> cells(new char[FORM_CELLS]);
  std::memset(cells.get(), ' ', FORM_CELLS);
  std::memcpy(cells.get(), part.data(), part.size() < FORM_CELLS ? part.size() : FORM_CELLS);
  return cells;
}

// Every cell that differs between the two texts is a field cell of the form.
void OnlyFieldCellsChanged(const char* form, const char* before, const char* after) {
  for (int32_t cell = 0; cell < FORM_CELLS; ++cell)
    if (before[cell] != after[cell] && !IsFieldCell(form[cell])) std::abort();
}

void CheckSearches(const char* form) {
  for (int32_t cell = -1; cell <= FORM_CELLS; cell += 29) {
    const int32_t next = FindFieldBoundary(cell, form);
    if (next < -1 || next >= 1679) std::abort();
    const int32_t previous = FindPreviousFieldStart(cell, form);
    if (previous < -1 || previous >= 1680) std::abort();
  }
  for (int32_t n = 0; n < 12; ++n) {
    int32_t start = -1;
    const int32_t length = GetNthField(n, form, &start);
    if (length < 0) std::abort();
    if (length == 0) continue;
    if (start < 0 || start + length > 1679) std::abort();
    for (int32_t cell = start; cell < start + length; ++cell)
      if (!IsFieldCell(form[cell])) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t choice = data[0];
  // Some 20 to 50 cells selected a run, spread over the form.
  const int32_t step = 37 + data[1] % 64;
  std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  std::unique_ptr<char[]> form = Cells(rest.substr(0, FORM_CELLS));
  rest.remove_prefix(rest.size() < FORM_CELLS ? rest.size() : FORM_CELLS);
  std::unique_ptr<char[]> text = Cells(rest.substr(0, FORM_CELLS));
  rest.remove_prefix(rest.size() < FORM_CELLS ? rest.size() : FORM_CELLS);
  const std::string field_data(rest);  // NUL-terminated
  std::unique_ptr<char[]> attributes(new char[FORM_CELLS]);
  std::memset(attributes.get(), choice % 9, FORM_CELLS);

  CheckSearches(form.get());

  // Collected values fit their buffer.
  std::unique_ptr<char[]> collected(new char[COLLECTED_FIELD_DATA_SIZE]);
  const char* modes[] = {"   ", " U ", "AN", "A", "  C", "", "xFU"};
  const char* mode = modes[choice % 7];
  const int32_t bytes = CollectFieldValues(mode, form.get(), text.get(), collected.get());
  if (bytes < 0 || bytes >= COLLECTED_FIELD_DATA_SIZE) std::abort();

  // A fill writes field cells only.
  std::unique_ptr<char[]> filled = Cells(std::string_view(text.get(), FORM_CELLS));
  FillFieldsFromValues(form.get(), filled.get(), field_data.c_str());
  OnlyFieldCellsChanged(form.get(), text.get(), filled.get());

  const char* options[] = {"NNNNNNNNNNNNN", "YYYYYYYYYYYYY", "NNNNHNYYFNNNY", "NNF", ""};
  CountingPainter painter;
  for (int32_t cell = choice % step; cell < FORM_CELLS; cell += step) {
    int32_t field = 0;
    char name[PICK_NAME_SIZE] = {};
    const int32_t group = FindPickGroup(cell, form.get(), &field, name);
    if (group < 0 || group > ROW_CELLS || std::strlen(name) >= PICK_NAME_SIZE) std::abort();
    const int32_t key = FindFunctionKeyLabel(form.get(), text.get(), cell);
    if (key < 0 || key > 12) std::abort();
    std::unique_ptr<char[]> picked = Cells(std::string_view(text.get(), FORM_CELLS));
    const int32_t answer = HandleFormCell(mode, options[(cell + choice) % 5], form.get(),
                                          picked.get(), attributes.get(), cell, painter);
    if (answer < -1 || answer > 13) std::abort();
    OnlyFieldCellsChanged(form.get(), text.get(), picked.get());
  }

  std::unique_ptr<char[]> mapped_form = Cells(std::string_view(form.get(), FORM_CELLS));
  MapLineAttributes(text.get(), mapped_form.get(), attributes.get());
  return 0;
}
