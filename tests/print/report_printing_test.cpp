// A print run over a report file against the stand-in printer: the pages a
// sheet from the settings file, the page range over the page numbers, the
// sheets, a cancel, and every failure in turn leaving nothing behind.
#include "report/print/report_printing_face.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/drawing/container_bytes.h"

#include "include/document_calls.h"
#include "report/print/print_job.h"
#include "report/print/sheet_rendering.h"
#include "services/language_setting_face.h"
#include "tests/common/document_double.h"
#include "tests/common/empty_folders.h"
#include "tests/common/modal_ui_double.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/settings_file.h"
#include "tests/print/print_window.h"
#include "tests/print/report_pages_sink.h"

namespace {

class ReportPrinting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(owner_.get(), nullptr) << "no window in the window prefix";
    PRINT_JOB = {};
    PAGES_PER_SHEET = 1;
  }
  void TearDown() override {
    DeletePrintFonts();
    PAGES_PER_SHEET = 1;
  }
  void PagesASheet(const char* value) {
    WritePrivateProfileStringA("Print Format", "Output", value, SETTINGS_FILE);
  }
  std::string WriteReport(const std::string& layout) {
    WriteBytes(report_, LayoutReport(layout));
    return report_;
  }
  void Print(PrintDialogAnswer answer = {}, HINSTANCE instance = GetModuleHandleA(nullptr)) {
    user_.print_answer = AnswerPrintDialog(printer_, answer);
    EXPECT_EQ(PrintReportFile(owner_.get(), instance, report_.c_str(), 0), 0);
  }
  // Nothing of the job is left, and the report is closed.
  void ExpectAllReleased(DocumentDouble& printer) {
    EXPECT_EQ(printer.live_contexts(), 0);
    EXPECT_EQ(printer.deletes_of_unknown_contexts, 0);
    EXPECT_TRUE(printer.EachDocumentClosedOnce());
    EXPECT_EQ(printer.end_docs_with_a_sheet_open, 0);
    EXPECT_EQ(DocumentDouble::FindDialog(), nullptr);
    EXPECT_TRUE(owner_.enabled());
    EXPECT_TRUE(DeleteFileA(report_.c_str())) << "the report is still open";
  }
  // The one message of a print that drew nothing, shown once the job was
  // released.
  void ExpectToldOnceReleased(const std::string& text, UINT icon) {
    ASSERT_EQ(user_.texts(), std::vector<std::string>{text});
    EXPECT_EQ(user_.messages[0].caption, "Print");
    EXPECT_EQ(user_.messages[0].style, icon);
    EXPECT_EQ(user_.messages[0].owner, owner_.get());
    EXPECT_TRUE(user_.messages[0].owner_enabled);
  }
  // The lines drawn on the sheet of a print of the report.
  std::size_t LinesPrinted() {
    DocumentDouble printer;
    user_.print_answer = AnswerPrintDialog(printer, {});
    PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 0);
    EXPECT_EQ(printer.pages.size(), 1u);
    return printer.pages.empty() ? 0 : printer.pages[0].lines().size();
  }
  static std::vector<std::string> PageTexts(const EmfRecords& page) {
    std::vector<std::string> out;
    for (const auto& t : page.texts())
      if (t.text.rfind("page ", 0) == 0)
        out.push_back(t.text.substr(0, t.text.find_last_not_of(' ') + 1));
    return out;
  }

  SettingsFileGuard settings_;
  ScratchFolder folder_;
  std::string report_ = folder_ / "RUN1.DQO";
  OwnerWindow owner_;
  ModalUiDouble user_;
  DocumentDouble printer_;
};

}  // namespace

TEST(PrintFormat, TheOutputValueGivesThePagesASheet) {
  EXPECT_EQ(PagesPerSheetFromSetting("2 PER 1"), 2);
  EXPECT_EQ(PagesPerSheetFromSetting("4 per 1"), 4);
  EXPECT_EQ(PagesPerSheetFromSetting("1 per 1"), 1);
  EXPECT_EQ(PagesPerSheetFromSetting("3 per 1"), 1);
  EXPECT_EQ(PagesPerSheetFromSetting(""), 1);
  SettingsFileGuard settings;
  EXPECT_EQ(ReadPrintFormat(), 1);
  WritePrivateProfileStringA("Print Format", "Output", "2 PER 1", SETTINGS_FILE);
  EXPECT_EQ(ReadPrintFormat(), 2);
  WritePrivateProfileStringA("Print Format", "Output", "", SETTINGS_FILE);
  EXPECT_EQ(ReadPrintFormat(), 1);
}

