// A white 32-bit bitmap in a memory device context, to draw on as a window
// or a receiver of a picture would, and read back dot by dot for ink.
#pragma once

#include <windows.h>

#include <algorithm>

class DibCanvas {
 public:
  DibCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width, height, WHITENESS);
  }
  ~DibCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  DWORD Pixel(int x, int y) const {
    GdiFlush();
    return static_cast<const DWORD*>(bits_)[y * width_ + x] & 0xFFFFFF;
  }
  // Darker than middle gray; a dot outside the bitmap is never inked.
  bool Inked(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    const DWORD p = Pixel(x, y);
    return (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF) < 3 * 128;
  }
  // Inked dots in [left, right) by [top, bottom).
  int InkIn(const RECT& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Inked(x, y);
    return n;
  }
  // The most dots any one column from x1 to x2 is inked in.
  int LongestColumn(int x1, int x2) const {
    int longest = 0;
    for (int x = x1; x <= x2; ++x) longest = std::max(longest, InkIn({x, 0, x + 1, height_}));
    return longest;
  }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
};

// How many dots of two canvases of one size differ.
inline int DotsDiffering(const DibCanvas& a, const DibCanvas& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}
