// zovkview.exe: shows a report file sheet by sheet, as the library's caller
// would. Usage: zovkview.exe REPORT.DQO [--copy SHEET]
// With --copy the sheet (from 1) goes to the clipboard and the viewer ends
// at once, answering 0 when it was put there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "report/print/print_preview_face.h"
#include "standins/viewer/viewer_window.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zovkview.exe REPORT.DQO [--copy SHEET]\n");
    return 2;
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND window = OpenViewerWindow(instance, argv[1]);
  if (!window) {
    std::fprintf(stderr, "zovkview: no pages to show in %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %d sheets of %d pages\n", argv[1], PREVIEW_SHEET_COUNT,
              static_cast<int>(PREVIEW_PAGES.size()));
  if (argc >= 4 && std::strcmp(argv[2], "--copy") == 0) {
    const int sheet = std::atoi(argv[3]) - 1;
    const int copied = CopyPreviewToClipboard(window, sheet);
    std::printf("sheet %d %s the clipboard\n", sheet + 1, copied ? "is on" : "did not reach");
    DestroyWindow(window);
    return copied ? 0 : 1;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
