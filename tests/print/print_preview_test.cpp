// The preview: a report read into page records, its sheets drawn on their
// places, painted into a window and put on the clipboard.
#include "report/print/print_preview_face.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "include/test_seams.h"
#include "report/drawing/drawing_memory_face.h"
#include "report/print/print_job.h"
#include "report/print/report_printing_face.h"
#include "report/print/sheet_rendering.h"
#include "runenv/run_folders_face.h"
#include "services/language_setting_face.h"
#include "tests/common/document_double.h"
#include "tests/common/empty_folders.h"
#include "tests/common/metafile_records.h"
#include "tests/common/modal_ui_double.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/settings_file.h"
#include "tests/drawing/container_bytes.h"
#include "tests/print/dib_canvas.h"
#include "tests/print/pasted_picture.h"
#include "tests/print/print_window.h"
#include "tests/print/report_pages_sink.h"
#include "tests/print/sheet_pictures.h"

namespace {

std::string Pages(int from, int to) {
  std::string out;
  for (int page = from; page <= to; ++page)
    out += BodyLine("page " + std::to_string(page), '1') + BodyLine("text of the page");
  return out;
}

// The page area of a sheet of paper drawn at `sheet`: the sheet less a
// quarter inch on every side, the printable area of a printer that cannot
// be asked (the window prefix has none), scaled as the sheet is.
RECT QuarterInchInside(const RECT& sheet, int32_t pages_per_sheet) {
  const SheetSize paper = PreviewSheetSize(pages_per_sheet);
  const double sx = double(sheet.right - sheet.left) / paper.width;
  const double sy = double(sheet.bottom - sheet.top) / paper.height;
  return {sheet.left + LONG(635 * sx), sheet.top + LONG(635 * sy), sheet.right - LONG(635 * sx),
          sheet.bottom - LONG(635 * sy)};
}

class Preview : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window_.get(), nullptr) << "no window in the window prefix";
    PREVIEW_PAGES.clear();
    PREVIEW_SHEET_COUNT = 0;
    PAGES_PER_SHEET = 1;
    OUTPUT_TARGET = 0;
  }
  void TearDown() override {
    PREVIEW_PAGES.clear();
    PAGES_PER_SHEET = 1;
    OUTPUT_TARGET = 0;
    DeletePrintFonts();
  }
  std::string Report(const std::string& text, const char* name = "RUN1.DQO") {
    const std::string path = folder_ / name;
    WriteBytes(path, text);
    return path;
  }
  void PagesASheet(const char* value) {
    WritePrivateProfileStringA("Print Format", "Output", value, SETTINGS_FILE);
  }
  // The page texts a sheet shows, drawn on a metafile.
  std::vector<std::string> SheetTexts(int32_t sheet) {
    EmfCanvas canvas;
    DrawPreviewSheet(canvas.dc(), window_.get(), sheet);
    std::vector<std::string> out;
    for (const auto& t : canvas.finish().texts())
      if (t.text.rfind("page ", 0) == 0)
        out.push_back(t.text.substr(0, t.text.find_last_not_of(' ') + 1));
    return out;
  }

  SettingsFileGuard settings_;
  ScratchFolder folder_;
  OwnerWindow window_;
  ModalUiDouble user_;
};

using Texts = std::vector<std::string>;

}  // namespace

TEST_F(Preview, ThreePagesAtTwoASheetMakeTwoSheetsAlsoAfterALongerLoad) {
  PagesASheet("2 per 1");
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 5), "LONG.DQO").c_str()), 1);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 3);
  PREVIEW_CURRENT_SHEET = 2;
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 3)).c_str()), 1);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 2);
  EXPECT_EQ(PREVIEW_CURRENT_SHEET, 0);
  EXPECT_EQ(OUTPUT_TARGET, 1);
  EXPECT_EQ(PREVIEW_PAGES.size(), 3u);
  EXPECT_EQ(SheetTexts(0), (Texts{"page 1", "page 2"}));
  EXPECT_EQ(SheetTexts(1), (Texts{"page 3"}));
  EXPECT_TRUE(SheetTexts(2).empty());
  EXPECT_TRUE(SheetTexts(-1).empty());
}

TEST_F(Preview, AtFourASheetABreakAfterPageOneAddsThreeCountedFillers) {
  PagesASheet("4 per 1");
  ASSERT_EQ(OpenPreview(window_.get(), nullptr,
                        Report(Pages(1, 1) + "[Page break]\n" + Pages(2, 3)).c_str()),
            1);
  ASSERT_EQ(PREVIEW_PAGES.size(), 6u);
  for (int q : {1, 2, 3}) EXPECT_EQ(PREVIEW_PAGES[q].line_count, 0) << q;
  EXPECT_EQ(PREVIEW_PAGES[4].line_count, 2);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 2);
  EXPECT_EQ(SheetTexts(0), (Texts{"page 1"}));
  EXPECT_EQ(SheetTexts(1), (Texts{"page 2", "page 3"}));
}

// The preview lays a sheet out as it is printed: the pages 5 and 4
// columns into their halves.
TEST_F(Preview, PagesSitWhereTheyArePrinted) {
  PagesASheet("2 per 1");
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 2)).c_str()), 1);
  EmfCanvas canvas;
  DrawPreviewSheet(canvas.dc(), window_.get(), 0);
  const auto texts = canvas.finish().texts();
  std::vector<LONG> starts;
  for (const auto& t : texts)
    if (t.text.rfind("page ", 0) == 0) starts.push_back(t.reference.x);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0], 5 * PREVIEW_CELL_SIZE.width);
  EXPECT_EQ(starts[1], 4 * PREVIEW_CELL_SIZE.width);
}

