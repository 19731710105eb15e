// The one place where the library asks the user something.
#include "include/modal_ui.h"

namespace {

int PlatformMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  return MessageBoxA(owner, text, caption, style);
}

BOOL PlatformPrintDialog(PRINTDLGA* dialog) { return PrintDlgA(dialog); }

}  // namespace

const ModalUi PLATFORM_MODAL_UI = {PlatformMessageBox, PlatformPrintDialog};
ModalUi MODAL_UI = PLATFORM_MODAL_UI;

ModalUi SetModalUi(const ModalUi& ui) {
  const ModalUi previous = MODAL_UI;
  MODAL_UI.message_box = ui.message_box ? ui.message_box : PLATFORM_MODAL_UI.message_box;
  MODAL_UI.print_dialog = ui.print_dialog ? ui.print_dialog : PLATFORM_MODAL_UI.print_dialog;
  return previous;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  return MODAL_UI.message_box(owner, text, caption, style);
}

BOOL ShowPrintDialog(PRINTDLGA* dialog) { return MODAL_UI.print_dialog(dialog); }
