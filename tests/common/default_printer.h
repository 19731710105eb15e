// The person at the print dialog of a real printer's prefix, who takes the
// default printer as the dialog offers it.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

// The printers of the real printer's prefix (tests/print_smoke/
// install_test_printer.cpp): the default one, whose printable area lies a
// quarter inch in on every side, and one whose margins differ on every side
// (on A4: half an inch left, three quarters right, an inch at the top, a
// quarter at the bottom).
inline constexpr const char* TEST_PRINTER = "Zovk Test Printer";
inline constexpr const char* WIDE_MARGIN_PRINTER = "Zovk Wide Margin Printer";

// The context of the printer named in the device names, in the device mode
// the job set up; one copy.
inline BOOL ConfirmDefaultPrinter(PRINTDLGA* dialog) {
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog->hDevNames));
  const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(dialog->hDevMode));
  if (!names || !mode) return FALSE;
  const char* base = reinterpret_cast<const char*>(names);
  dialog->hDC = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                          base + names->wOutputOffset, mode);
  GlobalUnlock(dialog->hDevNames);
  GlobalUnlock(dialog->hDevMode);
  dialog->nCopies = 1;
  return dialog->hDC != nullptr;
}
