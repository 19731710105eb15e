// The preview's showing window, as the library's caller provides it: it
// pages through the sheets of a report, copies the shown sheet to the
// clipboard (Ctrl+C) and prints the report (Ctrl+P).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr const char* VIEWER_WINDOW_CLASS = "ZovkReportViewer";

// Registers the window class once; answers whether it is there.
bool RegisterViewerWindow(HINSTANCE instance);
// A shown viewer window on the report, its preview loaded; null when the
// window cannot be made or the report has no pages ("File not found" has
// been shown for a missing one).
HWND OpenViewerWindow(HINSTANCE instance, const std::string& report_path);
// The client size the window opens with: the sheet of paper in its
// proportions (turned sideways at two pages a sheet) and the preview's
// margin around it.
SIZE ViewerClientSize(int32_t pages_per_sheet);
// The window's title for the sheet shown: "REPORT - sheet 2 of 5".
std::string ViewerTitle(const std::string& report_path);