// As a printer does, the stand-in refuses a context it did not hand out, so
// a job that forgot to test its context fails at once.
TEST(StandInPrinter, RefusesAnAbortProcedureAndADocumentOnAContextItDidNotHandOut) {
  DocumentDouble printer;
  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = "KVEM Output";
  HDC foreign = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  for (HDC dc : {HDC{nullptr}, foreign}) {
    EXPECT_EQ(DOCUMENT_CALLS.set_abort_proc(dc, PrintAbortProc), 0);
    EXPECT_EQ(DOCUMENT_CALLS.start_doc(dc, &document), 0);
    EXPECT_EQ(DOCUMENT_CALLS.escape(dc, STARTDOC, 11, "KVEM Output", nullptr), 0);
  }
  DeleteEnhMetaFile(CloseEnhMetaFile(foreign));
  HDC own = printer.NewDc();
  EXPECT_EQ(DOCUMENT_CALLS.set_abort_proc(own, PrintAbortProc), 1);
  EXPECT_EQ(DOCUMENT_CALLS.start_doc(own, &document), 1);
  EXPECT_EQ(DOCUMENT_CALLS.abort_doc(own), 1);
  EXPECT_EQ(DOCUMENT_CALLS.delete_dc(own), TRUE);
}

TEST_F(ReportPrinting, EachPageOfTheReportIsASheetAtOnePageASheet) {
  WriteReport("PPP");
  Print();
  EXPECT_EQ(printer_.count("StartPage"), 3);
  EXPECT_EQ(printer_.count("EndDoc"), 1);
  ASSERT_EQ(printer_.pages.size(), 1u);
  EXPECT_EQ(PageTexts(printer_.pages[0]), (std::vector<std::string>{"page 1", "page 2", "page 3"}));
  EXPECT_TRUE(user_.messages.empty());
  ExpectAllReleased(printer_);
}

// The whole report is printed: a byte 0x1A in page 1's text, where a file
// read as text would end, is a character like any other, with lines ended
// by LF or by CR LF.
TEST_F(ReportPrinting, AByte1AInAPagesTextEndsNothing) {
  for (const char* line_end : {"\n", "\r\n"}) {
    SCOPED_TRACE(line_end[0] == '\r' ? "CR LF" : "LF");
    std::string report;
    for (const char c : BodyLine("page 1", '1') + BodyLine("text \x1A of page 1") +
                            BodyLine("page 2", '1') + BodyLine("text of page 2"))
      report += c == '\n' ? std::string(line_end) : std::string(1, c);
    WriteBytes(report_, report);
    DocumentDouble printer;
    user_.print_answer = AnswerPrintDialog(printer, {});
    PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 0);
    EXPECT_EQ(printer.count("StartPage"), 2);
    ASSERT_EQ(printer.pages.size(), 1u);
    EXPECT_EQ(PageTexts(printer.pages[0]), (std::vector<std::string>{"page 1", "page 2"}));
    EXPECT_TRUE(user_.messages.empty());
    ExpectAllReleased(printer);
  }
}

TEST_F(ReportPrinting, ARangeOfThreeToFourAtTwoASheetIsOneSheetEndingAtPageFive) {
  PagesASheet("2 per 1");
  for (const char* layout : {"PPPPPP", "PP|PPPP"}) {
    DocumentDouble printer;
    WriteReport(layout);
    user_.print_answer =
        AnswerPrintDialog(printer, {.flags = PD_PAGENUMS, .from_page = 3, .to_page = 4});
    PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 0);
    EXPECT_EQ(printer.count("StartPage"), 1) << layout;
    EXPECT_EQ(printer.count("EndPage"), 1) << layout;
    ASSERT_EQ(printer.pages.size(), 1u);
    const EmfRecords& sheet = printer.pages[0];
    EXPECT_EQ(PageTexts(sheet), (std::vector<std::string>{"page 3", "page 4"})) << layout;
    // Page 3 on the left half, page 4 on the right.
    const int w = GetDeviceCaps(GetDC(nullptr), HORZRES);
    const auto origins = sheet.viewport_origins();
    ASSERT_GE(origins.size(), 2u);
    EXPECT_EQ(origins[origins.size() - 2].x, 0);
    EXPECT_EQ(origins.back().x, w / 2);
    ExpectAllReleased(printer);
  }
}

