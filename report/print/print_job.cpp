// The steps of a print job after it has started: a page, the end.
#include "report/print/print_job.h"

#include <cstring>

#include "include/document_calls.h"
#include "include/modal_ui.h"
#include "report/drawing/pictures_face.h"
#include "report/print/sheet_rendering.h"

PrintJob PRINT_JOB;

bool PrintJobRunning() { return PRINT_JOB.running; }

int32_t StartPrintJob(HWND owner, HINSTANCE instance);

namespace {

void DrawPrintedPage(HWND owner, int32_t p, int32_t n) {
  PrintJob& job = PRINT_JOB;
  const SheetPlace place = SheetPlaceAt(PAGES_PER_SHEET, p);
  SetPageOffset(place);
  // Every sheet gets its frame, with the first page printed on it: a print
  // range may start at any place of a sheet.
  if (!job.sheet_framed) {
    DrawSheetFrame(job.dialog, job.dc, PAGES_PER_SHEET);
    job.sheet_framed = true;
  }
  const PlaceClip clip(job.dialog, job.dc, place);
  SetPageViewport(job.dialog, job.dc, job.cell_size, p);
  DrawPageBody(job.dc, n, job.cell_size);
  // On paper the pictures lie over the text.
  DrawPagePictures(owner, job.dc, job.cell_size, p, n);
}

}  // namespace

int32_t PrintStep(HWND owner, HINSTANCE instance, const char* step, int32_t p, int32_t page,
                  int32_t n) {
  if (!step) return 0;
  PrintJob& job = PRINT_JOB;
  if (std::strcmp(step, "INITIALIZATION") == 0) {
    // Held from the print dialog on: the dialogs and the abort procedure
    // dispatch the thread's messages, and a preview painted meanwhile
    // would refill the page buffers the job is printing from.
    job.running = true;
    const int32_t started = StartPrintJob(owner, instance);
    if (!started) job.running = false;
    return started;
  }
  // Without a started job there is nothing to draw on or to end.
  if (!job.dc) return 0;
  if (std::strcmp(step, "PRINT") == 0 && page >= job.first_page && page <= job.last_page)
    DrawPrintedPage(owner, p, n);
  // The picture list of the page forms is emptied after every page.
  if (PAGE_PICTURES.count > 0) FreePictures();
  if (job.cancel) {
    AbortPrintJob(owner, job.dc, "Print job has been canceled by user.");
    return 0;
  }
  if (std::strcmp(step, "END") != 0) return 1;
  if (DOCUMENT_CALLS.end_doc(job.dc) <= 0) {
    DOCUMENT_CALLS.abort_doc(job.dc);
    ShowMessageBox(owner, "Printing error occured.", "Print", MB_ICONERROR);
  }
  ReleasePrintJob(owner);
  return 0;
}