// The sheet keeps the paper's proportions (turned sideways at two pages a
// sheet) in a window of any shape, centred, with a margin all round; its
// page area lies inside it as paper has it, within the printable area's
// margins, and the frame is drawn on the sheet's grid mapped onto that.
TEST_F(Preview, ASheetKeepsThePapersProportionsAndItsPageAreaLiesInsideItAsOnPaper) {
  for (const char* format : {"1 per 1", "2 per 1", "4 per 1"}) {
    PagesASheet(format);
    ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 2)).c_str()), 1);
    RECT client{};
    GetClientRect(window_.get(), &client);
    const RECT sheet = PreviewSheetRect(window_.get(), PREVIEW_PAGES_PER_SHEET);
    const double paper = PREVIEW_PAGES_PER_SHEET == 2 ? 297.0 / 210 : 210.0 / 297;
    EXPECT_NEAR(double(sheet.right - sheet.left) / (sheet.bottom - sheet.top), paper, 0.01)
        << format;
    EXPECT_GE(sheet.left, 1);
    EXPECT_GE(sheet.top, 1);
    EXPECT_NEAR(sheet.left, client.right - sheet.right, 1) << format;
    EXPECT_NEAR(sheet.top, client.bottom - sheet.bottom, 1) << format;
    // The first mapping is the page area as it is (the frame's, or at one
    // page a sheet the page's own place).
    EmfCanvas canvas;
    ASSERT_EQ(DrawPreviewSheet(canvas.dc(), window_.get(), 0), 1);
    const EmfRecords records = canvas.finish();
    ASSERT_FALSE(records.viewport_extents().empty());
    const SIZEL extent = records.viewport_extents()[0];
    const POINTL at = records.viewport_origins()[0];
    const RECT area = QuarterInchInside(sheet, PREVIEW_PAGES_PER_SHEET);
    EXPECT_NEAR(at.x, area.left, 1) << format;
    EXPECT_NEAR(at.y, area.top, 1) << format;
    EXPECT_NEAR(at.x + extent.cx, area.right, 1) << format;
    EXPECT_NEAR(at.y + extent.cy, area.bottom, 1) << format;
  }
}

// A metafile picture of a previewed page fills the rectangle of its cells
// on its place, whatever the shape of the window that shows the sheet.
TEST_F(Preview, AMetafilePictureFillsItsCellsWhateverTheWindow) {
  ScratchFolder program;
  std::strcpy(FOLDER_BUFFERS.program_folder, program.path().c_str());
  ASSERT_TRUE(WriteHalfBlackEmf(program / "LOGO.EMF"));
  PagesASheet("2 per 1");
  ASSERT_EQ(
      OpenPreview(window_.get(), nullptr, Report("$$$LOGO.EMF 41 3 78 20\n" + Pages(1, 2)).c_str()),
      1);
  for (const SIZE outer : {SIZE{600, 800}, SIZE{900, 400}}) {
    SetWindowPos(window_.get(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(window_.get(), &client);
    DibCanvas canvas(client.right, client.bottom);
    ASSERT_EQ(PaintPreviewInto(canvas.dc(), window_.get(), 0), 1);
    // The left page's cells: columns 41 to 78 and rows 3 to 20, the page 5
    // columns and 3 rows into its half of 88 by 68 cells of the page area.
    const RECT sheet = QuarterInchInside(PreviewSheetRect(window_.get(), 2), 2);
    const double cell_w = (sheet.right - sheet.left) / 2 / 88.0;
    const double cell_h = (sheet.bottom - sheet.top) / 68.0;
    const int left = sheet.left + int((40 + 5) * cell_w);
    const int right = sheet.left + int((77 + 5) * cell_w);
    const int top = sheet.top + int((2 + 3) * cell_h);
    const int bottom = sheet.top + int((19 + 3) * cell_h);
    const int x = (left + right) / 2;
    const int y = (top + bottom) / 2;
    const RECT cells = {left, top, right, bottom};
    EXPECT_EQ(canvas.InkIn(Around(BlackHalfMiddle(cells))), 25) << outer.cx << "x" << outer.cy;
    EXPECT_EQ(canvas.InkIn(Around(WhiteHalfMiddle(cells))), 0) << outer.cx << "x" << outer.cy;
    EXPECT_FALSE(canvas.Inked(left - 3, y));
    EXPECT_FALSE(canvas.Inked(right + 3, y));
    EXPECT_FALSE(canvas.Inked(x, top - 3));
    EXPECT_FALSE(canvas.Inked(x, bottom + 3));
    EXPECT_FALSE(canvas.Inked(x + (sheet.right - sheet.left) / 2, y)) << "nothing on page 2";
  }
  FOLDER_BUFFERS = {};
}

// A preview reads the report and draws it in the font mode printing uses:
// in fixed pitch the control characters start no page and are no text,
// and a load keeps its mode for its drawing.
TEST_F(Preview, ReadsAndDrawsInTheFontModeOfPrinting) {
  SetPrintFontMode(1);
  ASSERT_EQ(LoadPreviewFile(Report(Pages(1, 2)).c_str()), 0);
  SetPrintFontMode(0);
  EXPECT_EQ(PREVIEW_PAGES.size(), 1u);
  EmfCanvas canvas;
  DrawPreviewSheet(canvas.dc(), window_.get(), 0);
  const EmfRecords records = canvas.finish();
  // The whole line is the text: "page 2", its blanks, nothing after them.
  const auto texts = records.texts();
  const auto page = std::find_if(texts.begin(), texts.end(),
                                 [](const auto& t) { return t.text.rfind("page 2", 0) == 0; });
  ASSERT_NE(page, texts.end());
  EXPECT_EQ(page->text.find_last_not_of(' '), 5u) << page->text;
  ASSERT_FALSE(records.fonts().empty());
  EXPECT_EQ(records.fonts().back().face, "Courier New");
  // Printing's own mode is left as it was.
  EXPECT_STREQ(PRINT_FONT_FACE, "Arial");
  EXPECT_EQ(PRINT_FONT_MODE, 0);
}

TEST_F(Preview, AMissingReportSaysFileNotFoundAndKeepsThePreview) {
  PagesASheet("2 per 1");
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 3)).c_str()), 1);
  PREVIEW_CURRENT_SHEET = 1;
  PagesASheet("4 per 1");
  EXPECT_EQ(OpenPreview(window_.get(), nullptr, (folder_ / "MISSING.DQO").c_str()), 0);
  ASSERT_EQ(user_.messages.size(), 1u);
  EXPECT_EQ(user_.messages[0].text, "File not found");
  EXPECT_EQ(user_.messages[0].caption, "Error");
  EXPECT_EQ(user_.messages[0].style, UINT{MB_ICONERROR});
  EXPECT_EQ(user_.messages[0].owner, window_.get());
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 2);
  EXPECT_EQ(PREVIEW_CURRENT_SHEET, 1);
  EXPECT_EQ(PAGES_PER_SHEET, 2);
  EXPECT_EQ(SheetTexts(1), (Texts{"page 3"}));
  EXPECT_EQ(LoadPreviewFile((folder_ / "MISSING.DQO").c_str()), -1);
}