namespace {

// Each sheet of a printed document, between the printer's marks of its
// start: the pages' texts and how many rectangles (the frame is one) it has.
struct DocumentSheet {
  std::vector<std::string> pages;
  int rectangles = 0;
};
std::vector<DocumentSheet> SheetsOf(const EmfRecords& document) {
  std::vector<DocumentSheet> sheets;
  const auto texts = document.texts();
  std::size_t next_text = 0;
  for (std::size_t i = 0; i < document.all().size(); ++i) {
    const EmfRecord& r = document.all()[i];
    if (r.type == EMR_GDICOMMENT) {
      const std::size_t at = offsetof(EMRGDICOMMENT, Data);
      if (std::string(reinterpret_cast<const char*>(r.bytes.data()) + at, r.bytes.size() - at)
              .rfind("StartPage", 0) == 0)
        sheets.emplace_back();
    }
    if (sheets.empty()) continue;
    if (r.type == EMR_RECTANGLE) ++sheets.back().rectangles;
    if (next_text < texts.size() && texts[next_text].index == i) {
      const std::string& t = texts[next_text++].text;
      if (t.rfind("page ", 0) == 0)
        sheets.back().pages.push_back(t.substr(0, t.find_last_not_of(' ') + 1));
    }
  }
  return sheets;
}

}  // namespace

// A print range may start at any place of a sheet: every sheet printed gets
// its frame, once, with the first page printed on it.
TEST_F(ReportPrinting, EverySheetOfARangeHasItsFrame) {
  struct RangeCase {
    const char* format;
    int from, to;
    std::vector<std::vector<std::string>> sheets;  // the pages of each
  };
  for (const RangeCase& c :
       std::vector<RangeCase>{{"2 per 1", 2, 5, {{"page 2"}, {"page 3", "page 4"}, {"page 5"}}},
                              {"4 per 1", 2, 4, {{"page 2", "page 3", "page 4"}}},
                              {"4 per 1", 3, 6, {{"page 3", "page 4"}, {"page 5", "page 6"}}},
                              {"2 per 1", 1, 3, {{"page 1", "page 2"}, {"page 3"}}}}) {
    SCOPED_TRACE(std::string(c.format) + " from " + std::to_string(c.from));
    PagesASheet(c.format);
    DocumentDouble printer;
    WriteReport("PPPPPP");
    user_.print_answer =
        AnswerPrintDialog(printer, {.flags = PD_PAGENUMS, .from_page = c.from, .to_page = c.to});
    PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 0);
    ASSERT_EQ(printer.pages.size(), 1u);
    const std::vector<DocumentSheet> sheets = SheetsOf(printer.pages[0]);
    ASSERT_EQ(sheets.size(), c.sheets.size());
    for (std::size_t s = 0; s < sheets.size(); ++s) {
      EXPECT_EQ(sheets[s].pages, c.sheets[s]) << "sheet " << s + 1;
      EXPECT_EQ(sheets[s].rectangles, 1) << "sheet " << s + 1;
    }
    ExpectAllReleased(printer);
  }
}

TEST_F(ReportPrinting, ARangeBeyondTheReportStartsNoSheetAndAbortsTheJob) {
  WriteReport("PPPPP");
  Print({.flags = PD_PAGENUMS, .from_page = 7, .to_page = 8});
  EXPECT_EQ(printer_.count("StartPage"), 0);
  EXPECT_EQ(printer_.count("AbortDoc"), 1);
  EXPECT_EQ(printer_.count("EndDoc"), 0);
  ExpectToldOnceReleased("No page of the report lies in the print range.", MB_ICONWARNING);
  ExpectAllReleased(printer_);
}

