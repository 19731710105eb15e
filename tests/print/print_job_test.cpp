// The print job against a stand-in printer: the printer it chooses, the
// progress dialog, the document and its pages, a cancel, and the messages
// of each failure, titled "Print".
#include "report/print/print_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/print/sheet_rendering.h"
#include "tests/common/document_double.h"
#include "tests/common/modal_ui_double.h"
#include "tests/print/print_window.h"
#include "tests/print/sheet_page.h"

namespace {

using Names = std::vector<std::string>;

class PrintJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(owner_.get(), nullptr) << "no window in the window prefix";
    PRINT_JOB = {};
    PAGES_PER_SHEET = 1;
    OUTPUT_TARGET = 0;
    EmptyPage();
  }
  void TearDown() override {
    if (PRINT_JOB.dc) ReleasePrintJob(owner_.get());
    PAGES_PER_SHEET = 1;
    DeletePrintFonts();
  }
  int32_t Step(const char* step, int32_t p = 0, int32_t page = 0, int32_t n = 0) {
    return PrintStep(owner_.get(), instance_, step, p, page, n);
  }
  void Answer(PrintDialogAnswer answer) {
    user_.print_answer = AnswerPrintDialog(printer_, answer);
  }
  // Nothing of a job is left: no context, no dialog, the owner enabled.
  void ExpectReleased() {
    EXPECT_EQ(printer_.live_contexts(), 0);
    EXPECT_EQ(printer_.deletes_of_unknown_contexts, 0);
    EXPECT_EQ(DocumentDouble::FindDialog(), nullptr);
    EXPECT_EQ(PRINT_JOB.dc, nullptr);
    EXPECT_TRUE(owner_.enabled());
    EXPECT_FALSE(PrintJobRunning());
  }
  void ExpectOneMessage(const std::string& text, UINT icon) {
    ASSERT_EQ(user_.messages.size(), 1u) << (user_.messages.empty() ? "" : user_.messages[0].text);
    EXPECT_EQ(user_.messages[0].text, text);
    EXPECT_EQ(user_.messages[0].caption, "Print");
    EXPECT_EQ(user_.messages[0].style, icon);
    EXPECT_EQ(user_.messages[0].owner, owner_.get());
  }

  OwnerWindow owner_;
  HINSTANCE instance_ = GetModuleHandleA(nullptr);
  ModalUiDouble user_;
  DocumentDouble printer_;
};

class DeviceEntry {
 public:
  explicit DeviceEntry(const char* value) {
    GetProfileStringA("windows", "device", "", saved_, sizeof saved_);
    WriteProfileStringA("windows", "device", value);
  }
  ~DeviceEntry() { WriteProfileStringA("windows", "device", saved_[0] ? saved_ : nullptr); }

 private:
  char saved_[256] = {};
};

}  // namespace

TEST_F(PrintJobTest, TheDialogAsksForTheDefaultPrinterThenForTheChoiceInTheSheetsOrientation) {
  for (int32_t per_sheet : {1, 2, 4}) {
    PAGES_PER_SHEET = per_sheet;
    user_.print_dialogs.clear();
    Answer({});
    ASSERT_EQ(Step("INITIALIZATION"), 1);
    ASSERT_EQ(user_.print_dialogs.size(), 2u);
    EXPECT_EQ(user_.print_dialogs[0].flags, DWORD{0x400});
    EXPECT_EQ(user_.print_dialogs[1].flags, DWORD{0x104});
    EXPECT_EQ(user_.print_dialogs[1].orientation, per_sheet == 2 ? 2 : 1) << per_sheet;
    EXPECT_TRUE(user_.print_dialogs[1].owner_enabled);
    EXPECT_EQ(Step("END"), 0);
  }
  EXPECT_TRUE(user_.messages.empty());
  ExpectReleased();
}

// From the print dialog on until the job is released the page buffers,
// the fonts and the page area are the job's: a preview draws nothing.
TEST_F(PrintJobTest, TheJobHoldsTheSheetStateFromItsDialogUntilItIsReleased) {
  std::vector<bool> held_in_dialog;
  const auto answer = AnswerPrintDialog(printer_, {});
  user_.print_answer = [&](PRINTDLGA* dialog) {
    held_in_dialog.push_back(PrintJobRunning());
    return answer(dialog);
  };
  ASSERT_EQ(Step("INITIALIZATION"), 1);
  EXPECT_EQ(held_in_dialog, (std::vector<bool>{true, true}));
  EXPECT_TRUE(PrintJobRunning());
  EXPECT_EQ(Step("PRINT", 1, 1, 1), 1);
  EXPECT_TRUE(PrintJobRunning());
  EXPECT_EQ(Step("END"), 0);
  ExpectReleased();
}