TEST_F(Preview, ALongReportKeepsEveryPage) {
  ASSERT_EQ(LoadPreviewFile(Report(Pages(1, 130)).c_str()), 0);
  EXPECT_EQ(PAGES_PER_SHEET, 1);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 130);
  EXPECT_EQ(SheetTexts(129), (Texts{"page 130"}));
}

// The whole report is read: a byte 0x1A in page 1's text, where a file
// read as text would end, is a character like any other.
TEST_F(Preview, AByte1AInAPagesTextEndsNothing) {
  ASSERT_EQ(LoadPreviewFile(Report(BodyLine("page 1", '1') + BodyLine("text \x1A of page 1") +
                                   BodyLine("page 2", '1') + BodyLine("text of page 2"))
                                .c_str()),
            0);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 2);
  EXPECT_EQ(SheetTexts(0), (Texts{"page 1"}));
  EXPECT_EQ(SheetTexts(1), (Texts{"page 2"}));
}

TEST_F(Preview, AReportWithoutPagesLoadsNothing) {
  EXPECT_EQ(OpenPreview(window_.get(), nullptr, Report("[Page break]\n").c_str()), 0);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 0);
  EXPECT_EQ(LoadPreviewFile(Report("").c_str()), -1);
}

TEST_F(Preview, ThePreviewReadsLinesAsPrintingDoes) {
  // The last tab splits, so a tab in the text stays text, and a container
  // reference is the report's own container.
  ASSERT_EQ(LoadPreviewFile(Report("$$$A.ZFD 1 1 2 2\n" + BodyLine("a\tb", '1')).c_str()), 0);
  ASSERT_EQ(PREVIEW_PAGES.size(), 1u);
  ASSERT_EQ(PREVIEW_PAGES[0].picture_count, 1);
  EXPECT_EQ(PREVIEW_PAGES[0].drawing_numbers[0], 1);
  const std::string reference(PREVIEW_PAGES[0].data + 2 * 80);
  EXPECT_EQ(reference, folder_ / "RUN1.ZFD 1 1 2 2");
  EXPECT_EQ(std::string(PREVIEW_PAGES[0].data, 3), "a\tb");
  EXPECT_EQ(PREVIEW_PAGES[0].data[79], '1');
}

TEST_F(Preview, TheReportsDrawingsShowFromAnyCurrentFolder) {
  EmptyFolders elsewhere;
  ASSERT_TRUE(elsewhere.changed());
  const std::string report =
      Report("$$$PLATE.ZFD 1 2 40 20\n" + BodyLine("page 1", '1'), "My Run.DQO");
  const auto lines_shown = [&] {
    EXPECT_EQ(LoadPreviewFile(report.c_str()), 0);
    EmfCanvas canvas;
    DrawPreviewSheet(canvas.dc(), window_.get(), 0);
    return canvas.finish().lines().size();
  };
  const std::size_t without = lines_shown();
  WriteBytes(folder_ / "My Run.ZFD", DrawingBytesOf({Record('M'), Record('D', 1.0f, 1.0f)}, ""));
  EXPECT_EQ(lines_shown(), without + 1);
}

TEST_F(Preview, PaintingFillsTheClientAreaAndFramesIt) {
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 1)).c_str()), 1);
  ValidateRect(window_.get(), nullptr);
  EXPECT_EQ(PaintPreviewWindow(nullptr, window_.get(), 0), 1);
  HDC dc = GetDC(window_.get());
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
  RECT client{};
  GetClientRect(window_.get(), &client);
  EXPECT_EQ(GetPixel(dc, client.right - 3, 3), RGB(255, 255, 255));
  ReleaseDC(window_.get(), dc);
}

namespace {

class ClipboardPreview : public Preview {
 protected:
  void SetUp() override {
    Preview::SetUp();
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
  }
  // The metafile picture on the clipboard, its bits, or none.
  static bool Picture(METAFILEPICT* picture, std::vector<unsigned char>* bits) {
    if (!OpenClipboard(nullptr)) return false;
    HANDLE block = GetClipboardData(CF_METAFILEPICT);
    bool found = false;
    if (auto* p = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr) {
      *picture = *p;
      bits->resize(GetMetaFileBitsEx(p->hMF, 0, nullptr));
      GetMetaFileBitsEx(p->hMF, static_cast<UINT>(bits->size()), bits->data());
      GlobalUnlock(block);
      found = true;
    }
    CloseClipboard();
    return found;
  }
};

std::vector<std::string> WmfTexts(const std::vector<unsigned char>& bits) {
  std::vector<std::string> out;
  for (const WmfRecord& r : ReadWmfRecords(bits.data(), bits.size())) {
    if (r.function != META_EXTTEXTOUT && r.function != META_TEXTOUT) continue;
    const WORD count = r.function == META_TEXTOUT ? r.params[0] : r.params[2];
    const auto* chars =
        reinterpret_cast<const char*>(r.params.data() + (r.function == META_TEXTOUT ? 1 : 4));
    out.emplace_back(chars, count);
  }
  return out;
}

}  // namespace

TEST_F(ClipboardPreview, TheSheetGoesOnTheClipboardAsAMetafilePictureOfItsFixedPage) {
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 2)).c_str()), 1);
  ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 1), 1);
  METAFILEPICT picture{};
  std::vector<unsigned char> first;
  ASSERT_TRUE(Picture(&picture, &first));
  // The sheet of paper, in hundredths of a millimetre.
  EXPECT_EQ(picture.mm, 8);
  EXPECT_EQ(picture.xExt, 21000);
  EXPECT_EQ(picture.yExt, 29700);
  bool holds_page = false;
  for (const std::string& t : WmfTexts(first)) holds_page |= t.rfind("page 2", 0) == 0;
  EXPECT_TRUE(holds_page);
  EXPECT_EQ(PREVIEW_REFERENCE_DC, nullptr);

  SetWindowPos(window_.get(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 1), 1);
  std::vector<unsigned char> second;
  ASSERT_TRUE(Picture(&picture, &second));
  EXPECT_EQ(first, second);
}