TEST_F(ReportPrinting, AReportThatCannotBeOpenedAbortsTheJobAndReleasesIt) {
  Print();
  EXPECT_EQ(printer_.count("AbortDoc"), 1);
  EXPECT_EQ(printer_.count("EndDoc"), 0);
  EXPECT_EQ(printer_.live_contexts(), 0);
  EXPECT_TRUE(owner_.enabled());
  EXPECT_EQ(DocumentDouble::FindDialog(), nullptr);
  ExpectToldOnceReleased("Can not open the report file.", MB_ICONERROR);
}

TEST_F(ReportPrinting, AReportWithoutPagesSaysSo) {
  for (const char* layout : {"", "||"}) {
    SCOPED_TRACE(layout);
    user_.messages.clear();
    DocumentDouble printer;
    WriteReport(layout);
    user_.print_answer = AnswerPrintDialog(printer, {});
    PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 0);
    EXPECT_EQ(printer.count("StartPage"), 0);
    EXPECT_EQ(printer.count("AbortDoc"), 1);
    ExpectToldOnceReleased("The report has no page to print.", MB_ICONWARNING);
    ExpectAllReleased(printer);
  }
}

// The default printer's device entry, with or without blanks after its
// commas (wine's own entry has none), names device, driver and port.
TEST_F(ReportPrinting, TheDefaultPrinterIsTheDeviceEntrysDeviceDriverAndPort) {
  char saved[256] = {};
  GetProfileStringA("windows", "device", "", saved, sizeof saved);
  WriteReport("P");
  for (const auto& [entry, created] : std::vector<std::pair<const char*, const char*>>{
           {"Test Printer,winspool,LPT1:", "winspool|Test Printer|LPT1:"},
           {"Name,wineps.drv,FILE:", "wineps.drv|Name|FILE:"},
           {"Test Printer, winspool,  LPT1:", "winspool|Test Printer|LPT1:"},
           {"Name,,FILE:", "|Name|FILE:"},
           {"Name,wineps.drv", "wineps.drv|Name|(null)"}}) {
    SCOPED_TRACE(entry);
    WriteProfileStringA("windows", "device", entry);
    DocumentDouble printer;
    EXPECT_EQ(PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 1), 0);
    ASSERT_FALSE(printer.calls.empty());
    EXPECT_EQ(printer.calls[0].detail, created);
    EXPECT_EQ(printer.count("StartPage"), 1);
    EXPECT_EQ(printer.count("EndDoc"), 1);
    EXPECT_TRUE(user_.print_dialogs.empty());
  }
  WriteProfileStringA("windows", "device", saved[0] ? saved : nullptr);
  EXPECT_TRUE(user_.messages.empty());
}

// A report's drawings are the drawings of its own container, beside it:
// found from any current folder, in a folder with blanks or a long name.
TEST_F(ReportPrinting, TheReportsDrawingsPrintFromAnyCurrentFolder) {
  EmptyFolders elsewhere;
  ASSERT_TRUE(elsewhere.changed());
  // Drawing 1 draws one line, drawing 2 two.
  const std::string container =
      DrawingBytesOf({Record('M'), Record('D', 1.0f, 1.0f)}, "") +
      DrawingBytesOf({Record('M'), Record('D', 1.0f, 0.0f), Record('D', 1.0f, 1.0f)}, "");
  const std::string text = "$$$PLATE.ZFD 1 2 40 20\n" + BodyLine("page 1", '1') +
                           "$$$PLATE.ZFD 41 2 80 20\n" + BodyLine("text");
  for (const std::string& sub :
       {std::string(), std::string("My Cases\\"), std::string(150, 'F') + "\\"}) {
    SCOPED_TRACE(sub);
    report_ = folder_ / (sub + "RUN1.DQO");
    WriteBytes(report_, text);
    const std::size_t without = LinesPrinted();
    WriteBytes(folder_ / (sub + "RUN1.ZFD"), container);
    EXPECT_EQ(LinesPrinted(), without + 3);
  }
}

