// Every question the library puts to a person: its message boxes and the
// print dialog. They go through one replaceable table, so that an owner that
// answers for the user (a test, a batch run) never leaves a window waiting.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

struct ModalUi {
  int (*message_box)(HWND owner, const char* text, const char* caption, UINT style);
  BOOL (*print_dialog)(PRINTDLGA* dialog);
};

// MessageBoxA and PrintDlgA.
extern const ModalUi PLATFORM_MODAL_UI;
// The table in use; the platform's at load.
extern ModalUi MODAL_UI;

// Installs a table and answers the one it replaces. A null member stands for
// the platform's call.
ModalUi SetModalUi(const ModalUi& ui);

// Asks through the table in use; answers as MessageBoxA and PrintDlgA do.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style);
BOOL ShowPrintDialog(PRINTDLGA* dialog);
