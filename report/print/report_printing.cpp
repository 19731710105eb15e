// A print run over the report file: one pass a copy, each page handed to
// the print job, the sheets as the sheet sequence orders them.
#include <algorithm>
#include <cstdio>

#include "include/holders.h"
#include "include/modal_ui.h"
#include "report/print/print_job.h"
#include "report/print/report_printing_face.h"
#include "report/print/report_reader.h"
#include "report/print/sheet_sequence.h"

int32_t CONTAINER_PICTURE_COUNT = 0;

namespace {

class JobSheets : public SheetActions {
 public:
  JobSheets(HWND owner, HINSTANCE instance) : owner_(owner), instance_(instance) {}
  bool StartSheet() override { return ::StartSheet(owner_) == 1; }
  bool PrintPage(int32_t p, int32_t page, int32_t lines) override {
    ++pages_read;
    return PrintStep(owner_, instance_, "PRINT", p, page, lines) == 1;
  }
  bool EndSheet() override { return ::EndSheet(owner_) == 1; }

  // Every page of the report is handed on, drawn or not.
  int32_t pages_read = 0;

 private:
  HWND owner_;
  HINSTANCE instance_;
};

// What a user who pressed Print is told when the job drew nothing, or a
// copy found no report: empty when nothing needs saying.
const char* NothingPrinted(bool report_missing, int32_t drawn, int32_t pages_read) {
  if (report_missing) return "Can not open the report file.";
  if (drawn > 0) return "";
  if (pages_read == 0) return "The report has no page to print.";
  return "No page of the report lies in the print range.";
}

}  // namespace

int32_t PrintReportFile(HWND owner, HINSTANCE instance, const char* path, int32_t default_printer) {
  PRINT_JOB.default_printer = default_printer;
  OUTPUT_TARGET = 0;
  PAGES_PER_SHEET = ReadPrintFormat();
  if (!PrintStep(owner, instance, "INITIALIZATION", 0, 0, 0)) return 0;
  JobSheets sheets(owner, instance);
  int32_t drawn = 0;
  bool report_missing = false;
  for (int32_t copy = 0; copy < std::max(1, PRINT_JOB.copies); ++copy) {
    PRINT_JOB.copies_left = PRINT_JOB.copies - copy;
    // As bytes, so that a byte 0x1A does not end the report (GetReportChar).
    UniqueFile report(path ? std::fopen(path, "rb") : nullptr);
    if (!report) {
      report_missing = true;
      break;
    }
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
  // Said once the job is released, so that nothing of it waits behind the message.
  const char* message = NothingPrinted(report_missing, drawn, sheets.pages_read);
  if (*message)
    ShowMessageBox(owner, message, "Print", report_missing ? MB_ICONERROR : MB_ICONWARNING);
  return 0;
}
