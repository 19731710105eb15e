// The viewer's window: its keys, its painting, printing from it.
#include "viewer_window.h"

#include "print_preview.h"
#include "report_printing.h"

namespace {

// The report the window shows; one viewer window a process.
std::string REPORT_PATH;
HINSTANCE VIEWER_INSTANCE = nullptr;

void ShowSheet(HWND window, int32_t sheet) {
  if (sheet < 0 || sheet >= PREVIEW_SHEET_COUNT) return;
  PREVIEW_CURRENT_SHEET = sheet;
  SetWindowTextA(window, ViewerTitle(REPORT_PATH).c_str());
  InvalidateRect(window, nullptr, TRUE);
}

void Print(HWND window) {
  PrintReportFile(window, VIEWER_INSTANCE, REPORT_PATH.c_str(), 0);
  // Printing shares the page buffers and the page area: the preview is read again.
  const int32_t shown = PREVIEW_CURRENT_SHEET;
  if (OpenPreview(window, nullptr, REPORT_PATH.c_str())) ShowSheet(window, shown);
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      PaintPreviewWindow(nullptr, window, PREVIEW_CURRENT_SHEET);
      return 0;
    }
    case WM_KEYDOWN:
      switch (w) {
        case VK_NEXT:
        case VK_RIGHT:
        case VK_DOWN:
          ShowSheet(window, PREVIEW_CURRENT_SHEET + 1);
          return 0;
        case VK_PRIOR:
        case VK_LEFT:
        case VK_UP:
          ShowSheet(window, PREVIEW_CURRENT_SHEET - 1);
          return 0;
        case VK_HOME:
          ShowSheet(window, 0);
          return 0;
        case VK_END:
          ShowSheet(window, PREVIEW_SHEET_COUNT - 1);
          return 0;
        case VK_ESCAPE:
          DestroyWindow(window);
          return 0;
      }
      break;
    case WM_CHAR:
      if (w == 3) {  // Ctrl+C
        CopyPreviewToClipboard(window, PREVIEW_CURRENT_SHEET);
        return 0;
      }
      if (w == 16) {  // Ctrl+P
        Print(window);
        return 0;
      }
      break;
    case WM_SIZE:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

std::string ViewerTitle(const std::string& report_path) {
  const std::size_t name = report_path.find_last_of("\\/:");
  return report_path.substr(name == std::string::npos ? 0 : name + 1) + " - sheet " +
         std::to_string(PREVIEW_CURRENT_SHEET + 1) + " of " + std::to_string(PREVIEW_SHEET_COUNT);
}

bool RegisterViewerWindow(HINSTANCE instance) {
  WNDCLASSA type{};
  type.lpfnWndProc = ViewerProc;
  type.hInstance = instance;
  type.hCursor = LoadCursor(nullptr, IDC_ARROW);
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  type.lpszClassName = VIEWER_WINDOW_CLASS;
  return RegisterClassA(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND OpenViewerWindow(HINSTANCE instance, const std::string& report_path) {
  if (!RegisterViewerWindow(instance)) return nullptr;
  REPORT_PATH = report_path;
  VIEWER_INSTANCE = instance;
  // A sheet of paper's proportions, 920 by 1140 as the clipboard picture maps it.
  HWND window = CreateWindowExA(0, VIEWER_WINDOW_CLASS, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 620, 760, nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  if (!OpenPreview(window, nullptr, report_path.c_str())) {
    DestroyWindow(window);
    return nullptr;
  }
  SetWindowTextA(window, ViewerTitle(report_path).c_str());
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}
