// The plan of a stretch of screen cells: runs of one attribute within a row,
// and within each run the text segments, aligned values and dot leaders,
// each placed at its own cell's x so that columns stay aligned in a
// proportional font.
#include <algorithm>

#include "report/screen/screen_cells_face.h"

namespace {

// The caption-coloured and the grey strips are written as blanks in the
// field font, from half a cell left of the grid so no gap shows at its edge.
const std::string kStripBlanks(81, ' ');
// The status row's left part ends before column 65; its right part is
// written from there.
constexpr int32_t kStatusSplitColumn = STATUS_RIGHT_CELL - STATUS_ROW_CELL;

class CellPlanner {
 public:
  CellPlanner(const char* text, const char* attributes, int32_t count, int32_t first,
              const ScreenGrid& grid, const MeasureText& measure)
      : text_(text),
        attributes_(attributes, static_cast<std::size_t>(count)),
        count_(count),
        first_(first),
        grid_(grid),
        measure_(measure),
        caller_{text, first, count},
        marks_{LAYOUT_MARKS, 0, MARKED_CELLS},
        from_oem_(REPORT_LANGUAGE_INDEX != CHINESE_LANGUAGE_INDEX) {
    working_.assign(text, static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i)
      if (IsLineCharacter(caller_, first + i)) working_[static_cast<std::size_t>(i)] = ' ';
    working_view_ = {working_.data(), first, count};
  }

  std::vector<CellStep> Plan() {
    int32_t run_start = 0;
    for (int32_t i = 1; i <= count_; ++i) {
      // A row's 80th cell paints as its 79th. Only the painting takes it:
      // the 80th attribute given stays as it is, since it says how the row
      // is underlined and where a field at the row's end stops.
      if (i < count_ && (first_ + i + 1) % ROW_CELLS == 0) attributes_[i] = attributes_[i - 1];
      if (i == count_ || attributes_[i - 1] != attributes_[i] || (first_ + i) % ROW_CELLS == 0) {
        PlanRun(run_start, i - run_start);
        run_start = i;
      }
    }
    return std::move(steps_);
  }

 private:
  // The working character at an offset of the call, NO_CHARACTER outside it.
  int32_t Working(int32_t offset) const {
    return offset >= 0 && offset < count_ ? static_cast<unsigned char>(working_[offset])
                                          : NO_CHARACTER;
  }
  std::string WorkingText(int32_t offset, int32_t length) const {
    return working_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }

  void Colours(unsigned char attribute) {
    CellStep step;
    step.kind = CellStep::Kind::kColours;
    step.attribute = attribute;
    steps_.push_back(step);
  }
  void Text(ScreenFont font, int32_t x, int32_t y, std::string text, bool from_oem) {
    if (text.empty()) return;
    CellStep step;
    step.font = font;
    step.x = x;
    step.y = y;
    step.text = std::move(text);
    step.from_oem = from_oem;
    steps_.push_back(std::move(step));
  }
  void FrameLine(int32_t x, int32_t y, int32_t to_x) {
    CellStep step;
    step.kind = CellStep::Kind::kFrameLine;
    step.x = x;
    step.y = y;
    step.to_x = to_x;
    step.to_y = y;
    steps_.push_back(step);
  }

  void PlanRun(int32_t start, int32_t length) {
    const int32_t cell = first_ + start;
    const unsigned char attribute = static_cast<unsigned char>(attributes_[start]);
    Colours(attribute);
    const int32_t x = grid_.x(cell);
    const int32_t y = grid_.y(cell);
    const int32_t half_cell = grid_.cell_width() / 2;
    switch (attribute) {
      case ATTRIBUTE_FIELD: {
        Text(ScreenFont::kField, x, y, WorkingText(start, length), from_oem_);
        const int32_t right = grid_.x(cell + length - 1) + grid_.cell_width();
        FrameLine(x, y, right);
        FrameLine(x, y + grid_.cell_height(), right);
        return;
      }
      case ATTRIBUTE_STATUS:
        Text(ScreenFont::kField, x - half_cell, y, kStripBlanks, false);
        PlanStatusText(start, length);
        return;
      case ATTRIBUTE_SHADED:
        Text(ScreenFont::kField, grid_.x(RowStart(cell)) - half_cell, y, kStripBlanks, false);
        break;
      default:
        break;
    }
    PlanSegments(start, length);
  }

