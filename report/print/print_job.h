// The print job: it chooses the printer (the default printer named in
// WIN.INI, or the print dialog), shows a modeless progress dialog whose only
// task is to let the user cancel, starts the document "KVEM Output", draws
// each page with the sheet rendering and ends the document. Every failure, a
// cancel and the end release it: the printer context deleted, the owner
// window enabled again, the progress dialog destroyed.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <cstdint>

#include "report/print/page_buffers.h"

struct PrintJob {
  HDC dc;                   // the printer's device context; null while no job holds one
  HWND dialog;              // the progress dialog
  int32_t cancel;           // set by the progress dialog's command
  int32_t default_printer;  // nonzero: the WIN.INI printer, no print dialog
  int32_t first_page;
  int32_t last_page;
  int32_t copies;
  int32_t copies_left;
  PRINTDLGA print_dialog;
  char device[80];      // the WIN.INI device text
  CELL_SIZE cell_size;  // the job's own cell
  bool sheet_framed;    // the sheet of paper started last has its frame
  // From "INITIALIZATION" until the job is released: the page buffers, the
  // fonts and the page area are the job's, and the preview draws nothing.
  bool running;
};
extern PrintJob PRINT_JOB;

// The progress dialog's template, in the module handed to PrintReportFile.
inline constexpr const char* PRINT_DIALOG_TEMPLATE = "PRINTDIALOGENG";
inline constexpr const char* PRINT_DOCUMENT_NAME = "KVEM Output";

// Runs one step: "INITIALIZATION", "PRINT" (page number `page` at sheet
// position p, n rows; drawn when the page number lies in the range) or
// "END"; any other name runs only the closing checks of "PRINT". Answers 1
// to go on, 0 when the job has ended or failed and everything is released
// (what went wrong has been shown, titled "Print").
int32_t PrintStep(HWND owner, HINSTANCE instance, const char* step, int32_t p, int32_t page,
                  int32_t n);
// StartPage; 1, or on failure the document aborted with its message and 0.
int32_t StartSheet(HWND owner);
// EndPage; 1, or on failure the document aborted with its message and 0.
int32_t EndSheet(HWND owner);
// AbortDoc, the message (none for a null one), then the job released.
void AbortPrintJob(HWND owner, HDC dc, const char* message);
// DeleteDC of the job's context, the owner enabled, the progress dialog destroyed.
void ReleasePrintJob(HWND owner);

// Dispatches the thread's waiting messages while the platform prints;
// answers nonzero to go on, 0 once the user has cancelled.
BOOL CALLBACK PrintAbortProc(HDC dc, int code);
// The progress dialog's procedure: any command cancels the job.
INT_PTR CALLBACK PrintDialogProc(HWND window, UINT message, WPARAM w, LPARAM l);
// Whether a job holds the page buffers, the fonts and the page area.
bool PrintJobRunning();

// The device context of the printer named by WIN.INI's [windows] device
// entry ("name,driver,port"); null when there is none or it cannot be made.
HDC CreateDefaultPrinterDC();
// The parts of a [windows] device entry, split in place; driver and port
// are null when the entry has no comma.
struct PrinterDevice {
  char* name;
  char* driver;
  char* port;
};
PrinterDevice SplitDeviceEntry(char* entry);
// The paper's orientation for that many pages a sheet: sideways at two.
short SheetOrientation(int32_t pages_per_sheet);
// The margins of the default printer's printable area on its paper turned
// for that many pages a sheet, as the printer reports them; the nominal
// ones when there is no default printer or it cannot be asked.
SheetMargins DefaultPrinterMargins(int32_t pages_per_sheet);