TEST_F(PrintJobTest, WithoutADefaultPrinterNothingStarts) {
  Answer({.has_default = false});
  EXPECT_EQ(Step("INITIALIZATION"), 0);
  ExpectOneMessage(
      "No default printer.\n\n Use Control Panel to install and select a default printer.",
      MB_ICONWARNING);
  EXPECT_EQ(printer_.created(), 0);
  ExpectReleased();
}

TEST_F(PrintJobTest, ACancelledDialogSendsNothing) {
  Answer({.confirms = false});
  EXPECT_EQ(Step("INITIALIZATION"), 0);
  ExpectOneMessage("Can not send to printer.", MB_ICONWARNING);
  ExpectReleased();
}

TEST_F(PrintJobTest, NoCopiesOrAReversedRangeIsAnIncorrectSetupAndTheContextIsDeleted) {
  for (PrintDialogAnswer answer :
       {PrintDialogAnswer{.copies = 0},
        PrintDialogAnswer{.flags = PD_PAGENUMS, .from_page = 5, .to_page = 4}}) {
    user_.messages.clear();
    Answer(answer);
    EXPECT_EQ(Step("INITIALIZATION"), 0);
    ExpectOneMessage("Incorrect setup for the printer.\n\nPlease try again.", MB_ICONWARNING);
    ExpectReleased();
  }
  EXPECT_EQ(printer_.count("DeleteDC"), 2);
}

TEST_F(PrintJobTest, ADialogThatGivesNoContextIsRefusedBeforeTheOwnerIsDisabled) {
  Answer({.gives_dc = false});
  EXPECT_EQ(Step("INITIALIZATION"), 0);
  ExpectOneMessage("Can not create abort procedure.", MB_ICONERROR);
  EXPECT_TRUE(user_.messages[0].owner_enabled);
  EXPECT_EQ(printer_.count("SetAbortProc"), 0);
  ExpectReleased();
}

TEST_F(PrintJobTest, TheDefaultPrinterComesFromTheDeviceEntryOfWinIni) {
  DeviceEntry entry("Test Printer, winspool,  LPT1:");
  PRINT_JOB.default_printer = 1;
  ASSERT_EQ(Step("INITIALIZATION"), 1);
  ASSERT_GE(printer_.calls.size(), 1u);
  EXPECT_EQ(printer_.calls[0].name, "CreateDCA");
  EXPECT_EQ(printer_.calls[0].detail, "winspool|Test Printer|LPT1:");
  EXPECT_TRUE(user_.print_dialogs.empty());
  EXPECT_EQ(PRINT_JOB.first_page, 1);
  EXPECT_EQ(PRINT_JOB.last_page, 1000);
  EXPECT_EQ(Step("END"), 0);
  ExpectReleased();
}

TEST_F(PrintJobTest, AnEmptyDeviceEntryCannotCreateTheAbortProcedure) {
  DeviceEntry entry("");
  PRINT_JOB.default_printer = 1;
  EXPECT_EQ(Step("INITIALIZATION"), 0);
  ExpectOneMessage("Can not create abort procedure.", MB_ICONERROR);
  EXPECT_EQ(printer_.count("CreateDCA"), 0);
  ExpectReleased();
}

TEST_F(PrintJobTest, AModuleWithoutTheProgressDialogStartsNoJob) {
  Answer({});
  EXPECT_EQ(PrintStep(owner_.get(), GetModuleHandleA("kernel32.dll"), "INITIALIZATION", 0, 0, 0),
            0);
  ExpectOneMessage("Unable to create a message dialog.", MB_ICONWARNING);
  EXPECT_EQ(printer_.count("DeleteDC"), 1);
  ExpectReleased();
}

