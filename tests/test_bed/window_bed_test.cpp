// The window prefix: a window can be made, painted and read back by pixels,
// with no X server. A window that cannot be made fails the test.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PaintRed(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT box{10, 10, 30, 30};
    FillRect(dc, &box, red);
    DeleteObject(red);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

TEST(WindowBed, AWindowPaintsAndItsPixelsReadBack) {
  WNDCLASSA type{};
  type.lpfnWndProc = PaintRed;
  type.hInstance = GetModuleHandleA(nullptr);
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  type.lpszClassName = "ZovkWindowBed";
  RegisterClassA(&type);
  HWND window = CreateWindowExA(0, "ZovkWindowBed", "bed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 150, nullptr, nullptr, type.hInstance, nullptr);
  ASSERT_NE(window, nullptr) << "no window in the window prefix";
  UpdateWindow(window);

  HDC screen = GetDC(window);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bits = CreateCompatibleBitmap(screen, 100, 100);
  HGDIOBJ old = SelectObject(copy, bits);
  BitBlt(copy, 0, 0, 100, 100, screen, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(copy, 20, 20), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(copy, 50, 50), RGB(255, 255, 255));
  SelectObject(copy, old);
  DeleteObject(bits);
  DeleteDC(copy);
  ReleaseDC(window, screen);
  DestroyWindow(window);
}
