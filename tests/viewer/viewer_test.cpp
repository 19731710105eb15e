// The viewer stand-in on the sample report: it pages through the sheets,
// copies the shown one to the clipboard and names it in its title.
#include "viewer_window.h"

#include <gtest/gtest.h>

#include <string>

#include "language_setting.h"
#include "print_preview.h"
#include "settings_file.h"
#include "sheet_rendering.h"

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

  SettingsFileGuard settings_;
  HWND window_ = nullptr;
};

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
