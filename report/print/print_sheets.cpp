// The sheets of paper of a print job, and the ends of a job that stops.
#include "include/document_calls.h"
#include "include/modal_ui.h"
#include "report/print/print_job.h"

namespace {

constexpr const char* kCancelled = "Print job has been canceled by user.";

// A page call refused because the user cancelled reports the cancel.
const char* Reason(const char* refused) { return PRINT_JOB.cancel ? kCancelled : refused; }

}  // namespace

void ReleasePrintJob(HWND owner) {
  PrintJob& job = PRINT_JOB;
  if (job.dc) DOCUMENT_CALLS.delete_dc(job.dc);
  job.dc = nullptr;
  if (owner) EnableWindow(owner, TRUE);
  if (job.dialog) DestroyWindow(job.dialog);
  job.dialog = nullptr;
  job.running = false;
}

void AbortPrintJob(HWND owner, HDC dc, const char* message) {
  if (dc) DOCUMENT_CALLS.abort_doc(dc);
  if (message) ShowMessageBox(owner, message, "Print", MB_ICONERROR);
  if (dc && dc != PRINT_JOB.dc) DOCUMENT_CALLS.delete_dc(dc);
  ReleasePrintJob(owner);
}

int32_t StartSheet(HWND owner) {
  PrintJob& job = PRINT_JOB;
  if (!job.dc) return 0;
  if (DOCUMENT_CALLS.start_page(job.dc) > 0) {
    job.sheet_framed = false;
    return 1;
  }
  AbortPrintJob(owner, job.dc, Reason("Cann't start a new page"));
  return 0;
}

int32_t EndSheet(HWND owner) {
  PrintJob& job = PRINT_JOB;
  if (!job.dc) return 0;
  if (DOCUMENT_CALLS.end_page(job.dc) > 0) return 1;
  AbortPrintJob(owner, job.dc, Reason("Cann't finish current page"));
  return 0;
}
