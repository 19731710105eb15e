// The start of a print job: the printer, the progress dialog, the document.
#include <cstring>

#include "include/document_calls.h"
#include "include/modal_ui.h"
#include "report/print/print_job.h"
#include "report/print/sheet_rendering.h"

namespace {

void Warn(HWND owner, const char* text) { ShowMessageBox(owner, text, "Print", MB_ICONWARNING); }
void Fail(HWND owner, const char* text) { ShowMessageBox(owner, text, "Print", MB_ICONERROR); }

void FreeDialogMemory(PRINTDLGA& dialog) {
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  dialog.hDevMode = nullptr;
  dialog.hDevNames = nullptr;
}

// The print dialog, first for the default printer's settings, whose
// orientation suits the pages a sheet, then for the user's choice.
bool ChoosePrinter(HWND owner) {
  PrintJob& job = PRINT_JOB;
  PRINTDLGA& dialog = job.print_dialog;
  dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDEFAULT;
  if (!ShowPrintDialog(&dialog)) {
    FreeDialogMemory(dialog);
    Warn(owner,
         "No default printer.\n\n Use Control Panel to install and select a default printer.");
    return false;
  }
  if (auto* mode =
          static_cast<DEVMODEA*>(dialog.hDevMode ? GlobalLock(dialog.hDevMode) : nullptr)) {
    mode->dmOrientation = SheetOrientation(PAGES_PER_SHEET);
    mode->dmFields |= DM_ORIENTATION;
    GlobalUnlock(dialog.hDevMode);
  }
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION;
  dialog.nFromPage = 1;
  dialog.nToPage = 1;
  dialog.nMinPage = 1;
  dialog.nMaxPage = 1000;
  const BOOL chosen = ShowPrintDialog(&dialog);
  FreeDialogMemory(dialog);
  if (!chosen) {
    if (dialog.hDC) DOCUMENT_CALLS.delete_dc(dialog.hDC);
    Warn(owner, "Can not send to printer.");
    if (owner) UpdateWindow(owner);
    return false;
  }
  job.dc = dialog.hDC;
  const bool range = (dialog.Flags & PD_PAGENUMS) != 0;
  job.first_page = range ? dialog.nFromPage : 1;
  job.last_page = range ? dialog.nToPage : 1000;
  job.copies = dialog.nCopies;
  if (job.copies < 1 || job.first_page > job.last_page) {
    if (job.dc) DOCUMENT_CALLS.delete_dc(job.dc);
    job.dc = nullptr;
    Warn(owner, "Incorrect setup for the printer.\n\nPlease try again.");
    return false;
  }
  return true;
}

}  // namespace

short SheetOrientation(int32_t pages_per_sheet) {
  // Two pages a sheet lie side by side on a sheet turned sideways.
  return pages_per_sheet == 2 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

PrinterDevice SplitDeviceEntry(char* entry) {
  // "name,driver,port", with or without blanks after the commas: each comma
  // ends a part, and the next part starts after the comma's blanks. The
  // walk goes on from there itself: CharNextA on the NUL that ended a part
  // would stay on it.
  char* parts[3] = {entry, nullptr, nullptr};
  int part = 0;
  for (char* at = entry; *at && part < 2;) {
    if (*at != ',') {
      at = CharNextA(at);
      continue;
    }
    *at++ = '\0';
    while (*at == ' ') ++at;
    parts[++part] = at;
  }
  return {parts[0], parts[1], parts[2]};
}

HDC CreateDefaultPrinterDC() {
  std::memset(PRINT_JOB.device, 0, sizeof PRINT_JOB.device);
  GetProfileStringA("windows", "device", "", PRINT_JOB.device, sizeof PRINT_JOB.device);
  const PrinterDevice printer = SplitDeviceEntry(PRINT_JOB.device);
  if (!*printer.name) return nullptr;
  return DOCUMENT_CALLS.create_dc(printer.driver, printer.name, printer.port, nullptr);
}

int32_t StartPrintJob(HWND owner, HINSTANCE instance) {
  PrintJob& job = PRINT_JOB;
  job.cancel = 0;
  job.dc = nullptr;
  job.dialog = nullptr;
  if (job.default_printer) {
    job.dc = CreateDefaultPrinterDC();
    job.copies = 1;
    job.first_page = 1;
    job.last_page = 1000;
  } else if (!ChoosePrinter(owner)) {
    return 0;
  }
  // Without a printer context there is no job: nothing is disabled or shown.
  if (!job.dc) {
    Fail(owner, "Can not create abort procedure.");
    return 0;
  }
  if (owner) EnableWindow(owner, FALSE);
  job.dialog = CreateDialogParamA(instance, PRINT_DIALOG_TEMPLATE, owner, PrintDialogProc, 0);
  if (!job.dialog) {
    if (owner) EnableWindow(owner, TRUE);
    DOCUMENT_CALLS.delete_dc(job.dc);
    job.dc = nullptr;
    Warn(owner, "Unable to create a message dialog.");
    return 0;
  }
  ShowWindow(job.dialog, SW_SHOW);
  UpdateWindow(job.dialog);
  job.copies_left = job.copies;
  if (DOCUMENT_CALLS.set_abort_proc(job.dc, PrintAbortProc) <= 0) {
    Fail(owner, "Can not create abort procedure.");
    ReleasePrintJob(owner);
    return 0;
  }
  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = PRINT_DOCUMENT_NAME;
  if (DOCUMENT_CALLS.start_doc(job.dc, &document) <= 0 &&
      DOCUMENT_CALLS.escape(job.dc, STARTDOC, static_cast<int>(std::strlen(PRINT_DOCUMENT_NAME)),
                            PRINT_DOCUMENT_NAME, nullptr) <= 0) {
    Fail(owner, "Can not start the print job.");
    ReleasePrintJob(owner);
    return 0;
  }
  CreatePrintFonts(job.dc, &job.cell_size);
  return 1;
}
