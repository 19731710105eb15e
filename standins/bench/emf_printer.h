// A printer for the report benchmark, as the print tests make one: while it
// lives, the print dialog answers at once with one of its contexts, every
// document call goes to it, and each context is an enhanced metafile that
// records the sheets drawn on it. It keeps no page: when the job deletes the
// context, the metafile's size is noted and the metafile deleted, so that
// printing again and again holds no more memory. Messages the job shows are
// counted and answered at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "include/document_calls.h"
#include "include/modal_ui.h"

namespace bench {

class EmfPrinter {
 public:
  EmfPrinter();
  ~EmfPrinter();
  EmfPrinter(const EmfPrinter&) = delete;
  EmfPrinter& operator=(const EmfPrinter&) = delete;

  // Forgets what the last job did.
  void Clear();

  // The moment of each EndPage of the last job, in seconds.
  std::vector<double> sheet_ends;
  int64_t sheets = 0;
  int64_t documents_ended = 0;
  int64_t documents_aborted = 0;
  int64_t metafile_bytes = 0;  // of the last context deleted
  int64_t messages = 0;        // message boxes the jobs showed

 private:
  static EmfPrinter*& current();
  static HDC CreateDc(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* init);
  static BOOL DeleteDc(HDC dc);
  static int SetAbort(HDC dc, ABORTPROC proc);
  static int StartDoc(HDC dc, const DOCINFOA* doc);
  static int EscapeCall(HDC dc, int code, int in_size, LPCSTR in, LPVOID out);
  static int StartPg(HDC dc);
  static int EndPg(HDC dc);
  static int EndDc(HDC dc);
  static int AbortDc(HDC dc);
  static int OnMessageBox(HWND owner, const char* text, const char* caption, UINT style);
  static BOOL OnPrintDialog(PRINTDLGA* dialog);
  // Whether the job's abort procedure lets the sheet go on.
  bool GoOn(HDC dc) const;

  DocumentCalls previous_calls_;
  ModalUi previous_ui_;
  HDC live_ = nullptr;
  ABORTPROC abort_ = nullptr;
};

}  // namespace bench