// A receiver plays the copy into a rectangle of its own proportions: there
// its text keeps its places only when every run says where each character
// goes and the font it is written in says its width (a font without one
// would take its width from the rectangle's height).
TEST_F(ClipboardPreview, EveryTextRunCarriesItsAdvancesAndItsFontsWidth) {
  for (const int32_t per_sheet : {1, 2, 4}) {
    SCOPED_TRACE(per_sheet);
    PagesASheet((std::to_string(per_sheet) + " per 1").c_str());
    ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(ReadBytes(ZOVK_SAMPLE_REPORT)).c_str()),
              1);
    ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 0), 1);
    METAFILEPICT picture{};
    std::vector<unsigned char> bits;
    ASSERT_TRUE(Picture(&picture, &bits));
    // The metafile's object table, as a player keeps it: each object made
    // takes the first free slot; for a font, its width (-1 for others).
    std::vector<int> table;
    int font_width = -1;
    int runs = 0;
    for (const WmfRecord& r : ReadWmfRecords(bits.data(), bits.size())) {
      EXPECT_NE(r.function, META_TEXTOUT);
      switch (r.function) {
        case META_CREATEFONTINDIRECT:
        case META_CREATEPENINDIRECT:
        case META_CREATEBRUSHINDIRECT:
        case META_DIBCREATEPATTERNBRUSH:
        case META_CREATEPATTERNBRUSH:
        case META_CREATEPALETTE:
        case META_CREATEREGION: {
          const int kept = r.function == META_CREATEFONTINDIRECT && r.params.size() >= 2
                               ? static_cast<SHORT>(r.params[1])
                               : -1;
          auto free_slot = std::find(table.begin(), table.end(), -2);
          if (free_slot == table.end())
            table.push_back(kept);
          else
            *free_slot = kept;
          break;
        }
        case META_DELETEOBJECT:
          if (!r.params.empty() && r.params[0] < table.size()) table[r.params[0]] = -2;
          break;
        case META_SELECTOBJECT:
          if (!r.params.empty() && r.params[0] < table.size() && table[r.params[0]] >= 0)
            font_width = table[r.params[0]];
          break;
        case META_EXTTEXTOUT: {
          ++runs;
          EXPECT_GT(font_width, 0) << "the width of the font of run " << runs;
          ASSERT_GE(r.params.size(), 4u);
          const std::size_t count = r.params[2];
          const std::size_t rect = r.params[3] & (ETO_CLIPPED | ETO_OPAQUE) ? 4 : 0;
          // y, x, count, options, the rectangle, the characters, an advance each.
          EXPECT_EQ(r.params.size(), 4 + rect + (count + 1) / 2 + count)
              << "the advances of run " << runs;
          break;
        }
        default:
          break;
      }
    }
    EXPECT_GT(runs, 20);
  }
}

// Without memory for the picture nothing reaches the clipboard and nothing
// stays allocated; a copy the clipboard takes is the clipboard's.
TEST_F(ClipboardPreview, APictureWithoutMemoryLeavesTheClipboardAndNoBlock) {
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 1)).c_str()), 1);
  const int64_t live = LiveDrawingMemory();
  FailDrawingMemory(1);
  EXPECT_EQ(CopyPreviewToClipboard(window_.get(), 0), 0);
  FailDrawingMemory(0);
  EXPECT_EQ(LiveDrawingMemory(), live);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_METAFILEPICT));
  CloseClipboard();
  EXPECT_EQ(CopyPreviewToClipboard(window_.get(), 0), 1);
  EXPECT_EQ(LiveDrawingMemory(), live);
  METAFILEPICT picture{};
  std::vector<unsigned char> bits;
  EXPECT_TRUE(Picture(&picture, &bits));
  EXPECT_EQ(picture.mm, MM_ANISOTROPIC);
}

TEST_F(ClipboardPreview, AClipboardHeldByAnotherProgramIsLeftAsItWas) {
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 1)).c_str()), 1);
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(text), "held", 5);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    SetEvent(opened);
    WaitForSingleObject(done, 10000);
    CloseClipboard();
  });
  WaitForSingleObject(opened, 10000);
  const int64_t live = LiveDrawingMemory();
  EXPECT_EQ(CopyPreviewToClipboard(window_.get(), 0), 0);
  EXPECT_EQ(LiveDrawingMemory(), live);  // the picture made for it is freed
  SetEvent(done);
  holder.join();
  CloseHandle(opened);
  CloseHandle(done);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_METAFILEPICT));
  HANDLE text = GetClipboardData(CF_TEXT);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "held");
  GlobalUnlock(text);
  CloseClipboard();
}

namespace {

// A receiver's rectangle of 920 by 1140 dots.
constexpr int kPasteWidth = 920;
constexpr int kPasteHeight = 1140;

class PastedPreview : public ClipboardPreview, public ::testing::WithParamInterface<UINT> {};

}  // namespace