  // The status row's text as it stands, unconverted: on row 25 the part
  // before column 65 at the run's first cell and the rest from column 65 on;
  // a run in the status row's colours on any other row in one piece on its
  // own row. A row's 80th cell is not written.
  void PlanStatusText(int32_t start, int32_t length) {
    const int32_t cell = first_ + start;
    const int32_t first_column = ColumnOf(cell);
    const int32_t last_column = std::min(first_column + length - 1, ROW_CELLS - 2);
    const int32_t split = RowStart(cell) == STATUS_ROW_CELL ? kStatusSplitColumn : ROW_CELLS;
    if (first_column < split) {
      const int32_t end = std::min(last_column, split - 1);
      Text(ScreenFont::kText, grid_.x(cell), grid_.y(cell),
           WorkingText(start, end - first_column + 1), false);
    }
    if (last_column >= split) {
      const int32_t from = std::max(first_column, split);
      Text(ScreenFont::kText, grid_.x(RowStart(cell) + from), grid_.y(cell),
           WorkingText(start + from - first_column, last_column - from + 1), false);
    }
  }

  // Another '=' one or two rows above or below, within this call.
  bool EqualsInColumn(int32_t offset) const {
    for (int32_t rows : {-2, -1, 1, 2})
      if (Working(offset + rows * ROW_CELLS) == '=') return true;
    return false;
  }

  // Whether the value's L characters stand in the working copy from the offset.
  bool StandsAt(const std::string& value, int32_t offset) const {
    const int32_t length = static_cast<int32_t>(value.size());
    return offset >= 0 && offset + length <= count_ &&
           working_.compare(static_cast<std::size_t>(offset), value.size(), value) == 0;
  }

  void PlanSegments(int32_t start, int32_t length) {
    // The last cell a row's run reaches is column 80, the row's control
    // character: never written.
    const bool reaches_row_end = ColumnOf(first_ + start + length - 1) == ROW_CELLS - 1;
    const int32_t writable = reaches_row_end ? length - 1 : length;
    const int32_t cell_width = grid_.cell_width();
    bool pending = false;
    bool flush = false;
    int32_t s = 0;  // where the pending segment starts
    int32_t e = 0;  // where the last written value or segment ended
    auto write_pending = [&](int32_t end) {
      if (!pending || end <= s) return false;
      steps_.push_back(PlanLeaderSegment(working_.data() + start + s, first_ + start + s, end - s,
                                         grid_, measure_));
      pending = flush = false;
      return true;
    };
    auto written = [&] { pending = flush = false; };

    for (int32_t k = 0; k < writable; ++k) {
      if (Working(start + k) != ' ' && !pending) {
        s = k;
        pending = true;
      }
      const bool two_blanks =
          Working(start + k) == ' ' && k + 1 < length && Working(start + k + 1) == ' ';
      if (two_blanks || IsLineCharacter(caller_, first_ + start + k)) {
        if (pending) flush = true;
        if (text_[start + k] == ' ' && k + 1 < writable) ++k;
      }

      const int32_t offset = start + k;
      const int32_t cell = first_ + offset;
      const int32_t mark = marks_.at(cell);
      const int32_t c = Working(offset);
      const bool after_blank_or_equals =
          ColumnOf(cell) == 0 || Working(offset - 1) == ' ' || Working(offset - 1) == '=';

      if (mark == '{' && c != ' ' && after_blank_or_equals) {
        // The merge has placed the value in the text already: its length
        // says how far the aligned text reaches.
        write_pending(k);
        const int32_t value_length =
            std::min(static_cast<int32_t>(GetCellFieldValue(cell).size()), writable - k);
        if (value_length > 0) {
          steps_.push_back(
              PlanLeaderSegment(working_.data() + offset, cell, value_length, grid_, measure_));
          written();
        }
        k += std::max(value_length - 1, 0);
        e = k;
      } else if ((mark == '}' && c != ' ') || (c == '=' && EqualsInColumn(offset))) {
        std::string value;
        if (mark == '}') {
          value = GetCellFieldValue(cell);
          value.resize(std::min<std::size_t>(value.size(), static_cast<std::size_t>(k + 1)));
        } else {
          value = GetAlignedSegment(working_view_, marks_, cell, first_ + start + e);
        }
        const int32_t value_length = static_cast<int32_t>(value.size());
        write_pending(k - value_length + 1);
        if (value_length > 0) {
          const int32_t x = grid_.x(cell) + cell_width - measure_(value);
          Text(ScreenFont::kText, x, grid_.y(cell), std::move(value), from_oem_);
          written();
        }
        e = k;
      } else if (mark == '~' && c != ' ') {
        std::string value = GetCellFieldValue(cell);
        value.resize(std::min<std::size_t>(value.size(), static_cast<std::size_t>(writable)));
        const int32_t value_length = static_cast<int32_t>(value.size());
        // Where the merge put the value: centred, or one cell either way.
        int32_t left = 0;
        for (int32_t candidate : {value_length / 2, value_length / 2 + 1, value_length / 2 - 1})
          if (StandsAt(value, offset - candidate)) {
            left = candidate;
            break;
          }
        write_pending(k - left);
        if (value_length > 0) {
          const int32_t x = grid_.x(cell) - (measure_(value) - cell_width) / 2;
          Text(ScreenFont::kText, x, grid_.y(cell), std::move(value), from_oem_);
          written();
        }
        // A value found left of the cell never takes the walk back.
        k = std::max(k, k + value_length - left - 1);
        e = k + 1;
      }

      if (k >= writable - 1) {
        flush = true;
        k = writable;
      }
      if (flush && write_pending(k)) e = k;
      flush = false;
    }
  }

