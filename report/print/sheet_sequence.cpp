// Sheets and pages of one pass of a print run.
#include "report/print/sheet_sequence.h"

SheetSequence::SheetSequence(int32_t pages_per_sheet, int32_t first_page, int32_t last_page,
                             SheetActions& actions)
    : pages_per_sheet_(pages_per_sheet),
      first_page_(first_page),
      last_page_(last_page),
      actions_(actions) {}

bool SheetSequence::Fail() {
  failed_ = true;
  sheet_open_ = false;
  return false;
}

bool SheetSequence::SheetFull() const {
  if (pages_per_sheet_ == 2) return p_ % 2 == 0;
  if (pages_per_sheet_ == 4) return p_ % 4 == 0;
  return true;
}

bool SheetSequence::PageComplete(int32_t lines) {
  ++page_;
  ++p_;
  const bool drawn = InRange(page_);
  if (drawn && !sheet_open_) {
    if (!actions_.StartSheet()) return Fail();
    sheet_open_ = true;
  }
  if (!actions_.PrintPage(p_, page_, lines)) return Fail();
  if (drawn) {
    ++pages_drawn_;
    if (SheetFull()) {
      sheet_open_ = false;
      if (!actions_.EndSheet()) return Fail();
    }
  }
  if (page_ >= last_page_) {
    range_done_ = true;
    return false;
  }
  return true;
}

bool SheetSequence::PageBreak() {
  // The next page starts a new sheet, at its first place.
  p_ = 0;
  if (!sheet_open_) return true;
  sheet_open_ = false;
  return actions_.EndSheet() || Fail();
}

bool SheetSequence::Finish() {
  if (failed_) return false;
  if (!sheet_open_) return true;
  sheet_open_ = false;
  return actions_.EndSheet() || Fail();
}
