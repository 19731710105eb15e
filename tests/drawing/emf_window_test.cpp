// An enhanced-metafile picture fills its window's client area, whatever
// rectangle its cells gave.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "report/drawing/pictures_face.h"
#include "runenv/run_folders_face.h"
#include "tests/drawing/drawing_scratch.h"
#include "tests/drawing/picture_files.h"

namespace {

TEST(EmfWindowTest, AnEnhancedMetafileFillsItsWindow) {
  DrawingScratch program;
  std::strcpy(FOLDER_BUFFERS.program_folder, program.folder().c_str());
  ASSERT_TRUE(WriteFilledEmf(program.path("LOGO.EMF")));
  PICTURE_RECORD picture{};
  ASSERT_EQ(LoadPictureReference(&picture, "LOGO.EMF 41 1 80 10", 0, 1), 1);

  const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                      nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));

  // Drawn into a white bitmap of the client area's size.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ own = SelectObject(dc, dib);
  PatBlt(dc, 0, 0, client.right, client.bottom, WHITENESS);
  RECT cells = {40, 0, 60, 10};
  EXPECT_EQ(DrawPicture(&picture, window, dc, &cells), 1);
  EXPECT_EQ(cells.left, 0);
  EXPECT_EQ(cells.top, 0);
  EXPECT_EQ(cells.right, client.right);
  EXPECT_EQ(cells.bottom, client.bottom);
  GdiFlush();
  const auto pixel = [&](int x, int y) {
    return static_cast<const DWORD*>(bits)[y * client.right + x] & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(2, 2), 0u);
  EXPECT_EQ(pixel(client.right - 3, client.bottom - 3), 0u);
  EXPECT_EQ(pixel(client.right / 2, client.bottom / 2), 0u);

  SelectObject(dc, own);
  DeleteObject(dib);
  DeleteDC(dc);
  DestroyWindow(window);
  FreePicture(&picture);
  FOLDER_BUFFERS.program_folder[0] = '\0';
}

}  // namespace
