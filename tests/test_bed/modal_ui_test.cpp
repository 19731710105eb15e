// The question hook: while the double lives it hears every question and
// answers it; afterwards the platform's calls are back.
#include <gtest/gtest.h>

#include "include/modal_ui.h"
#include "tests/common/modal_ui_double.h"

TEST(ModalUi, TheDoubleRecordsEachMessageAndAnswersAsTold) {
  {
    ModalUiDouble user;
    user.message_answer = IDCANCEL;
    EXPECT_EQ(ShowMessageBox(nullptr, "Can not open file", "Open Error", MB_ICONERROR), IDCANCEL);
    EXPECT_EQ(ShowMessageBox(nullptr, "second", nullptr, MB_OK), IDCANCEL);
    ASSERT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(user.messages[0].owner, nullptr);
    EXPECT_EQ(user.messages[0].text, "Can not open file");
    EXPECT_EQ(user.messages[0].caption, "Open Error");
    EXPECT_EQ(user.messages[0].style, UINT{MB_ICONERROR});
    EXPECT_TRUE(user.messages[0].owner_enabled);
    EXPECT_EQ(user.messages[1].caption, "(null)");
  }
  EXPECT_EQ(MODAL_UI.message_box, PLATFORM_MODAL_UI.message_box);
  EXPECT_EQ(MODAL_UI.print_dialog, PLATFORM_MODAL_UI.print_dialog);
}

TEST(ModalUi, ThePrintDialogIsCancelledUnlessTheDoubleIsToldHowToAnswer) {
  ModalUiDouble user;
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT;
  EXPECT_FALSE(ShowPrintDialog(&dialog));
  user.print_answer = [](PRINTDLGA* d) {
    d->nCopies = 2;
    return TRUE;
  };
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION;
  EXPECT_TRUE(ShowPrintDialog(&dialog));
  EXPECT_EQ(dialog.nCopies, 2);
  ASSERT_EQ(user.print_dialogs.size(), 2u);
  EXPECT_EQ(user.print_dialogs[0].flags, DWORD{PD_RETURNDEFAULT});
  EXPECT_EQ(user.print_dialogs[1].flags, DWORD{PD_RETURNDC | PD_NOSELECTION});
}

TEST(ModalUi, AHalfFilledTableKeepsThePlatformsCallForTheOtherQuestion) {
  const ModalUi before =
      SetModalUi({[](HWND, const char*, const char*, UINT) { return 7; }, nullptr});
  EXPECT_EQ(ShowMessageBox(nullptr, "x", "y", MB_OK), 7);
  EXPECT_EQ(MODAL_UI.print_dialog, PLATFORM_MODAL_UI.print_dialog);
  SetModalUi(before);
}
