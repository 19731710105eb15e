// An owner window for the print job and preview tests, in the window prefix.
#pragma once

#include <windows.h>

class OwnerWindow {
 public:
  explicit OwnerWindow(int width = 600, int height = 800) {
    window_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width,
                              height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~OwnerWindow() {
    if (window_) DestroyWindow(window_);
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND get() const { return window_; }
  bool enabled() const { return IsWindowEnabled(window_) != FALSE; }

 private:
  HWND window_;
};