// A receiver plays the picture into a rectangle of its own: the picture
// holds window origins and extents and no mapping of its own, so the whole
// sheet shows in the rectangle, its middle line from top to bottom and a
// metafile picture in its cells; so does the enhanced metafile the
// clipboard makes of it, which most receivers take.
TEST_P(PastedPreview, ShowsTheWholeSheetInTheReceiversRectangle) {
  ScratchFolder program;
  std::strcpy(FOLDER_BUFFERS.program_folder, program.path().c_str());
  ASSERT_TRUE(WriteHalfBlackEmf(program / "LOGO.EMF"));
  // A drawing twice as wide as high, crossed by its diagonals, in the
  // report's own container.
  WriteBytes(folder_ / "RUN1.ZFD",
             DrawingBytesOf({Record('L', 1), Record('M', 0, 0), Record('D', 4, 2),
                             Record('M', 0, 2), Record('D', 4, 0), Record('T')},
                            "", "CROSS", 4.0f, 2.0f));
  PagesASheet("2 per 1");
  ASSERT_EQ(
      OpenPreview(window_.get(), nullptr,
                  Report("$$$LOGO.EMF 41 3 78 20\n$$$RUN1.ZFD 5 30 35 50\n" + Pages(1, 2)).c_str()),
      1);
  ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 0), 1);
  METAFILEPICT picture{};
  std::vector<unsigned char> bits;
  ASSERT_TRUE(Picture(&picture, &bits));
  EXPECT_EQ(picture.mm, MM_ANISOTROPIC);
  EXPECT_EQ(picture.xExt, 29700);
  EXPECT_EQ(picture.yExt, 21000);
  for (const WmfRecord& r : ReadWmfRecords(bits.data(), bits.size()))
    EXPECT_TRUE(r.function != META_SETMAPMODE && r.function != META_SETVIEWPORTORG &&
                r.function != META_SETVIEWPORTEXT && r.function != META_SCALEVIEWPORTEXT &&
                r.function != META_OFFSETVIEWPORTORG)
        << std::hex << r.function;

  DibCanvas pasted(kPasteWidth, kPasteHeight);
  ASSERT_TRUE(PastePicture(GetParam(), pasted));
  // The page area within the sheet's margins, in the receiver's dots.
  const RECT area = QuarterInchInside({0, 0, kPasteWidth, kPasteHeight}, 2);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  // The middle line runs between the frame's top and bottom, 2 and 66 of
  // the page area's 68 rows.
  EXPECT_GE(pasted.LongestColumn(kPasteWidth / 2 - 3, kPasteWidth / 2 + 3), height * 62 / 68);
  // The logo of the left page: columns 41 to 78 and rows 3 to 20, the page
  // 5 columns and 3 rows into its half of 88 by 68 cells.
  const auto x = [&](int column) { return area.left + (column - 1 + 5) * (width / 2) / 88; };
  const auto y = [&](int row) { return area.top + (row - 1 + 3) * height / 68; };
  const RECT logo = {x(41), y(3), x(78), y(20)};
  EXPECT_EQ(pasted.InkIn(Around(BlackHalfMiddle(logo))), 25);
  EXPECT_EQ(pasted.InkIn(Around(WhiteHalfMiddle(logo))), 0);
  // The drawing's diagonals cross in the middle of its cells, columns 5 to
  // 35 and rows 30 to 62 (below the page's two lines it runs on to the
  // page's foot).
  const int cross_x = area.left + (4 + 34 + 2 * 5) * (width / 2) / (2 * 88);
  const int cross_y = area.top + (29 + 61 + 2 * 3) * height / (2 * 68);
  bool crossed = false;
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) crossed |= pasted.Inked(cross_x + dx, cross_y + dy);
  EXPECT_TRUE(crossed);
  FOLDER_BUFFERS = {};
}

namespace {

// The box around every inked dot of the bitmap.
RECT InkBox(const DibCanvas& canvas) {
  RECT box = {canvas.width(), canvas.height(), 0, 0};
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (canvas.Inked(x, y))
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
  return box;
}

}  // namespace

// Pasted at the paper's own size (100 dots an inch), the copy has its page
// area where paper has it, inside the sheet by the printable area's
// margins: the frame of two and four pages on the page area's grid, and at
// one page a sheet the page's first cell at the page area's corner.
TEST_P(PastedPreview, LaysThePageAreaInsideTheSheetAsPaperDoes) {
  for (const int32_t per_sheet : {1, 2, 4}) {
    SCOPED_TRACE(per_sheet);
    PagesASheet((std::to_string(per_sheet) + " per 1").c_str());
    ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, per_sheet)).c_str()), 1);
    ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 0), 1);
    const SheetSize paper = PreviewSheetSize(per_sheet);
    DibCanvas pasted(paper.width * 100 / 2540, paper.height * 100 / 2540);
    ASSERT_TRUE(PastePicture(GetParam(), pasted));
    const RECT area = QuarterInchInside({0, 0, pasted.width(), pasted.height()}, per_sheet);
    const RECT ink = InkBox(pasted);
    SheetFrameCells frame{};
    if (SheetFrameAt(per_sheet, &frame)) {
      const double c = double(area.right - area.left) / frame.columns;
      const double d = double(area.bottom - area.top) / frame.rows;
      EXPECT_NEAR(ink.left, area.left + frame.left * c, 1.5);
      EXPECT_NEAR(ink.top, area.top + frame.top * d, 1.5);
      EXPECT_NEAR(ink.right, area.left + frame.right * c, 1.5);
      EXPECT_NEAR(ink.bottom, area.top + frame.bottom * d, 1.5);
    } else {
      // "page 1" starts in the first cell of the first row.
      const double c = double(area.right - area.left) / ROW_CELLS;
      const double d = double(area.bottom - area.top) / PAGE_ROWS;
      EXPECT_GE(ink.left, area.left);
      EXPECT_LT(ink.left, area.left + c / 2);
      EXPECT_GE(ink.top, area.top);
      EXPECT_LT(ink.top, area.top + d);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, PastedPreview,
                         ::testing::Values(UINT{CF_METAFILEPICT}, UINT{CF_ENHMETAFILE}),
                         [](const auto& info) {
                           return info.param == CF_METAFILEPICT ? "MetafilePicture"
                                                                : "EnhancedMetafile";
                         });

namespace {

struct PasteCase {
  UINT format;
  int32_t per_sheet;
  SIZE size;
};

class PastedText : public ClipboardPreview, public ::testing::WithParamInterface<PasteCase> {};

// Where the cells of the first page of a sheet pasted into a bitmap lie, in
// the bitmap's dots: the page area a quarter inch inside the sheet, the
// place's grid over its share of it.
struct PastedGrid {
  PastedGrid(int32_t per_sheet, const DibCanvas& canvas)
      : area(QuarterInchInside({0, 0, canvas.width(), canvas.height()}, per_sheet)),
        place(SheetPlaceAt(per_sheet, 1)) {}
  double CellWidth() const {
    return double(area.right - area.left) / (place.half_width ? 2 : 1) / place.columns;
  }
  double CellHeight() const {
    return double(area.bottom - area.top) / (place.half_height ? 2 : 1) / place.rows;
  }
  // The left edge of a page column and the top of a page row, from 0.
  double X(int column) const { return area.left + (column + place.column_offset) * CellWidth(); }
  double Y(int row) const { return area.top + (row + place.row_offset) * CellHeight(); }
  // The dots from column `from` to column `to` (excluded) of a row, between
  // the given shares of the row's height.
  RECT Cells(int row, double from, double to, double top = 0, double bottom = 1) const {
    return {LONG(X(0) + from * CellWidth()), LONG(Y(row) + top * CellHeight()),
            LONG(X(0) + to * CellWidth()), LONG(Y(row) + bottom * CellHeight())};
  }

  RECT area;
  SheetPlace place;
};

// The dots of a rectangle darker than a light gray: a leader's dots, drawn
// smoothed a dot or two across, are rarely black.
int MarkedIn(const DibCanvas& canvas, const RECT& r) {
  int n = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, canvas.height()); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, canvas.width()); ++x) {
      const DWORD p = canvas.Pixel(x, y);
      n += (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF) < 3 * 208;
    }
  return n;
}

}  // namespace

