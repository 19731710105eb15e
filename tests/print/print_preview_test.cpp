// The preview: a report read into page records, its sheets drawn on their
// places, painted into a window and put on the clipboard.
#include "print_preview.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "../drawing/container_bytes.h"
#include "drawing_memory.h"
#include "empty_folders.h"
#include "language_setting.h"
#include "metafile_records.h"
#include "modal_ui_double.h"
#include "print_window.h"
#include "report_pages_sink.h"
#include "scratch_folder.h"
#include "settings_file.h"
#include "sheet_rendering.h"
#include "test_seams.h"

namespace {

std::string Pages(int from, int to) {
  std::string out;
  for (int page = from; page <= to; ++page)
    out += BodyLine("page " + std::to_string(page), '1') + BodyLine("text of the page");
  return out;
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

TEST_F(Preview, PagesSitSixAndFourColumnsInAtTwoASheet) {
  PagesASheet("2 per 1");
  ASSERT_EQ(OpenPreview(window_.get(), nullptr, Report(Pages(1, 2)).c_str()), 1);
  EmfCanvas canvas;
  DrawPreviewSheet(canvas.dc(), window_.get(), 0);
  const auto texts = canvas.finish().texts();
  std::vector<LONG> starts;
  for (const auto& t : texts)
    if (t.text.rfind("page ", 0) == 0) starts.push_back(t.reference.x);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0], 6 * PREVIEW_CELL_SIZE.width);
  EXPECT_EQ(starts[1], 4 * PREVIEW_CELL_SIZE.width);
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
  EXPECT_EQ(picture.mm, 8);
  EXPECT_EQ(picture.xExt, 14960);
  EXPECT_EQ(picture.yExt, 19964);
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
