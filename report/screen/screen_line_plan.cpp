// The plan of the screen's lines: box lines collected from line characters
// into segments, one line each, the fixed rules, underlines and field frames.
#include <algorithm>

#include "report/screen/screen_cells_face.h"

namespace {

LinePen PenOf(char attribute) {
  switch (attribute) {
    case 1:
      return LinePen::kAttribute1;
    case 2:
      return LinePen::kAttribute2;
    case 3:
      return LinePen::kAttribute3;
    default:
      return LinePen::kDefault;
  }
}

// The rule drawn across the form above its last two rows of keys, and the
// top of the grey strip that a shaded row 21 starts.
constexpr int32_t kRuleRow = 22;
constexpr int32_t kStripRow = 20;

// Consecutive cells with a line role: where the segment starts, how many
// cells it has, and how far in from its two ends it is drawn.
struct Segment {
  int32_t start = -1;
  int32_t count = 0;
  int32_t start_inset = 0;
  int32_t end_inset = 0;

  bool open() const { return start >= 0; }
  void take(int32_t cell, int32_t role, int32_t inset) {
    if (!open()) start = cell;
    ++count;
    if (role == LINE_STARTS) start_inset = inset;
    if (role == LINE_ENDS) end_inset = inset;
  }
};

class LinePlanner {
 public:
  LinePlanner(const char* text, const char* attributes, const ScreenGrid& grid)
      : text_{text, 0, SCREEN_CELLS}, attributes_(attributes), grid_(grid) {}

  std::vector<LineStep> Plan(int32_t first_row, int32_t last_row) {
    for (int32_t row = first_row; row <= last_row; ++row) PlanRow(row);
    for (int32_t column = 0; column < ROW_CELLS - 1; ++column)
      PlanColumn(column, first_row, last_row);
    return std::move(steps_);
  }

 private:
  int32_t half_width() const { return grid_.cell_width() / 2; }
  int32_t half_height() const { return grid_.cell_height() / 2; }

  void Line(LinePen pen, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    steps_.push_back({LineStep::Kind::kLine, pen, x1, y1, x2, y2});
  }

  void PlanRow(int32_t row) {
    const int32_t first = row * ROW_CELLS;
    const int32_t last = first + ROW_CELLS - 1;
    const int32_t y = grid_.y(first);
    const int32_t h = half_width();
    if (row == kRuleRow)
      Line(LinePen::kDefault, grid_.x(first) - h, y + grid_.cell_height() - 1, grid_.x(last) + h,
           y + grid_.cell_height() - 1);
    if (row == kStripRow && attributes_[first] == static_cast<char>(ATTRIBUTE_SHADED)) {
      Line(LinePen::kDefault, grid_.x(first) - h, y, grid_.x(last) + h, y);
    } else {
      Segment segment;
      for (int32_t cell = first; cell <= last; ++cell) {
        const int32_t role = ClassifyHorizontalLine(text_, cell);
        if (role != NO_LINE) {
          segment.take(cell, role, h);
        } else if (segment.open()) {
          Line(PenOf(attributes_[segment.start]), grid_.x(segment.start) + segment.start_inset,
               y + half_height(), grid_.x(segment.start + segment.count) - segment.end_inset,
               y + half_height());
          segment = {};
        }
      }
    }

    const unsigned char underline = static_cast<unsigned char>(attributes_[last]);
    if (underline == ATTRIBUTE_UNDERLINE || underline == ATTRIBUTE_SHORT_UNDERLINE) {
      const int32_t cells = underline == ATTRIBUTE_UNDERLINE ? 79 : 60;
      Line(LinePen::kDefault, grid_.x(first), y + grid_.cell_height(), grid_.x(first + cells) - h,
           y + grid_.cell_height());
    }

    int32_t field = -1;
    for (int32_t cell = first; cell <= last; ++cell) {
      if (static_cast<unsigned char>(attributes_[cell]) == ATTRIBUTE_FIELD) {
        if (field < 0) field = cell;
      } else if (field >= 0) {
        steps_.push_back({LineStep::Kind::kFrame, LinePen::kFieldFrame, grid_.x(field) - 2, y,
                          grid_.x(cell), y + grid_.cell_height()});
        field = -1;
      }
    }
  }

  // Each column starts with no segment and no insets, as each row does.
  void PlanColumn(int32_t column, int32_t first_row, int32_t last_row) {
    const int32_t x = grid_.x(column) + half_width();
    const int32_t v = half_height();
    Segment segment;
    for (int32_t row = first_row; row <= last_row; ++row) {
      const int32_t cell = row * ROW_CELLS + column;
      const int32_t role = ClassifyVerticalLine(text_, cell);
      if (role != NO_LINE) {
        segment.take(cell, role, v);
      } else if (segment.open()) {
        Line(PenOf(attributes_[segment.start]), x, grid_.y(segment.start) + segment.start_inset, x,
             grid_.y(segment.start + ROW_CELLS * segment.count) - segment.end_inset);
        segment = {};
      }
    }
  }

  CellText text_;
  const char* attributes_;
  const ScreenGrid& grid_;
  std::vector<LineStep> steps_;
};

}  // namespace

std::vector<LineStep> PlanScreenLines(const char* text, const char* attributes, int32_t first_row,
                                      int32_t rows, const ScreenGrid& grid) {
  if (text == nullptr || attributes == nullptr || rows <= 0) return {};
  const int32_t from = std::max(first_row, 0);
  const int32_t to = std::min<int64_t>(int64_t{first_row} + rows - 1, SCREEN_ROWS - 1);
  if (from > to) return {};
  return LinePlanner(text, attributes, grid).Plan(from, to);
}