// The copy pasted into a rectangle of other proportions than the sheet's,
// as a metafile picture and as the enhanced metafile the clipboard makes of
// it: every character stays in its cell. The title's ink ends with its
// cells; each leader of the sample's rating summary runs up to its value's
// first cell (the colon's), its value lies in the value's cells and nothing
// lies after them.
TEST_P(PastedText, KeepsEveryCharacterInItsCell) {
  const PasteCase& c = GetParam();
  PagesASheet((std::to_string(c.per_sheet) + " per 1").c_str());
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(ReadBytes(ZOVK_SAMPLE_REPORT)).c_str()), 1);
  ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 0), 1);
  DibCanvas pasted(c.size.cx, c.size.cy);
  ASSERT_TRUE(PastePicture(c.format, pasted));
  const PastedGrid grid(c.per_sheet, pasted);
  // A glyph's upper half (letters, digits, a colon's upper dot) and the
  // band of the baseline, where a leader's dots lie, as shares of a row:
  // the text font is 260 of a row of 322, its baseline at four fifths of it.
  constexpr double kUpper[] = {0.15, 0.45};
  constexpr double kDots[] = {0.5, 0.72};

  const std::string title = "PLATE HEAT EXCHANGER RATING - SAMPLE REPORT";
  const auto title_end = static_cast<double>(title.size());
  EXPECT_GT(pasted.InkIn(grid.Cells(0, 0, title_end)), 0);
  EXPECT_EQ(pasted.InkIn(grid.Cells(0, title_end + 0.25, 79)), 0) << "after the title";

  struct Leader {
    int row;
    int label;  // the label's cells, before its blank and its dots
    int last;   // the value's last cell
  };
  for (const Leader& l :
       {Leader{2, 4, 38}, Leader{3, 13, 38}, Leader{4, 26, 38}, Leader{5, 18, 37}}) {
    SCOPED_TRACE("row " + std::to_string(l.row + 1));
    EXPECT_GT(MarkedIn(pasted, grid.Cells(l.row, 30, 31, kDots[0], kDots[1])), 0)
        << "the leader reaches the value's first cell";
    EXPECT_EQ(pasted.InkIn(grid.Cells(l.row, l.label + 1, 31, kUpper[0], kUpper[1])), 0)
        << "only the leader's dots between the label and the value's cells";
    EXPECT_GT(pasted.InkIn(grid.Cells(l.row, 31, l.last + 1, kUpper[0], kUpper[1])), 0)
        << "the value in its cells";
    EXPECT_EQ(pasted.InkIn(grid.Cells(l.row, l.last + 1.25, 79)), 0)
        << "nothing after the value's cells";
  }
}

INSTANTIATE_TEST_SUITE_P(Rectangles, PastedText,
                         ::testing::Values(PasteCase{CF_METAFILEPICT, 1, {920, 1140}},
                                           PasteCase{CF_METAFILEPICT, 1, {1140, 920}},
                                           PasteCase{CF_ENHMETAFILE, 1, {920, 1140}},
                                           PasteCase{CF_ENHMETAFILE, 1, {1140, 920}},
                                           PasteCase{CF_METAFILEPICT, 2, {920, 1140}},
                                           PasteCase{CF_METAFILEPICT, 2, {1140, 920}},
                                           PasteCase{CF_ENHMETAFILE, 2, {920, 1140}},
                                           PasteCase{CF_ENHMETAFILE, 2, {1140, 920}}),
                         [](const auto& info) {
                           const PasteCase& c = info.param;
                           return std::string(c.format == CF_METAFILEPICT ? "MetafilePicture"
                                                                          : "EnhancedMetafile") +
                                  std::to_string(c.per_sheet) + "ASheetAt" +
                                  std::to_string(c.size.cx) + "x" + std::to_string(c.size.cy);
                         });

// While a print job runs, the preview's shared state is the job's: every
// preview request does nothing, says so and leaves the page buffers and
// the earlier preview as they were.
TEST_F(Preview, WhileAPrintJobRunsNoRequestTouchesThePage) {
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 3)).c_str()), 1);
  std::memcpy(PAGE_TEXT[0], "THE JOB'S PAGE", 14);
  PRINT_JOB.running = true;
  EmfCanvas canvas;
  EXPECT_EQ(DrawPreviewSheet(canvas.dc(), window_.get(), 0), 0);
  EXPECT_EQ(PaintPreviewWindow(nullptr, window_.get(), 0), 0);
  EXPECT_EQ(CopyPreviewToClipboard(window_.get(), 0), 0);
  EXPECT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 1), "OTHER.DQO").c_str()), 0);
  EXPECT_EQ(LoadPreviewFile(Report(Pages(1, 1), "OTHER.DQO").c_str()), -1);
  PRINT_JOB.running = false;
  EXPECT_TRUE(canvas.finish().texts().empty());
  EXPECT_EQ(std::string(PAGE_TEXT[0], 14), "THE JOB'S PAGE");
  EXPECT_EQ(PREVIEW_PAGES.size(), 3u);
  EXPECT_EQ(SheetTexts(2), (Texts{"page 3"}));
}

namespace {

// A window that shows the preview and paints it on every WM_PAINT, as a
// caller's window does; each answer is kept.
std::vector<int32_t> PAINT_ANSWERS;
LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, w, l);
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  PAINT_ANSWERS.push_back(PaintPreviewWindow(nullptr, window, 0));
  return 0;
}

HWND PAINTED_WINDOW = nullptr;
DocumentCalls PRINTER_CALLS;
// Each sheet the printer starts finds the preview window waiting to be
// painted, so the job's abort procedure dispatches a paint at every one.
int StartPageWithPaintWaiting(HDC dc) {
  InvalidateRect(PAINTED_WINDOW, nullptr, FALSE);
  return PRINTER_CALLS.start_page(dc);
}

}  // namespace