TEST_F(ReportPrinting, EachCopyIsAPassOverTheReport) {
  WriteReport("PP");
  Print({.copies = 2});
  EXPECT_EQ(printer_.count("StartPage"), 4);
  EXPECT_EQ(PageTexts(printer_.pages.at(0)),
            (std::vector<std::string>{"page 1", "page 2", "page 1", "page 2"}));
  ExpectAllReleased(printer_);
}

TEST_F(ReportPrinting, ACancelMidJobAbortsOnceAndLeavesTheReportFree) {
  WriteReport("PPPP");
  printer_.cancel_call = 5;  // CreateDCA, SetAbortProc, StartDocA, StartPage, then EndPage
  Print();
  ASSERT_EQ(user_.texts(), std::vector<std::string>{"Print job has been canceled by user."});
  EXPECT_EQ(printer_.count("AbortDoc"), 1);
  EXPECT_EQ(printer_.count("EndDoc"), 0);
  ExpectAllReleased(printer_);
}

TEST_F(ReportPrinting, EveryFailureInTurnLeavesNothingBehindAndSaysSoOnce) {
  PagesASheet("2 per 1");
  const std::string layout = "PPP|P";
  // A run without failures, to count its calls.
  std::vector<std::string> names;
  {
    DocumentDouble printer;
    WriteReport(layout);
    user_.print_answer = AnswerPrintDialog(printer, {});
    PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 0);
    names = printer.names();
    ASSERT_GT(names.size(), 8u);
  }
  const std::map<std::string, std::string> message_of = {
      {"CreateDCA", "Can not create abort procedure."},
      {"SetAbortProc", "Can not create abort procedure."},
      {"StartDocA", ""},  // the escape starts the document instead
      {"StartPage", "Cann't start a new page"},
      {"EndPage", "Cann't finish current page"},
      {"EndDoc", "Printing error occured."},
      {"DeleteDC", ""}};
  for (std::size_t k = 1; k <= names.size(); ++k) {
    SCOPED_TRACE("call " + std::to_string(k) + " " + names[k - 1]);
    user_.messages.clear();
    DocumentDouble printer;
    printer.fail_call = static_cast<int>(k);
    WriteReport(layout);
    user_.print_answer = AnswerPrintDialog(printer, {});
    PrintReportFile(owner_.get(), GetModuleHandleA(nullptr), report_.c_str(), 0);
    const std::string expected = message_of.at(names[k - 1]);
    if (expected.empty()) {
      EXPECT_TRUE(user_.messages.empty());
    } else {
      EXPECT_EQ(user_.texts(), std::vector<std::string>{expected});
    }
    ExpectAllReleased(printer);
  }
  struct DialogCase {
    PrintDialogAnswer answer;
    HINSTANCE instance;
    const char* message;
  };
  const HINSTANCE self = GetModuleHandleA(nullptr);
  for (const DialogCase& c : std::vector<DialogCase>{
           {{.has_default = false},
            self,
            "No default printer.\n\n Use Control Panel to install and select a default printer."},
           {{.confirms = false}, self, "Can not send to printer."},
           {{.copies = 0}, self, "Incorrect setup for the printer.\n\nPlease try again."},
           {{.flags = PD_PAGENUMS, .from_page = 2, .to_page = 1},
            self,
            "Incorrect setup for the printer.\n\nPlease try again."},
           {{.gives_dc = false}, self, "Can not create abort procedure."},
           {{}, GetModuleHandleA("kernel32.dll"), "Unable to create a message dialog."}}) {
    SCOPED_TRACE(c.message);
    user_.messages.clear();
    DocumentDouble printer;
    WriteReport(layout);
    user_.print_answer = AnswerPrintDialog(printer, c.answer);
    PrintReportFile(owner_.get(), c.instance, report_.c_str(), 0);
    EXPECT_EQ(user_.texts(), std::vector<std::string>{c.message});
    ExpectAllReleased(printer);
  }
  {
    user_.messages.clear();
    DocumentDouble printer;
    printer.cancel_call = 6;
    WriteReport(layout);
    user_.print_answer = AnswerPrintDialog(printer, {});
    PrintReportFile(owner_.get(), self, report_.c_str(), 0);
    EXPECT_EQ(user_.texts(), std::vector<std::string>{"Print job has been canceled by user."});
    ExpectAllReleased(printer);
  }
}
