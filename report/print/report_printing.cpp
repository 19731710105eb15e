// A print run over the report file: one pass a copy, each page handed to
// the print job, the sheets as the sheet sequence orders them.
#include <algorithm>
#include <cstdio>

#include "holders.h"
#include "print_job.h"
#include "report_printing.h"
#include "report_reader.h"
#include "sheet_sequence.h"

int32_t CONTAINER_PICTURE_COUNT = 0;

namespace {

class JobSheets : public SheetActions {
 public:
  JobSheets(HWND owner, HINSTANCE instance) : owner_(owner), instance_(instance) {}
  bool StartSheet() override { return ::StartSheet(owner_) == 1; }
  bool PrintPage(int32_t p, int32_t page, int32_t lines) override {
    return PrintStep(owner_, instance_, "PRINT", p, page, lines) == 1;
  }
  bool EndSheet() override { return ::EndSheet(owner_) == 1; }

 private:
  HWND owner_;
  HINSTANCE instance_;
};

}  // namespace

int32_t PrintReportFile(HWND owner, HINSTANCE instance, const char* path, int32_t default_printer) {
  PRINT_JOB.default_printer = default_printer;
  OUTPUT_TARGET = 0;
  PAGES_PER_SHEET = ReadPrintFormat();
  if (!PrintStep(owner, instance, "INITIALIZATION", 0, 0, 0)) return 0;
  JobSheets sheets(owner, instance);
  int32_t drawn = 0;
  for (int32_t copy = 0; copy < std::max(1, PRINT_JOB.copies); ++copy) {
    PRINT_JOB.copies_left = PRINT_JOB.copies - copy;
    UniqueFile report(path ? std::fopen(path, "r") : nullptr);
    if (!report) break;
    SheetSequence sequence(PAGES_PER_SHEET, PRINT_JOB.first_page, PRINT_JOB.last_page, sheets);
    ReportReader reader(path, PRINT_FONT_MODE, CONTAINER_PICTURE_COUNT, sequence);
    ReadReportFile(report.get(), reader);
    report.reset();
    // A failed or cancelled job has been released with its message.
    if (sequence.failed() || !sequence.Finish()) return 0;
    drawn += sequence.pages_drawn();
  }
  if (drawn > 0)
    PrintStep(owner, instance, "END", 0, 0, 0);
  else
    AbortPrintJob(owner, PRINT_JOB.dc, nullptr);
  return 0;
}
