#include <gtest/gtest.h>

#include "runenv/run_services_face.h"

TEST(ScreenWindow, HoldsTheLastWindowStored) {
  EXPECT_EQ(GetScreenWindow(), nullptr);  // nothing stored yet in this process
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  SetScreenWindow(window);
  EXPECT_EQ(GetScreenWindow(), window);
  EXPECT_EQ(SCREEN_WINDOW, window);
  SetScreenWindow(nullptr);
  EXPECT_EQ(GetScreenWindow(), nullptr);
}
