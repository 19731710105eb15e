// Box-line characters and their parts in horizontal and vertical lines.
//
// A cell outside the text holds no character, so a '-' or a bar at the
// text's last cell or on its last row sees nothing beyond it.
#include "report/screen/line_characters_face.h"

namespace {

bool BoxBytesAreLines() { return REPORT_LANGUAGE_INDEX != CHINESE_LANGUAGE_INDEX; }

bool IsBoxLineByte(int32_t c) {
  return (c >= 0xB3 && c <= 0xD3) || c == 0xD5 || c == 0xD6 || c == 0xD9 || c == 0xDA || c == 0;
}

bool IsDashOrBar(int32_t c) { return c == '-' || c == '|'; }

}  // namespace

int32_t IsLineCharacter(const CellText& text, int32_t cell) {
  const int32_t c = text.at(cell);
  if (c == NO_CHARACTER) return 0;
  if (c == '|') return 1;
  if (c == '-') return IsDashOrBar(text.at(cell + 1)) || IsDashOrBar(text.at(cell - 1)) ? 1 : 0;
  return BoxBytesAreLines() && IsBoxLineByte(c) ? 1 : 0;
}

int32_t ClassifyHorizontalLine(const CellText& text, int32_t cell) {
  const int32_t c = text.at(cell);
  const int32_t left = text.at(cell - 1);
  const int32_t right = text.at(cell + 1);
  if (c == '|') {
    if (right == '-') return LINE_STARTS;
    if (left == '-') return LINE_ENDS;
    return NO_LINE;
  }
  if (c == '-') {
    const bool from_left = IsDashOrBar(left);
    const bool to_right = IsDashOrBar(right);
    if (from_left && to_right) return LINE_PASSES;
    if (from_left) return LINE_ENDS;
    if (to_right) return LINE_STARTS;
    return NO_LINE;
  }
  if (!BoxBytesAreLines()) return NO_LINE;
  switch (c) {
    case 0xC0:
    case 0xC3:
    case 0xDA:
      return LINE_STARTS;
    case 0xC1:
    case 0xC2:
    case 0xC4:
    case 0xC5:
      return LINE_PASSES;
    case 0xB4:
    case 0xBF:
    case 0xD9:
      return LINE_ENDS;
    default:
      return NO_LINE;
  }
}

int32_t ClassifyVerticalLine(const CellText& text, int32_t cell) {
  const int32_t c = text.at(cell);
  if (c == '|' || c == '-') {
    const bool bar_above = text.at(cell - ROW_CELLS) == '|';
    const bool bar_below = text.at(cell + ROW_CELLS) == '|';
    const bool dash_beside = text.at(cell - 1) == '-' || text.at(cell + 1) == '-';
    if (bar_above && bar_below) return LINE_PASSES;
    if (dash_beside && bar_above) return LINE_ENDS;
    if (dash_beside && bar_below) return LINE_STARTS;
    return c == '|' ? LINE_PASSES : NO_LINE;
  }
  if (!BoxBytesAreLines()) return NO_LINE;
  switch (c) {
    case 0xB3:
    case 0xB4:
    case 0xC3:
    case 0xC5:
      return LINE_PASSES;
    case 0xBF:
    case 0xC2:
    case 0xDA:
      return LINE_STARTS;
    case 0xC0:
    case 0xC1:
    case 0xD9:
      return LINE_ENDS;
    default:
      return NO_LINE;
  }
}