TEST_F(PrintJobTest, AJobShowsItsDialogDisablesTheOwnerPrintsItsDocumentAndEnds) {
  Answer({});
  ASSERT_EQ(Step("INITIALIZATION"), 1);
  EXPECT_FALSE(owner_.enabled());
  HWND dialog = DocumentDouble::FindDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetParent(dialog), owner_.get());
  PutRow(0, "First page");
  ASSERT_EQ(StartSheet(owner_.get()), 1);
  ASSERT_EQ(Step("PRINT", 1, 1, 1), 1);
  ASSERT_EQ(EndSheet(owner_.get()), 1);
  EXPECT_EQ(Step("END"), 0);
  EXPECT_EQ(printer_.names(), (Names{"CreateDCA", "SetAbortProc", "StartDocA", "StartPage",
                                     "EndPage", "EndDoc", "DeleteDC"}));
  EXPECT_EQ(printer_.calls[2].detail, "KVEM Output");
  EXPECT_TRUE(user_.messages.empty());
  ASSERT_EQ(printer_.pages.size(), 1u);
  const auto texts = printer_.pages[0].texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text.substr(0, 10), "First page");
  ExpectReleased();
}

TEST_F(PrintJobTest, AStartDocThatFailsIsTriedAgainAsAnEscape) {
  Answer({});
  printer_.fail_call = 3;  // the dialog's CreateDCA, SetAbortProc, then StartDocA
  ASSERT_EQ(Step("INITIALIZATION"), 1);
  EXPECT_EQ(printer_.names(), (Names{"CreateDCA", "SetAbortProc", "StartDocA", "Escape"}));
  EXPECT_EQ(printer_.calls[3].detail, "STARTDOC");
  EXPECT_EQ(Step("END"), 0);
  ExpectReleased();
}

TEST_F(PrintJobTest, APageIsDrawnWhenItsPageNumberLiesInTheRange) {
  Answer({.flags = PD_PAGENUMS, .from_page = 3, .to_page = 4});
  ASSERT_EQ(Step("INITIALIZATION"), 1);
  PutRow(0, "Drawn");
  ASSERT_EQ(Step("PRINT", 1, 3, 1), 1);
  PutRow(0, "Not drawn");
  ASSERT_EQ(Step("PRINT", 3, 1, 1), 1);
  EXPECT_EQ(Step("END"), 0);
  ASSERT_EQ(printer_.pages.size(), 1u);
  const auto texts = printer_.pages[0].texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text.substr(0, 5), "Drawn");
}

TEST_F(PrintJobTest, ACancelDuringAPageAbortsTheDocumentAndSaysSoOnce) {
  Answer({});
  ASSERT_EQ(Step("INITIALIZATION"), 1);
  ASSERT_EQ(StartSheet(owner_.get()), 1);
  printer_.cancel_call = static_cast<int>(printer_.calls.size()) + 1;  // at EndPage
  EXPECT_EQ(EndSheet(owner_.get()), 0);
  ExpectOneMessage("Print job has been canceled by user.", MB_ICONERROR);
  EXPECT_EQ(printer_.count("AbortDoc"), 1);
  EXPECT_EQ(printer_.count("EndDoc"), 0);
  EXPECT_EQ(Step("END"), 0);
  EXPECT_EQ(user_.messages.size(), 1u);
  ExpectReleased();
}

TEST_F(PrintJobTest, ACancelSeenAtAPageStepEndsTheJob) {
  Answer({});
  ASSERT_EQ(Step("INITIALIZATION"), 1);
  PostMessageA(DocumentDouble::FindDialog(), WM_COMMAND, IDCANCEL, 0);
  PrintAbortProc(PRINT_JOB.dc, 0);
  EXPECT_EQ(PRINT_JOB.cancel, 1);
  EXPECT_EQ(Step("PRINT", 1, 2000, 1), 0);
  ExpectOneMessage("Print job has been canceled by user.", MB_ICONERROR);
  EXPECT_EQ(printer_.count("AbortDoc"), 1);
  ExpectReleased();
}

// A quit met while the job lets messages through belongs to the owner's own
// loop: it is taken out of the way of the job and posted again, unchanged.
TEST_F(PrintJobTest, AQuitMetWhilePrintingIsLeftForTheOwnersLoop) {
  ASSERT_EQ(PRINT_JOB.cancel, 0);
  PostQuitMessage(7);
  EXPECT_EQ(PrintAbortProc(nullptr, 0), TRUE);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
}

TEST_F(PrintJobTest, AStepWithoutAJobDoesNothing) {
  EXPECT_EQ(Step("PRINT", 1, 1, 1), 0);
  EXPECT_EQ(Step("END"), 0);
  EXPECT_EQ(StartSheet(owner_.get()), 0);
  EXPECT_TRUE(printer_.calls.empty());
  EXPECT_TRUE(user_.messages.empty());
}
