// The viewer stand-in on the sample report: it pages through the sheets,
// copies the shown one to the clipboard and names it in its title.
#include "standins/viewer/viewer_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "report/print/print_job.h"
#include "report/print/print_preview_face.h"
#include "report/print/sheet_rendering.h"
#include "runenv/run_folders_face.h"
#include "services/language_setting_face.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/settings_file.h"
#include "tests/print/dib_canvas.h"

namespace {

class Viewer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
    PAGES_PER_SHEET = 1;
    DeletePrintFonts();
  }
  std::string Title() const {
    char title[200] = {};
    GetWindowTextA(window_, title, sizeof title);
    return title;
  }
  void Key(WPARAM key) { SendMessageA(window_, WM_KEYDOWN, key, 0); }
  // What the window shows, dot by dot.
  std::vector<DWORD> Shown() const {
    RECT client{};
    GetClientRect(window_, &client);
    DibCanvas copy(client.right, client.bottom);
    HDC dc = GetDC(window_);
    BitBlt(copy.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window_, dc);
    std::vector<DWORD> dots;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) dots.push_back(copy.Pixel(x, y));
    return dots;
  }

  SettingsFileGuard settings_;
  HWND window_ = nullptr;
};

// Where two pictures of one window differ in ink: how many dots, and the
// box around them.
struct InkChange {
  int dots = 0;
  RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
};

InkChange InkChangeBetween(const std::vector<DWORD>& before, const std::vector<DWORD>& after,
                           int width) {
  const auto inked = [](DWORD p) {
    return (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF) < 3 * 128;
  };
  InkChange change;
  for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
    if (inked(before[i]) == inked(after[i])) continue;
    const LONG x = LONG(i % std::size_t(width));
    const LONG y = LONG(i / std::size_t(width));
    ++change.dots;
    change.box = {std::min(change.box.left, x), std::min(change.box.top, y),
                  std::max(change.box.right, x + 1), std::max(change.box.bottom, y + 1)};
  }
  return change;
}

std::string SampleFolder() {
  std::string path = ZOVK_SAMPLE_REPORT;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path.substr(0, path.find_last_of('\\') + 1);
}

}  // namespace

TEST_F(Viewer, PagesThroughTheSampleReportsSheets) {
  window_ = OpenViewerWindow(GetModuleHandleA(nullptr), ZOVK_SAMPLE_REPORT);
  ASSERT_NE(window_, nullptr);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 3);
  EXPECT_EQ(Title(), "SAMPLE.DQO - sheet 1 of 3");
  Key(VK_NEXT);
  EXPECT_EQ(PREVIEW_CURRENT_SHEET, 1);
  Key(VK_END);
  Key(VK_NEXT);
  EXPECT_EQ(PREVIEW_CURRENT_SHEET, 2);
  EXPECT_EQ(Title(), "SAMPLE.DQO - sheet 3 of 3");
  Key(VK_HOME);
  Key(VK_PRIOR);
  EXPECT_EQ(PREVIEW_CURRENT_SHEET, 0);
}

TEST_F(Viewer, TwoPagesASheetPutTheFirstTwoPagesOnOneSheet) {
  WritePrivateProfileStringA("Print Format", "Output", "2 per 1", SETTINGS_FILE);
  window_ = OpenViewerWindow(GetModuleHandleA(nullptr), ZOVK_SAMPLE_REPORT);
  ASSERT_NE(window_, nullptr);
  EXPECT_EQ(PREVIEW_SHEET_COUNT, 2);
  EXPECT_EQ(PREVIEW_PAGES.size(), 3u);
}

TEST_F(Viewer, CtrlCPutsTheShownSheetOnTheClipboard) {
  window_ = OpenViewerWindow(GetModuleHandleA(nullptr), ZOVK_SAMPLE_REPORT);
  ASSERT_NE(window_, nullptr);
  SendMessageA(window_, WM_CHAR, 3, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_METAFILEPICT));
  CloseClipboard();
}