TEST_F(Preview, APreviewPaintedWhileAJobPrintsLeavesEveryPrintedPageItsOwn) {
  WNDCLASSA type{};
  type.lpfnWndProc = PreviewWindowProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "ZovkPaintedPreview";
  RegisterClassA(&type);
  PAINTED_WINDOW = CreateWindowExA(0, type.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                   0, 400, 500, nullptr, nullptr, type.hInstance, nullptr);
  ASSERT_NE(PAINTED_WINDOW, nullptr);
  // The sample's first page (the rating summary) is shown.
  const std::string report = Report(ReadBytes(ZOVK_SAMPLE_REPORT));
  ASSERT_EQ(OpenPreview(PAINTED_WINDOW, nullptr, report.c_str()), 1);
  UpdateWindow(PAINTED_WINDOW);
  PAINT_ANSWERS.clear();

  DocumentDouble printer;
  PRINTER_CALLS = DOCUMENT_CALLS;
  DocumentCalls painting = PRINTER_CALLS;
  painting.start_page = StartPageWithPaintWaiting;
  SetDocumentCalls(painting);
  user_.print_answer = AnswerPrintDialog(printer, {});
  PrintReportFile(PAINTED_WINDOW, GetModuleHandleA(nullptr), report.c_str(), 0);
  SetDocumentCalls(PRINTER_CALLS);
  DestroyWindow(PAINTED_WINDOW);

  // Three pages, one a sheet: each was painted for, and nothing was painted.
  EXPECT_EQ(PAINT_ANSWERS, (std::vector<int32_t>{0, 0, 0}));
  // Each sheet holds its own page's text, read back between the printer's
  // marks of its start and end.
  ASSERT_EQ(printer.pages.size(), 1u);
  const EmfRecords& document = printer.pages[0];
  std::vector<std::string> sheets;
  const auto texts = document.texts();
  std::size_t next_text = 0;
  for (std::size_t i = 0; i < document.all().size(); ++i) {
    const EmfRecord& r = document.all()[i];
    if (r.type == EMR_GDICOMMENT &&
        std::string(reinterpret_cast<const char*>(r.bytes.data()) + offsetof(EMRGDICOMMENT, Data),
                    r.bytes.size() - offsetof(EMRGDICOMMENT, Data))
                .rfind("StartPage", 0) == 0)
      sheets.emplace_back();
    if (next_text < texts.size() && texts[next_text].index == i) {
      if (!sheets.empty()) sheets.back() += texts[next_text].text + "\n";
      ++next_text;
    }
  }
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].rfind("PLATE HEAT EXCHANGER RATING", 0), 0u) << sheets[0];
  EXPECT_EQ(sheets[1].rfind("PLATE GEOMETRY", 0), 0u) << sheets[1];
  EXPECT_EQ(sheets[2].rfind("MESSAGES", 0), 0u) << sheets[2];
}

namespace {

// A drawing twice as wide as high: its outline and both diagonals.
std::string FramedDrawing() {
  return DrawingBytesOf(
      {Record('L', 1), Record('M', 0, 0), Record('D', 4, 0), Record('D', 4, 2), Record('D', 0, 2),
       Record('D', 0, 0), Record('D', 4, 2), Record('M', 0, 2), Record('D', 4, 0), Record('T')},
      "", "FRAMED", 4.0f, 2.0f);
}

// Place p (from 1) of a sheet laid on the rectangle, less an eighth of it on
// every side: where a page's middle lies, clear of the sheet frame.
RECT PlaceMiddle(const RECT& sheet, int per_sheet, int p) {
  double left = 0, top = 0, right = 1, bottom = 1;
  if (per_sheet == 2) {
    left = (p - 1) % 2 * 0.5;
    right = left + 0.5;
  } else if (per_sheet == 4) {
    left = (p - 1) % 2 * 0.5;
    top = (p - 1) / 2 * 0.5;
    right = left + 0.5;
    bottom = top + 0.5;
  }
  const double w = sheet.right - sheet.left;
  const double h = sheet.bottom - sheet.top;
  const double inset = 0.125;
  return {LONG(sheet.left + (left + inset * (right - left)) * w),
          LONG(sheet.top + (top + inset * (bottom - top)) * h),
          LONG(sheet.left + (right - inset * (right - left)) * w),
          LONG(sheet.top + (bottom - inset * (bottom - top)) * h)};
}

struct BorderedCase {
  const char* picture;  // the reference's file
  int per_sheet;
};
class BorderedPreview : public ClipboardPreview,
                        public ::testing::WithParamInterface<BorderedCase> {};

}  // namespace

// A picture whose strokes run along the four sides of its rectangle (an
// enhanced metafile's border on its frame, a placeable metafile's on its
// box, a drawing's outline) shows every side of it, as thick as the side
// across from it, on every place of the previewed sheet and of its copy
// pasted in either format.
TEST_P(BorderedPreview, ShowsEverySideOfItsPicture) {
  const BorderedCase& c = GetParam();
  ScratchFolder program;
  std::strcpy(FOLDER_BUFFERS.program_folder, program.path().c_str());
  ASSERT_TRUE(WriteBorderedEmf(program / "BOX.EMF"));
  ASSERT_TRUE(WriteBorderedPlaceableMetafile(program / "BOX.WMF"));
  std::string container;
  std::string text;
  for (int page = 1; page <= c.per_sheet; ++page) {
    container += FramedDrawing();
    text += "$$$" + std::string(c.picture) + " 20 15 60 45\n" + BodyLine("", '1');
    for (int row = 1; row < 55; ++row) text += BodyLine("");
  }
  WriteBytes(folder_ / "RUN1.ZFD", container);
  PagesASheet((std::to_string(c.per_sheet) + " per 1").c_str());
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(text).c_str()), 1);
  RECT client{};
  GetClientRect(window_.get(), &client);
  DibCanvas shown(client.right, client.bottom);
  ASSERT_EQ(PaintPreviewInto(shown.dc(), window_.get(), 0), 1);
  const RECT sheet = PreviewSheetRect(window_.get(), c.per_sheet);
  for (int p = 1; p <= c.per_sheet; ++p)
    ExpectEverySide(shown, PlaceMiddle(sheet, c.per_sheet, p),
                    "preview, place " + std::to_string(p));

  ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 0), 1);
  // The copy puts back every state it saves by counting back, never to a
  // level by number, which would be one of its receiver's.
  METAFILEPICT picture{};
  std::vector<unsigned char> bits;
  ASSERT_TRUE(Picture(&picture, &bits));
  int saves = 0;
  int restores = 0;
  for (const WmfRecord& r : ReadWmfRecords(bits.data(), bits.size())) {
    saves += r.function == META_SAVEDC;
    if (r.function != META_RESTOREDC) continue;
    ++restores;
    ASSERT_FALSE(r.params.empty());
    EXPECT_EQ(static_cast<SHORT>(r.params[0]), -1);
  }
  EXPECT_GT(saves, 0);
  EXPECT_EQ(restores, saves);
  for (const UINT format : {UINT{CF_METAFILEPICT}, UINT{CF_ENHMETAFILE}}) {
    DibCanvas pasted(kPasteWidth, kPasteHeight);
    ASSERT_TRUE(PastePicture(format, pasted));
    for (int p = 1; p <= c.per_sheet; ++p)
      ExpectEverySide(
          pasted, PlaceMiddle({0, 0, kPasteWidth, kPasteHeight}, c.per_sheet, p),
          std::string(format == CF_METAFILEPICT ? "metafile picture" : "enhanced metafile") +
              ", place " + std::to_string(p));
  }
  FOLDER_BUFFERS = {};
}

