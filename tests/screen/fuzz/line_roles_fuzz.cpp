// Line characters, line roles and the screen's lines over arbitrary screen
// texts: every role is one of the four, every flag 0 or 1, lines stay in their
// rows, and no read leaves the text.
//
// Input: one byte for the language index, then the text. The text is read
// both as it comes, in a block of exactly its size, and as the 80-by-25
// screen that holds it from cell 0, blank beyond it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "report/screen/line_characters_face.h"
#include "report/screen/screen_cells_face.h"

namespace {

constexpr int32_t kScreenCells = 2000;

bool IsRole(int32_t role) {
  return role == LINE_STARTS || role == LINE_PASSES || role == LINE_ENDS || role == NO_LINE;
}

void CheckCells(const CellText& text) {
  for (int32_t cell = text.first - 1; cell <= text.first + text.count; ++cell) {
    const int32_t flag = IsLineCharacter(text, cell);
    if (flag != 0 && flag != 1) std::abort();
    if (!IsRole(ClassifyHorizontalLine(text, cell)) || !IsRole(ClassifyVerticalLine(text, cell)))
      std::abort();
  }
}

// The screen's lines from those cells: every line runs forwards, and a
// horizontal one stays in its row.
void CheckLines(const char* text, const uint8_t* data, size_t size) {
  std::unique_ptr<char[]> attributes(new char[kScreenCells]);
  for (int32_t cell = 0; cell < kScreenCells; ++cell)
    attributes[cell] = static_cast<char>(data[static_cast<size_t>(cell) % size] % 9);
  const ScreenGrid grid{800 + data[0], 500 + data[0]};
  for (const LineStep& line :
       PlanScreenLines(text, attributes.get(), data[0] % 30 - 3, data[0] % 27, grid)) {
    if (line.x1 > line.x2 || line.y1 > line.y2) std::abort();
    if (line.kind != LineStep::Kind::kLine || line.y1 != line.y2) continue;
    const int32_t row = line.y1 / grid.cell_height();
    if (line.x2 > grid.x(row * ROW_CELLS + ROW_CELLS - 1) + grid.cell_width()) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  REPORT_LANGUAGE_INDEX = data[0] % 8;
  const int32_t count = static_cast<int32_t>(size - 1 < kScreenCells ? size - 1 : kScreenCells);

  std::unique_ptr<char[]> own(new char[static_cast<std::size_t>(count)]);
  std::memcpy(own.get(), data + 1, static_cast<std::size_t>(count));
  CheckCells({own.get(), 0, count});
  // The same cells somewhere in the middle of a page.
  CheckCells({own.get(), 1000 + data[0], count});

  std::unique_ptr<char[]> screen(new char[kScreenCells]);
  std::memset(screen.get(), ' ', kScreenCells);
  std::memcpy(screen.get(), data + 1, static_cast<std::size_t>(count));
  CheckCells({screen.get(), 0, kScreenCells});
  CheckLines(screen.get(), data, size);
  return 0;
}
