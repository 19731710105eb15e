// The preview and its pasted copy beside the printed sheet: the sample
// report printed on the printer prefix's real PostScript printers and read
// back by Ghostscript, previewed in a window and pasted from the clipboard,
// for the default printer and for one whose margins differ on every side.
// The page area lies where paper has it: the sheet frame's lines, and at
// one page a sheet the page's ink, in the same places of the sheet.
#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/print/print_preview_face.h"
#include "report/print/sheet_rendering.h"
#include "runenv/run_folders_face.h"
#include "tests/common/default_printer.h"
#include "tests/print/dib_canvas.h"
#include "tests/print/pasted_picture.h"
#include "tests/print/print_window.h"
#include "tests/print/printed_sheets.h"

namespace {

// Makes the named printer the default one while it lives.
class DefaultPrinterGuard {
 public:
  explicit DefaultPrinterGuard(const char* name) {
    DWORD size = sizeof saved_;
    if (!GetDefaultPrinterA(saved_, &size)) saved_[0] = '\0';
    made_ = SetDefaultPrinterA(name) != FALSE;
  }
  ~DefaultPrinterGuard() { SetDefaultPrinterA(saved_[0] ? saved_ : TEST_PRINTER); }
  DefaultPrinterGuard(const DefaultPrinterGuard&) = delete;
  DefaultPrinterGuard& operator=(const DefaultPrinterGuard&) = delete;
  bool made() const { return made_; }

 private:
  char saved_[256] = {};
  bool made_ = false;
};

// A bitmap drawn by the library, as the gray dots Ghostscript gives.
InkBitmap InkOf(const DibCanvas& canvas) {
  InkBitmap ink;
  ink.width = canvas.width();
  ink.height = canvas.height();
  ink.gray.resize(std::size_t(ink.width) * ink.height);
  for (int y = 0; y < ink.height; ++y)
    for (int x = 0; x < ink.width; ++x) {
      const DWORD p = canvas.Pixel(x, y);
      ink.gray[std::size_t(y) * ink.width + x] =
          static_cast<unsigned char>(((p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF)) / 3);
    }
  return ink;
}

// Where a sheet drawn by the library lies in a bitmap: the sheet of paper
// from (left, top), `scale` bitmap dots to a dot of the printed sheet.
struct Shown {
  InkBitmap ink;
  double left = 0;
  double top = 0;
  double scale = 1;
  double X(double paper_x) const { return left + paper_x * scale; }
  double Y(double paper_y) const { return top + paper_y * scale; }
  RECT Of(const RECT& paper) const {
    return {LONG(X(paper.left)), LONG(Y(paper.top)), LONG(X(paper.right)), LONG(Y(paper.bottom))};
  }
};

// The frame's lines of the shown sheet where paper has them, within
// `tolerance` dots of the shown bitmap; at one page a sheet, the box of
// the page's ink (its first cell, the underline to its last column and the
// table's foot, which no font moves).
void ExpectAsOnPaper(const PrintedSheets& printed, int per_sheet, const Shown& shown,
                     double tolerance) {
  const InkBitmap& paper = printed.sheet(0);
  const RECT area = shown.Of(printed.area);
  if (per_sheet > 1) {
    const FrameLines on_paper = FindFrameLines(paper, printed.area);
    const FrameLines drawn = FindFrameLines(shown.ink, area);
    ASSERT_EQ(on_paper.columns.size(), 3u);
    ASSERT_EQ(drawn.columns.size(), on_paper.columns.size());
    ASSERT_EQ(drawn.rows.size(), on_paper.rows.size());
    for (std::size_t i = 0; i < on_paper.columns.size(); ++i)
      EXPECT_NEAR(drawn.columns[i], shown.X(on_paper.columns[i]), tolerance) << "line down " << i;
    for (std::size_t i = 0; i < on_paper.rows.size(); ++i)
      EXPECT_NEAR(drawn.rows[i], shown.Y(on_paper.rows[i]), tolerance) << "line across " << i;
    return;
  }
  const RECT on_paper = PageInkIn(paper, {}, printed.area).box;
  const RECT drawn = PageInkIn(shown.ink, {}, area).box;
  EXPECT_NEAR(drawn.left, shown.X(on_paper.left), tolerance);
  EXPECT_NEAR(drawn.top, shown.Y(on_paper.top), tolerance + 1);
  EXPECT_NEAR(drawn.right, shown.X(on_paper.right), tolerance);
  EXPECT_NEAR(drawn.bottom, shown.Y(on_paper.bottom), tolerance);
}

struct PaperCase {
  const char* printer;
  int per_sheet;
};

class PreviewBesidePaper : public ::testing::TestWithParam<PaperCase> {
 protected:
  void SetUp() override {
    std::strcpy(FOLDER_BUFFERS.program_folder, folder_.path().c_str());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
  }
  void TearDown() override {
    FOLDER_BUFFERS = {};
    PREVIEW_PAGES.clear();
    PAGES_PER_SHEET = 1;
    OUTPUT_TARGET = 0;
    DeletePrintFonts();
  }
  ScratchFolder folder_;
};

}  // namespace

