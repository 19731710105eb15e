// A stand-in for the person in front of the screen: while one lives, every
// message box and print dialog of the library is recorded and answered at once.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "include/modal_ui.h"

class ModalUiDouble {
 public:
  struct Message {
    HWND owner;
    std::string text;
    std::string caption;  // "(null)" stands for a null caption
    UINT style;
    bool owner_enabled;  // whether the owner window took input when it was asked
  };
  struct PrintDialog {
    HWND owner;
    DWORD flags;
    bool owner_enabled;
    short orientation;  // of the device mode handed to the dialog; 0 without one
  };

  ModalUiDouble() {
    current() = this;
    previous_ = SetModalUi({&ModalUiDouble::OnMessageBox, &ModalUiDouble::OnPrintDialog});
  }
  ~ModalUiDouble() {
    SetModalUi(previous_);
    current() = nullptr;
  }
  ModalUiDouble(const ModalUiDouble&) = delete;
  ModalUiDouble& operator=(const ModalUiDouble&) = delete;

  std::vector<Message> messages;
  std::vector<PrintDialog> print_dialogs;
  // What a message box answers (IDOK unless a test says otherwise).
  int message_answer = IDOK;
  // Fills the dialog's answer as a person would; unset, the dialog is cancelled (0).
  std::function<BOOL(PRINTDLGA*)> print_answer;

  // The texts shown, in order.
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const Message& m : messages) out.push_back(m.text);
    return out;
  }

 private:
  static ModalUiDouble*& current() {
    static ModalUiDouble* instance = nullptr;
    return instance;
  }
  static bool Enabled(HWND owner) { return owner == nullptr || IsWindowEnabled(owner) != FALSE; }

  static short Orientation(const PRINTDLGA* dialog) {
    const auto* mode =
        static_cast<const DEVMODEA*>(dialog->hDevMode ? GlobalLock(dialog->hDevMode) : nullptr);
    const short orientation = mode ? mode->dmOrientation : 0;
    if (mode) GlobalUnlock(dialog->hDevMode);
    return orientation;
  }
  static int OnMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    ModalUiDouble* self = current();
    self->messages.push_back(
        {owner, text ? text : "(null)", caption ? caption : "(null)", style, Enabled(owner)});
    return self->message_answer;
  }
  static BOOL OnPrintDialog(PRINTDLGA* dialog) {
    ModalUiDouble* self = current();
    self->print_dialogs.push_back(
        {dialog->hwndOwner, dialog->Flags, Enabled(dialog->hwndOwner), Orientation(dialog)});
    return self->print_answer ? self->print_answer(dialog) : FALSE;
  }

  ModalUi previous_;
};
