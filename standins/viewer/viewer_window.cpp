// The viewer's window: its keys, its painting, printing from it.
#include "standins/viewer/viewer_window.h"

#include <utility>

#include "include/holders.h"
#include "report/print/print_preview_face.h"
#include "report/print/report_printing_face.h"

namespace {

// The report the window shows; one viewer window a process.
std::string REPORT_PATH;
HINSTANCE VIEWER_INSTANCE = nullptr;

// The shown sheet painted into a bitmap of the client area's size, copied
// to the window on every paint. While a print job holds the preview's
// state the library paints nothing, and the window keeps showing the last
// picture until the sheet can be painted again.
class ShownPicture {
 public:
  ~ShownPicture() { Free(); }
  void Outdate() { current_ = false; }
  void Paint(HWND window, HDC target) {
    RECT client{};
    GetClientRect(window, &client);
    const SIZE size = {client.right - client.left, client.bottom - client.top};
    if (!current_ || size.cx != size_.cx || size.cy != size_.cy) Repaint(window, target, size);
    if (dc_)
      BitBlt(target, 0, 0, size.cx, size.cy, dc_, 0, 0, SRCCOPY);
    else
      FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

 private:
  void Repaint(HWND window, HDC target, SIZE size) {
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(target, size.cx, size.cy) : nullptr;
    if (!bitmap) {
      if (dc) DeleteDC(dc);
      return;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    if (!PaintPreviewInto(dc, window, PREVIEW_CURRENT_SHEET)) {
      // A print job runs: the last picture stays, and is painted anew later.
      SelectObject(dc, previous);
      DeleteObject(bitmap);
      DeleteDC(dc);
      return;
    }
    Free();
    dc_ = dc;
    bitmap_ = bitmap;
    previous_ = previous;
    size_ = size;
    current_ = true;
  }
  void Free() {
    if (!dc_) return;
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(std::exchange(dc_, nullptr));
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  SIZE size_ = {0, 0};
  bool current_ = false;
};
ShownPicture SHOWN;

void ShowSheet(HWND window, int32_t sheet) {
  if (sheet < 0 || sheet >= PREVIEW_SHEET_COUNT) return;
  PREVIEW_CURRENT_SHEET = sheet;
  SetWindowTextA(window, ViewerTitle(REPORT_PATH).c_str());
  SHOWN.Outdate();
  InvalidateRect(window, nullptr, FALSE);
}

void Print(HWND window) {
  PrintReportFile(window, VIEWER_INSTANCE, REPORT_PATH.c_str(), 0);
  // The report is read again: it may have changed since it was shown.
  const int32_t shown = PREVIEW_CURRENT_SHEET;
  if (OpenPreview(window, nullptr, REPORT_PATH.c_str())) ShowSheet(window, shown);
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      WindowPaint paint(window);
      if (paint.get()) SHOWN.Paint(window, paint.get());
      return 0;
    }
    case WM_ERASEBKGND:
      // Every paint covers the whole client area.
      return 1;
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
      SHOWN.Outdate();
      InvalidateRect(window, nullptr, FALSE);
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

SIZE ViewerClientSize(int32_t pages_per_sheet) {
  // The sheet 700 dots along its longer side, and the preview's margin
  // (a fortieth of the shorter side) around it.
  const SheetSize sheet = PreviewSheetSize(pages_per_sheet);
  const int32_t longer = 700;
  const bool wide = sheet.width > sheet.height;
  const int32_t shorter =
      wide ? longer * sheet.height / sheet.width : longer * sheet.width / sheet.height;
  const int32_t margin = shorter / 38 + 1;
  const int32_t w = (wide ? longer : shorter) + 2 * margin;
  const int32_t h = (wide ? shorter : longer) + 2 * margin;
  return {w, h};
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
  HWND window = CreateWindowExA(0, VIEWER_WINDOW_CLASS, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 620, 760, nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  if (!OpenPreview(window, nullptr, report_path.c_str())) {
    DestroyWindow(window);
    return nullptr;
  }
  // The window takes the sheet's proportions: upright, or turned sideways at
  // two pages a sheet.
  const SIZE client = ViewerClientSize(PREVIEW_PAGES_PER_SHEET);
  RECT frame = {0, 0, client.cx, client.cy};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
  SetWindowTextA(window, ViewerTitle(report_path).c_str());
  SHOWN.Outdate();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}
