// The text of a page on its sheet: segments at their cells, aligned values
// on their marks, dot leaders stretched to the grid.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "include/holders.h"
#include "report/print/sheet_rendering.h"
#include "report/screen/line_characters_face.h"

HDC PREVIEW_REFERENCE_DC = nullptr;

HDC GetPreviewReferenceDC() { return PREVIEW_REFERENCE_DC; }

namespace {

// A written segment with the dots added to its leader.
constexpr int32_t kLeaderCapacity = 599;

// Working storage: the page text with its line characters blanked.
char WORK[PAGE_ROWS][ROW_CELLS];

// The text's width in the font it is drawn in: on the device context, else
// on the preview's reference context (a metafile context measures nothing).
bool Measure(HDC dc, const char* text, int32_t length, int32_t* width) {
  SIZE size{};
  if (GetTextExtentPointA(dc, text, length, &size)) {
    *width = size.cx;
    return true;
  }
  HDC reference = GetPreviewReferenceDC();
  if (!reference) return false;
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  SelectedObject same_font(reference, font ? font : PRINT_FONTS.text);
  if (!GetTextExtentPointA(reference, text, length, &size)) return false;
  *width = size.cx;
  return true;
}

// Where each character of the text ends, from its start, in the font it
// is drawn in (as Measure finds it); false when it cannot be told.
bool MeasureEnds(HDC dc, const std::string& text, std::vector<int>* ends) {
  const int length = static_cast<int>(text.size());
  ends->assign(text.size(), 0);
  SIZE size{};
  if (GetTextExtentExPointA(dc, text.data(), length, INT_MAX, nullptr, ends->data(), &size))
    return true;
  HDC reference = GetPreviewReferenceDC();
  if (!reference) return false;
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  SelectedObject same_font(reference, font ? font : PRINT_FONTS.text);
  return GetTextExtentExPointA(reference, text.data(), length, INT_MAX, nullptr, ends->data(),
                               &size) != FALSE;
}

// Writes the text at (x, y) within room (none when 0): a text wider than
// the room its cells give it is set closer, its characters' advances scaled
// down, so that it never runs into the next segment, the next page or off
// the sheet. On a fixed page, a picture that a receiver plays into a
// rectangle of its own proportions, every character's advance is written
// out: there the receiver's font would otherwise place the characters, not
// the measure that placed the leaders and values around them. On paper and
// in a window the text is drawn on the context that measured it, in the
// same font, so its characters land where the measure put them.
void WriteRun(HDC dc, int32_t x, int32_t y, const std::string& text, int32_t room) {
  std::vector<int> ends;
  const bool measured = (room > 0 || FIXED_PAGE) && !text.empty() && MeasureEnds(dc, text, &ends);
  const bool too_wide = measured && room > 0 && ends.back() > room;
  if (too_wide || (measured && FIXED_PAGE)) {
    const double scale = too_wide ? double(room) / ends.back() : 1.0;
    std::vector<INT> advances(text.size());
    int before = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int end = static_cast<int>(ends[i] * scale);
      advances[i] = end - before;
      before = end;
    }
    ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), advances.data());
    return;
  }
  TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

int32_t MeasureOr(HDC dc, const char* text, int32_t length, int32_t fallback) {
  int32_t width = 0;
  return Measure(dc, text, length, &width) ? width : fallback;
}

// Page text is kept in the OEM code page; Chinese text is drawn as it stands.
std::string Drawn(std::string_view oem) {
  std::string text(oem);
  if (REPORT_LANGUAGE_INDEX != CHINESE_LANGUAGE_INDEX && !text.empty())
    OemToCharBuffA(text.data(), text.data(), static_cast<DWORD>(text.size()));
  return text;
}

HFONT RowFont(int32_t row) {
  const char control = PAGE_MARKS[row][ROW_CELLS - 1];
  if (row == 0 && control != ' ') return PRINT_FONTS.title;
  if (std::strchr(" -/:;buv", control) && control != '\0') return PRINT_FONTS.text;
  return PRINT_FONTS.heading;
}

// A value ending in '=' right-aligns when another '=' stands in its column
// one or two rows above or below.
bool EqualsInColumn(int32_t row, int32_t column, int32_t n) {
  for (int32_t other : {row - 2, row - 1, row + 1, row + 2})
    if (other >= 0 && other < n && WORK[other][column] == '=') return true;
  return false;
}

class RowWriter {
 public:
  RowWriter(HDC dc, int32_t n, const CELL_SIZE& cell_size) : dc_(dc), n_(n), cell_(cell_size) {}

