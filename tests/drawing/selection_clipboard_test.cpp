// The selected part of a bitmap on the clipboard, as a metafile picture or as
// the bitmap itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "report/drawing/drawing_memory_face.h"
#include "report/drawing/pictures_face.h"
#include "tests/common/metafile_records.h"

namespace {

class SelectionClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    bitmap_ = CreateBitmap(40, 30, 1, 32, nullptr);
    SELECTION_BITMAP = {bitmap_, {5, 5, 25, 20}};
    live_ = LiveDrawingMemory();
  }
  void TearDown() override {
    if (SELECTION_BITMAP.bitmap) DeleteObject(SELECTION_BITMAP.bitmap);
    SELECTION_BITMAP = {nullptr, {0, 0, 0, 0}};
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    EXPECT_EQ(LiveDrawingMemory(), live_);
  }
  HBITMAP bitmap_ = nullptr;
  int64_t live_ = 0;
};

TEST_F(SelectionClipboardTest, TheSelectionAsAMetafilePicture) {
  CopySelectionToClipboard(nullptr, 0);
  EXPECT_EQ(SELECTION_BITMAP.bitmap, bitmap_);
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_METAFILEPICT));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const HANDLE data = GetClipboardData(CF_METAFILEPICT);
  ASSERT_NE(data, nullptr);
  const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(data));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->mm, MM_TEXT);
  EXPECT_EQ(picture->xExt, 20);
  EXPECT_EQ(picture->yExt, 15);
  const auto records = ReadWmfRecords(picture->hMF);
  GlobalUnlock(data);
  CloseClipboard();
  // The copy of the bitmap's part and the end.
  EXPECT_GE(records.size(), 2u);
}

TEST_F(SelectionClipboardTest, TheBitmapItselfGoesToTheClipboard) {
  CopySelectionToClipboard(nullptr, 1);
  EXPECT_EQ(SELECTION_BITMAP.bitmap, nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  bitmap_ = nullptr;
}

TEST_F(SelectionClipboardTest, NoBitmapNothingOnTheClipboard) {
  SELECTION_BITMAP.bitmap = nullptr;
  CopySelectionToClipboard(nullptr, 0);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_METAFILEPICT));
  SELECTION_BITMAP.bitmap = bitmap_;
}

// While another thread holds the clipboard open, nothing is made, nothing is
// left over, and the bitmap stays where it was.
TEST_F(SelectionClipboardTest, AClipboardThatWillNotOpenTakesNothing) {
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool held = false;
  std::thread holder([&] {
    // The clipboard is held by a window of the other thread.
    const HWND owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    held = owner && OpenClipboard(owner);
    SetEvent(opened);
    WaitForSingleObject(done, INFINITE);
    if (held) CloseClipboard();
    if (owner) DestroyWindow(owner);
  });
  WaitForSingleObject(opened, INFINITE);
  if (held) {
    CopySelectionToClipboard(nullptr, 0);
    CopySelectionToClipboard(nullptr, 1);
  }
  SetEvent(done);
  holder.join();
  ASSERT_TRUE(held) << "no window could hold the clipboard";
  CloseHandle(opened);
  CloseHandle(done);
  EXPECT_EQ(SELECTION_BITMAP.bitmap, bitmap_);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_METAFILEPICT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

}  // namespace
