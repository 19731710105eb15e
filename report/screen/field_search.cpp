// Fields of a form found forwards, backwards and by number.
#include "report/screen/form_fields_face.h"

namespace {

// The forward search wraps over one cell less than the backward one; the
// template's lines 22-24 hold the key labels, never fields to move to.
constexpr int32_t kForwardCells = 1679;
constexpr int32_t kBackwardCells = 1680;

bool InForm(int32_t cell) { return cell >= 0 && cell < FORM_CELLS; }

}  // namespace

bool IsFieldCell(char c) { return c == '#' || c == '@'; }

int32_t FindFieldBoundary(int32_t cell, const char* form) {
  if (!InForm(cell)) return -1;
  const bool in_field = IsFieldCell(form[cell]);
  for (int32_t i = 0; i < kForwardCells; ++i) {
    const int32_t at = (cell + i) % kForwardCells;
    if (IsFieldCell(form[at]) != in_field) return at;
  }
  return -1;
}

int32_t FindPreviousFieldStart(int32_t cell, const char* form) {
  if (!InForm(cell)) return -1;
  bool in_field = false;
  for (int32_t i = 1; i <= kBackwardCells - 1; ++i) {
    const int32_t at = (cell - i + kBackwardCells) % kBackwardCells;
    if (IsFieldCell(form[at])) {
      in_field = true;
    } else {
      if (in_field && i > 1) return (at + 1) % kBackwardCells;
      in_field = false;
    }
  }
  return -1;
}

int32_t GetNthField(int32_t n, const char* form, int32_t* start) {
  if (n < 1) return 0;
  int32_t position = 0;
  int32_t first = 0;
  int32_t end = 0;
  for (int32_t i = 0; i < n; ++i) {
    // A field at cell 0 is the first field, though no cell before it ends one.
    const bool at_form_start = position == 0 && IsFieldCell(form[0]);
    first = at_form_start ? 0 : FindFieldBoundary(position, form);
    if (!at_form_start && first <= position) return 0;
    end = FindFieldBoundary(first, form);
    if (end <= first) return 0;
    // The next search starts at the cell after the field, so a field one
    // cell further on is the next one.
    position = end;
  }
  *start = first;
  return end - first;
}