  void Write(int32_t s) {
    const char* row = WORK[s];
    const CellText page{&PAGE_TEXT[0][0], 0, n_ * ROW_CELLS};
    const CellText text{&WORK[0][0], 0, n_ * ROW_CELLS};
    const CellText marks{&PAGE_MARKS[0][0], 0, n_ * ROW_CELLS};
    bool pending = false;
    bool write = false;
    int32_t f = 0;
    int32_t e = 0;
    for (int32_t k = 0; k < ROW_CELLS - 1; ++k) {
      const int32_t p = s * ROW_CELLS + k;
      const char x = row[k];
      const char mark = PAGE_MARKS[s][k];
      if (x != ' ' && !pending) {
        pending = true;
        write = false;
        f = k;
      }
      if (x == ' ' && row[k + 1] == ' ') {
        write = pending;
        ++k;
      } else if (IsLineCharacter(page, p)) {
        write = pending;
      } else if (mark == '{' && x != ' ' && (k == 0 || row[k - 1] == ' ' || row[k - 1] == '=')) {
        if (pending && k > f) Segment(s, f, k - f);
        f = k;
        const auto length =
            static_cast<int32_t>(GetAlignedSegment(text, marks, p, s * ROW_CELLS + e).size());
        if (length > 0) {
          Segment(s, k, length);
          pending = false;
          k += length - 1;
        }
        e = k + 1;
      } else if (mark == '}' || (x == '=' && EqualsInColumn(s, k, n_))) {
        const std::string value = GetAlignedSegment(text, marks, p, s * ROW_CELLS + e);
        const auto length = static_cast<int32_t>(value.size());
        if (pending && k - f - length + 1 > 0) Segment(s, f, k - f - length + 1);
        if (length > 0) {
          Aligned(value, p, [&](int32_t w, int32_t cell_x) { return cell_x + cell_.width - w; });
          pending = false;
        }
        e = k + 1;
      } else if (mark == '~' && x != ' ') {
        const std::string value = GetAlignedSegment(text, marks, p, s * ROW_CELLS + e);
        const auto length = static_cast<int32_t>(value.size());
        const int32_t c = CentreOffset(value, p);
        if (pending && k - f - c > 0) Segment(s, f, k - f - c);
        if (length > 0) {
          Aligned(value, p,
                  [&](int32_t w, int32_t cell_x) { return cell_x - (w - cell_.width) / 2; });
          pending = false;
          if (c < length) k += length - c - 1;
        }
        e = k + 1;
      }
      if (pending && !write && k == ROW_CELLS - 2) {
        write = true;
        k = ROW_CELLS - 1;
      }
      if (pending && write) {
        Segment(s, f, k - f);
        pending = false;
        e = k + 1;
      }
    }
  }

 private:
  void Segment(int32_t row, int32_t first, int32_t length) {
    DrawSheetSegment(dc_, &WORK[row][first], row * ROW_CELLS + first, length, cell_);
  }

  // Where P sits inside a centred value found around it.
  int32_t CentreOffset(const std::string& value, int32_t p) const {
    const auto length = static_cast<int32_t>(value.size());
    const char* flat = &WORK[0][0];
    const auto starts_at = [&](int32_t from) {
      return from >= 0 && from + length <= n_ * ROW_CELLS &&
             std::string_view(flat + from, length) == value;
    };
    if (starts_at(p - length / 2)) return length / 2;
    if (starts_at(p - length / 2 - 1)) return length / 2 + 1;
    if (starts_at(p - length / 2 + 1)) return length / 2 - 1;
    return 0;
  }

  template <class Place>
  void Aligned(const std::string& value, int32_t p, Place place) {
    const std::string drawn = Drawn(value);
    const auto length = static_cast<int32_t>(drawn.size());
    const int32_t w = MeasureOr(dc_, drawn.data(), length, length * cell_.width);
    int32_t x = 0;
    int32_t y = 0;
    SheetCellToPoint(p, &x, &y, cell_);
    WriteRun(dc_, place(w, x), y, drawn, 0);
  }

  HDC dc_;
  int32_t n_;
  CELL_SIZE cell_;
};

}  // namespace

void DrawSheetText(HDC dc, int32_t n, const CELL_SIZE& cell_size) {
  if (n < 0) return;
  n = ClampPageLines(n);
  const CellText page{&PAGE_TEXT[0][0], 0, n * ROW_CELLS};
  for (int32_t cell = 0; cell < n * ROW_CELLS; ++cell) {
    const char c = (&PAGE_TEXT[0][0])[cell];
    (&WORK[0][0])[cell] = IsLineCharacter(page, cell) ? ' ' : c;
  }
  if (PRINT_FONT_MODE == 1) {
    for (int32_t row = 0; row < n; ++row) {
      int32_t x = 0;
      int32_t y = 0;
      SheetCellToPoint(row * ROW_CELLS, &x, &y, cell_size);
      WriteRun(dc, x, y, std::string(WORK[row], ROW_CELLS), 0);
    }
    return;
  }
  RowWriter writer(dc, n, cell_size);
  for (int32_t row = 0; row < n; ++row) {
    SelectObject(dc, RowFont(row));
    writer.Write(row);
  }
}

void DrawSheetSegment(HDC dc, const char* text, int32_t first_cell, int32_t length,
                      const CELL_SIZE& cell_size) {
  length = std::min(length, kLeaderCapacity);
  if (length <= 0) return;
  std::string drawn = Drawn(std::string_view(text, length));
  int32_t x = 0;
  int32_t y = 0;
  SheetCellToPoint(first_cell, &x, &y, cell_size);
  // The first run of dots is stretched so that what follows it starts at
  // its own cell, whatever the printed width of the label before it.
  int32_t start = -1;
  for (int32_t i = 0; i + 1 < length; ++i)
    if (text[i] == '.' && text[i + 1] == '.') {
      start = i;
      break;
    }
  if (start >= 0) {
    int32_t end = length - 1;
    for (int32_t j = start + 1; j < length; ++j)
      if (!(j + 1 < length && text[j] == '.' && text[j + 1] == '.')) {
        end = j;
        break;
      }
    const int32_t dot = MeasureOr(dc, "....", 4, 2 * cell_size.width) / 4;
    const int32_t prefix = MeasureOr(dc, drawn.data(), end + 1, (end + 1) * cell_size.width);
    int32_t x1 = 0;
    int32_t y1 = 0;
    SheetCellToPoint(first_cell + end + 1, &x1, &y1, cell_size);
    if (dot > 0) {
      const int32_t dots = std::min((x1 - x - prefix) / dot, kLeaderCapacity - length);
      if (dots > 0)
        drawn.insert(static_cast<std::size_t>(end + 1), static_cast<std::size_t>(dots), '.');
    }
  }
  WriteRun(dc, x, y, drawn, length * cell_size.width);
}
