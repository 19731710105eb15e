// The print job's message loop and its progress dialog.
#include "report/print/print_job.h"

BOOL CALLBACK PrintAbortProc(HDC, int) {
  PrintJob& job = PRINT_JOB;
  MSG message;
  while (!job.cancel && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The quit belongs to the owner's own loop, after the job.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (job.dialog && IsDialogMessageA(job.dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return job.cancel ? FALSE : TRUE;
}

INT_PTR CALLBACK PrintDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) {
    PRINT_JOB.cancel = 1;
    return TRUE;
  }
  return FALSE;
}