  const char* text_;
  std::string attributes_;  // as painted
  int32_t count_;
  int32_t first_;
  const ScreenGrid& grid_;
  const MeasureText& measure_;
  CellText caller_;
  CellText marks_;
  CellText working_view_;
  bool from_oem_;
  std::string working_;
  std::vector<CellStep> steps_;
};

}  // namespace

std::vector<CellStep> PlanCells(const char* text, const char* attributes, int32_t count,
                                int32_t first, const ScreenGrid& grid, const MeasureText& measure) {
  if (text == nullptr || attributes == nullptr || count <= 0 || first < 0 || first >= SCREEN_CELLS)
    return {};
  count = std::min(count, SCREEN_CELLS - first);
  return CellPlanner(text, attributes, count, first, grid, measure).Plan();
}

CellStep PlanLeaderSegment(const char* text, int32_t cell, int32_t length, const ScreenGrid& grid,
                           const MeasureText& measure) {
  const int32_t n = std::clamp(length, 0, LEADER_TEXT_LIMIT);
  CellStep step;
  step.font = ScreenFont::kText;
  step.from_oem = REPORT_LANGUAGE_INDEX != CHINESE_LANGUAGE_INDEX;
  step.x = grid.x(cell);
  step.y = grid.y(cell);
  step.text.assign(text, static_cast<std::size_t>(n));
  int32_t dots = 0;
  while (dots + 1 < n && !(text[dots] == '.' && text[dots + 1] == '.')) ++dots;
  if (dots + 1 >= n) return step;
  int32_t past = dots;
  while (past < n && text[past] == '.') ++past;
  const int32_t dot_width = measure("....") / 4;
  if (dot_width <= 0) return step;
  const int32_t gap = grid.x(cell + past) - grid.x(cell) - measure(step.text.substr(0, past));
  const int32_t extra = std::min(gap / dot_width, LEADER_TEXT_LIMIT - n);
  if (extra > 0)
    step.text.insert(static_cast<std::size_t>(past), static_cast<std::size_t>(extra), '.');
  return step;
}