INSTANTIATE_TEST_SUITE_P(PicturesAndPagesASheet, BorderedPreview,
                         ::testing::Values(BorderedCase{"BOX.EMF", 1}, BorderedCase{"BOX.EMF", 2},
                                           BorderedCase{"BOX.EMF", 4}, BorderedCase{"BOX.WMF", 1},
                                           BorderedCase{"BOX.WMF", 2}, BorderedCase{"BOX.WMF", 4},
                                           BorderedCase{"RUN1.ZFD", 1}, BorderedCase{"RUN1.ZFD", 2},
                                           BorderedCase{"RUN1.ZFD", 4}),
                         [](const auto& info) {
                           const std::string name = info.param.picture;
                           return name.substr(0, name.find('.')) + name.substr(name.find('.') + 1) +
                                  std::to_string(info.param.per_sheet);
                         });

namespace {

class UnmatchedLevelPreview : public Preview, public ::testing::WithParamInterface<CoverCase> {};

}  // namespace

// A picture's SaveDC without its RestoreDC, or its RestoreDC without its
// SaveDC, however many and however far back, by a count or by a level's
// number, changes nothing of the sheet beyond the picture: the page's text
// drawn over it and the sheet's next page come out dot for dot as beside
// the same picture without those records.
TEST_P(UnmatchedLevelPreview, LeavesThePagesTextAndTheNextPageAsABalancedPictureDoes) {
  const CoverCase& c = GetParam();
  ScratchFolder program;
  std::strcpy(FOLDER_BUFFERS.program_folder, program.path().c_str());
  std::string text =
      "$$$" + std::string(c.picture) + " 41 3 78 20\n" + BodyLine("PLATE HEAT EXCHANGER", '1');
  for (int row = 1; row < 40; ++row)
    text += BodyLine("row " + std::to_string(row) + " of the page");
  text += BodyLine("THE NEXT PAGE", '1') + BodyLine("its text");
  PagesASheet("2 per 1");
  RECT client{};
  GetClientRect(window_.get(), &client);
  DibCanvas balanced(client.right, client.bottom);
  DibCanvas unmatched(client.right, client.bottom);
  for (const auto& [canvas, level] :
       {std::pair{&balanced, UnmatchedLevel::kNone}, std::pair{&unmatched, c.unmatched}}) {
    ASSERT_TRUE(WriteCoveringMetafile(program / c.picture, level));
    ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(text).c_str()), 1);
    ASSERT_EQ(PaintPreviewInto(canvas->dc(), window_.get(), 0), 1);
  }
  // Both pages have their text; the picture covers its cells.
  const RECT sheet = PreviewSheetRect(window_.get(), 2);
  const LONG middle = (sheet.left + sheet.right) / 2;
  EXPECT_GT(
      balanced.InkIn({sheet.left + 3, sheet.top + 3, middle - 3, sheet.bottom - 3}),
      balanced.InkIn({sheet.left + 3, sheet.top + 3, middle - 3, (sheet.top + sheet.bottom) / 3}));
  EXPECT_GT(balanced.InkIn({middle + 3, sheet.top + 3, sheet.right - 3, sheet.bottom - 3}), 0);
  EXPECT_EQ(DotsDiffering(balanced, unmatched), 0);
  FOLDER_BUFFERS = {};
}

INSTANTIATE_TEST_SUITE_P(Records, UnmatchedLevelPreview, ::testing::ValuesIn(CoverCases()),
                         [](const auto& info) { return CoverCaseName(info.param); });

// A picture line whose rows run past the page's foot is held to the page's
// rows: at four pages a sheet the previewed sheet and its pasted copy are
// dot for dot those of the same picture whose rows end at the foot.
TEST_F(ClipboardPreview, APictureWhoseRowsRunPastThePagesFootEndsThere) {
  ScratchFolder program;
  std::strcpy(FOLDER_BUFFERS.program_folder, program.path().c_str());
  ASSERT_TRUE(WriteBorderedEmf(program / "BOX.EMF"));
  PagesASheet("4 per 1");
  RECT client{};
  GetClientRect(window_.get(), &client);
  DibCanvas past(client.right, client.bottom);
  DibCanvas at_foot(client.right, client.bottom);
  DibCanvas past_pasted(kPasteWidth, kPasteHeight);
  DibCanvas at_foot_pasted(kPasteWidth, kPasteHeight);
  for (const auto& [shown, pasted, cells] : {std::tuple{&past, &past_pasted, "1 40 40 100"},
                                             std::tuple{&at_foot, &at_foot_pasted, "1 40 40 62"}}) {
    std::string text;
    for (int page = 1; page <= 4; ++page) {
      text +=
          "$$$BOX.EMF " + std::string(cells) + "\n" + BodyLine("page " + std::to_string(page), '1');
      for (int row = 1; row < 10; ++row) text += BodyLine("row " + std::to_string(row));
    }
    ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(text).c_str()), 1);
    ASSERT_EQ(PaintPreviewInto(shown->dc(), window_.get(), 0), 1);
    ASSERT_EQ(CopyPreviewToClipboard(window_.get(), 0), 1);
    ASSERT_TRUE(PastePicture(CF_METAFILEPICT, *pasted));
  }

  // The pictures are shown: each place's lower half holds its border.
  const RECT sheet = PreviewSheetRect(window_.get(), 4);
  EXPECT_GT(past.InkIn({sheet.left, (3 * sheet.top + sheet.bottom) / 4, sheet.right,
                        (sheet.top + sheet.bottom) / 2 - 3}),
            0);
  EXPECT_EQ(DotsDiffering(past, at_foot), 0);
  EXPECT_EQ(DotsDiffering(past_pasted, at_foot_pasted), 0);
  FOLDER_BUFFERS = {};
}