// The window opens in its sheet's proportions, upright or turned sideways
// at two pages a sheet, the sheet filling it but for the preview's margin.
TEST_F(Viewer, OpensInItsSheetsProportions) {
  for (const char* format : {"1 per 1", "2 per 1", "4 per 1"}) {
    WritePrivateProfileStringA("Print Format", "Output", format, SETTINGS_FILE);
    window_ = OpenViewerWindow(GetModuleHandleA(nullptr), ZOVK_SAMPLE_REPORT);
    ASSERT_NE(window_, nullptr);
    RECT client{};
    GetClientRect(window_, &client);
    const double paper = std::string(format) == "2 per 1" ? 297.0 / 210 : 210.0 / 297;
    EXPECT_NEAR(double(client.right) / client.bottom, paper, 0.03) << format;
    const RECT sheet = PreviewSheetRect(window_, PREVIEW_PAGES_PER_SHEET);
    EXPECT_GT(sheet.right - sheet.left, 0.9 * client.right) << format;
    EXPECT_GT(sheet.bottom - sheet.top, 0.9 * client.bottom) << format;
    DestroyWindow(window_);
    window_ = nullptr;
  }
}

// While a print job holds the preview's state the library paints nothing,
// and the window goes on showing its last picture; the sheet paged to
// meanwhile shows once the job is over.
TEST_F(Viewer, KeepsShowingItsLastPictureWhileAJobRuns) {
  window_ = OpenViewerWindow(GetModuleHandleA(nullptr), ZOVK_SAMPLE_REPORT);
  ASSERT_NE(window_, nullptr);
  UpdateWindow(window_);
  const std::vector<DWORD> first = Shown();
  PRINT_JOB.running = true;
  Key(VK_NEXT);
  // Uncovered meanwhile: the whole window to be erased and painted again.
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
  const std::vector<DWORD> during = Shown();
  PRINT_JOB.running = false;
  EXPECT_EQ(during, first);
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
  EXPECT_NE(Shown(), first);
}

// Started from the sample's folder, as scripts/run-viewer.sh starts it, the
// viewer shows the sample's pictures on its first sheet at two pages a
// sheet: the channel arrangement from the report's own container and the
// plate's metafile from the folder it was started from (the viewer sets no
// program folder of its own). Against the same report without either file,
// each adds ink of its own, the drawing to the left of the plate, and the
// sample as shipped shows both.
TEST_F(Viewer, ShowsTheSamplesDrawingAndPlateWhenStartedFromItsFolder) {
  WritePrivateProfileStringA("Print Format", "Output", "2 per 1", SETTINGS_FILE);
  FOLDER_BUFFERS.program_folder[0] = '\0';
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  int width = 0;
  const auto shown_from = [&](const std::string& folder) {
    SetCurrentDirectoryA(folder.c_str());
    window_ = OpenViewerWindow(GetModuleHandleA(nullptr), folder + "SAMPLE.DQO");
    std::vector<DWORD> dots;
    if (window_) {
      UpdateWindow(window_);
      RECT client{};
      GetClientRect(window_, &client);
      width = client.right;
      dots = Shown();
      DestroyWindow(window_);
      window_ = nullptr;
    }
    SetCurrentDirectoryA(before);
    return dots;
  };
  const std::string samples = SampleFolder();
  ScratchFolder copy;
  WriteBytes(copy / "SAMPLE.DQO", ReadBytes(samples + "SAMPLE.DQO"));
  const std::vector<DWORD> without = shown_from(copy.path());
  ASSERT_FALSE(without.empty());
  WriteBytes(copy / "SAMPLE.ZFD", ReadBytes(samples + "SAMPLE.ZFD"));
  const InkChange drawing = InkChangeBetween(without, shown_from(copy.path()), width);
  DeleteFileA((copy / "SAMPLE.ZFD").c_str());
  WriteBytes(copy / "PLATEVW.WMF", ReadBytes(samples + "PLATEVW.WMF"));
  const InkChange plate = InkChangeBetween(without, shown_from(copy.path()), width);
  const InkChange both = InkChangeBetween(without, shown_from(samples), width);

  EXPECT_GT(drawing.dots, 0) << "the channel arrangement";
  EXPECT_GT(plate.dots, 0) << "the plate";
  EXPECT_LT(drawing.box.right, plate.box.left);
  EXPECT_EQ(both.dots, drawing.dots + plate.dots);
}
