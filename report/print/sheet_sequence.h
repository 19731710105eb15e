// The order of sheets and pages in one pass of a print run: which report
// pages are drawn (those of the job's page range), where each sits on its
// sheet, and when a sheet of paper starts and ends. Platform-free.
#pragma once

#include <cstdint>

#include "report/print/report_reader.h"

// What a pass asks of the print job; each answers false when the job has
// failed or been cancelled, and has then been released.
class SheetActions {
 public:
  virtual ~SheetActions() = default;
  virtual bool StartSheet() = 0;
  // Page number `page` of the pass, at sheet position p (counted from 1 since
  // the last sheet break), of that many rows. Pages outside the range are
  // handed on too, so that a cancel is seen at every page.
  virtual bool PrintPage(int32_t p, int32_t page, int32_t lines) = 0;
  virtual bool EndSheet() = 0;
};

// A sheet starts just before the first page drawn on it and ends exactly
// once: when it is full, at a page-break line, or at the end of the pass.
class SheetSequence : public ReportPageSink {
 public:
  SheetSequence(int32_t pages_per_sheet, int32_t first_page, int32_t last_page,
                SheetActions& actions);

  bool PageComplete(int32_t lines) override;
  bool PageBreak() override;
  // The end of the pass: ends a sheet still open. False when that fails.
  bool Finish();

  // The job failed or was cancelled; it has been released.
  bool failed() const { return failed_; }
  // The page range has been printed; the rest of the report is not read.
  bool range_done() const { return range_done_; }
  int32_t pages_drawn() const { return pages_drawn_; }
  bool sheet_open() const { return sheet_open_; }

 private:
  bool InRange(int32_t page) const { return page >= first_page_ && page <= last_page_; }
  bool SheetFull() const;
  bool Fail();

  int32_t pages_per_sheet_;
  int32_t first_page_;
  int32_t last_page_;
  SheetActions& actions_;
  int32_t page_ = 0;  // page number j
  int32_t p_ = 0;     // sheet position
  int32_t pages_drawn_ = 0;
  bool sheet_open_ = false;
  bool failed_ = false;
  bool range_done_ = false;
};
