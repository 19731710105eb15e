// One real printer: a two-page report printed through the platform's print
// dialog (asked for its default printer) and StartDocA into a file gives a
// PostScript file of two pages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "include/document_calls.h"
#include "include/modal_ui.h"
#include "report/print/report_printing_face.h"
#include "tests/common/default_printer.h"
#include "tests/common/modal_ui_double.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string OUTPUT_PATH;

// StartDocA as the platform does it, into the test's file rather than the
// FILE: port's own question.
int StartDocIntoFile(HDC dc, const DOCINFOA* doc) {
  DOCINFOA into = *doc;
  into.lpszOutput = OUTPUT_PATH.c_str();
  return PLATFORM_DOCUMENT_CALLS.start_doc(dc, &into);
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

TEST(RealPrinter, ATwoPageReportPrintsAsPostScriptOfTwoPages) {
  ScratchFolder folder;
  OUTPUT_PATH = folder / "REPORT.PS";
  const std::string report = folder / "RUN1.DQO";
  std::string text;
  for (int page = 1; page <= 2; ++page) {
    std::string line = "Page " + std::to_string(page) + " of the report";
    line.resize(80, ' ');
    text += line + "\t1\n";
  }
  WriteBytes(report, text);

  ModalUiDouble user;
  user.print_answer = [](PRINTDLGA* dialog) -> BOOL {
    if (dialog->Flags & PD_RETURNDEFAULT) return PLATFORM_MODAL_UI.print_dialog(dialog);
    return ConfirmDefaultPrinter(dialog);
  };
  const DocumentCalls previous = SetDocumentCalls({.start_doc = StartDocIntoFile});
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  PrintReportFile(owner, GetModuleHandleA(nullptr), report.c_str(), 0);
  DestroyWindow(owner);
  SetDocumentCalls(previous);

  EXPECT_TRUE(user.messages.empty()) << user.messages[0].text;
  ASSERT_EQ(user.print_dialogs.size(), 2u) << "the platform's dialog found no default printer";
  const std::string postscript = ReadBytes(OUTPUT_PATH);
  ASSERT_EQ(postscript.rfind("%!PS-Adobe", 0), 0u) << postscript.substr(0, 200);
  EXPECT_EQ(Count(postscript, "%%Page:"), 2);
}
