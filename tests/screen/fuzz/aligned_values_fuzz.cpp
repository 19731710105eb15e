// Aligned values and the screen's cell plan over arbitrary pages: every
// value and segment stays in its row, a plan always ends, and no read leaves
// the texts, the marks or the field data.
//
// Input: one byte for the language index and the font, then up to 2000 bytes
// of text, up to 2000 of layout marks and up to 2000 of field data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "report/screen/line_characters_face.h"
#include "report/screen/screen_cells_face.h"

namespace {

std::string_view Take(const uint8_t*& data, size_t& size, size_t most) {
  const size_t n = size < most ? size : most;
  const std::string_view part(reinterpret_cast<const char*>(data), n);
  data += n;
  size -= n;
  return part;
}

void CheckSegments(const CellText& text, const CellText& marks) {
  for (int32_t cell = text.first; cell < text.first + text.count; ++cell) {
    const int32_t row_first = RowStart(cell);
    const int32_t start = FindSegmentStart(text, marks, cell);
    const int32_t end = FindSegmentEnd(text, marks, cell);
    // One cell past either end means an empty value.
    if (start < row_first || start > cell + 1 || end < cell - 1 || end >= row_first + ROW_CELLS)
      std::abort();
    const std::string value = GetAlignedSegment(text, marks, cell, cell - (cell & 7));
    if (value.size() > static_cast<std::size_t>(ROW_CELLS)) std::abort();
  }
}

void CheckPlan(const char* text, char* attributes, int32_t count, int32_t first,
               const ScreenGrid& grid, int32_t char_width) {
  const MeasureText measure = [char_width](std::string_view t) {
    return static_cast<int32_t>(t.size()) * char_width;
  };
  for (const CellStep& step : PlanCells(text, attributes, count, first, grid, measure)) {
    if (step.kind != CellStep::Kind::kText) continue;
    if (step.text.size() > static_cast<std::size_t>(LEADER_TEXT_LIMIT)) std::abort();
    // Every text lies on a row of the call, or on the status row.
    const int32_t row = grid.cell_height() > 0 ? step.y / grid.cell_height() : 0;
    if (grid.cell_height() > 0 && step.y != row * grid.cell_height()) std::abort();
    if (grid.cell_height() > 0 && row != SCREEN_ROWS - 1 &&
        (row < first / ROW_CELLS || row > (first + count - 1) / ROW_CELLS))
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t control = data[0];
  ++data;
  --size;
  REPORT_LANGUAGE_INDEX = control % 8;
  const std::string_view text_part = Take(data, size, SCREEN_CELLS);
  const std::string_view mark_part = Take(data, size, SCREEN_CELLS);
  const std::string_view field_part = Take(data, size, FIELD_DATA_SIZE - 1);

  // The texts in blocks of exactly their size.
  const int32_t text_count = static_cast<int32_t>(text_part.size());
  std::unique_ptr<char[]> text(new char[text_part.size() + 1]);
  std::memcpy(text.get(), text_part.data(), text_part.size());
  std::unique_ptr<char[]> marks(new char[mark_part.size() + 1]);
  std::memcpy(marks.get(), mark_part.data(), mark_part.size());
  CheckSegments({text.get(), 0, text_count},
                {marks.get(), 0, static_cast<int32_t>(mark_part.size())});
  CheckSegments({text.get(), 960, text_count < 200 ? text_count : 200},
                {marks.get(), 960, static_cast<int32_t>(mark_part.size())});

  // The same page on the screen: its text, marks and merged values.
  std::memset(SCREEN_TEXT, ' ', SCREEN_CELLS);
  std::memcpy(SCREEN_TEXT, text_part.data(), text_part.size());
  std::memset(LAYOUT_MARKS, ' ', SCREEN_CELLS);
  std::memcpy(LAYOUT_MARKS, mark_part.data(), mark_part.size());
  std::memset(FIELD_DATA, 0, FIELD_DATA_SIZE);
  std::memcpy(FIELD_DATA, field_part.data(), field_part.size());
  const int32_t field_length = static_cast<int32_t>(field_part.size());
  for (int32_t cell = 0; cell < SCREEN_CELLS; ++cell) {
    const unsigned char c = static_cast<unsigned char>(SCREEN_TEXT[cell]);
    FIELD_INDEX[cell] = (cell * 7 + c) % (field_length + 3) - 1;
    SCREEN_ATTRIBUTES[cell] = static_cast<char>((c ^ control) % 10);
  }
  const ScreenGrid grid{control * 7, control * 3};
  const int32_t char_width = control % 13;
  CheckPlan(SCREEN_TEXT, SCREEN_ATTRIBUTES, SCREEN_CELLS, 0, grid, char_width);
  // A call of its own text from a cell inside the screen.
  const int32_t first = (control * 13) % SCREEN_CELLS;
  std::unique_ptr<char[]> attributes(new char[text_part.size() + 1]);
  for (int32_t i = 0; i < text_count; ++i)
    attributes[static_cast<std::size_t>(i)] =
        static_cast<char>(text_part[static_cast<size_t>(i)] % 9);
  CheckPlan(text.get(), attributes.get(), text_count, first, grid, char_width);
  return 0;
}