TEST_P(PreviewBesidePaper, TheCopyAndTheWindowShowThePageAreaWherePaperHasIt) {
  const PaperCase& c = GetParam();
  const DefaultPrinterGuard printer(c.printer);
  ASSERT_TRUE(printer.made()) << c.printer;
  const std::string report = folder_ / "RUN1.DQO";
  WriteBytes(report, ReadBytes(ZOVK_SAMPLE_REPORT));
  const PrintedSheets printed = PrintReportSheets(report, c.per_sheet);
  ASSERT_GE(printed.count(), 1);
  const InkBitmap& paper = printed.sheet(0);

  SettingsFileGuard settings;
  WritePrivateProfileStringA("Print Format", "Output",
                             (std::to_string(c.per_sheet) + " per 1").c_str(), SETTINGS_FILE);
  const OwnerWindow window(c.per_sheet == 2 ? 900 : 640, c.per_sheet == 2 ? 660 : 880);
  ASSERT_NE(window.get(), nullptr);
  ASSERT_EQ(OpenPreview(window.get(), nullptr, report.c_str()), 1);

  ASSERT_EQ(CopyPreviewToClipboard(window.get(), 0), 1);
  for (const UINT format : {UINT{CF_METAFILEPICT}, UINT{CF_ENHMETAFILE}}) {
    SCOPED_TRACE(format == CF_METAFILEPICT ? "pasted metafile picture"
                                           : "pasted enhanced metafile");
    DibCanvas pasted(paper.width, paper.height);
    ASSERT_TRUE(PastePicture(format, pasted));
    ExpectAsOnPaper(printed, c.per_sheet, {InkOf(pasted)}, 2);
  }

  SCOPED_TRACE("window");
  RECT client{};
  GetClientRect(window.get(), &client);
  DibCanvas painted(client.right, client.bottom);
  ASSERT_EQ(PaintPreviewInto(painted.dc(), window.get(), 0), 1);
  const RECT sheet = PreviewSheetRect(window.get(), c.per_sheet);
  ExpectAsOnPaper(printed, c.per_sheet,
                  {InkOf(painted), double(sheet.left), double(sheet.top),
                   double(sheet.right - sheet.left) / paper.width},
                  // A dot of the window is a dot and a half of paper.
                  3);
}

INSTANTIATE_TEST_SUITE_P(
    Printers, PreviewBesidePaper,
    ::testing::Values(PaperCase{TEST_PRINTER, 1}, PaperCase{TEST_PRINTER, 2},
                      PaperCase{TEST_PRINTER, 4}, PaperCase{WIDE_MARGIN_PRINTER, 1},
                      PaperCase{WIDE_MARGIN_PRINTER, 2}, PaperCase{WIDE_MARGIN_PRINTER, 4}),
    [](const auto& info) {
      return std::string(info.param.printer == TEST_PRINTER ? "QuarterInch" : "WideMargins") +
             std::to_string(info.param.per_sheet);
    });
