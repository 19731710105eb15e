// The preview's showing window, as the library's caller provides it: it
// pages through the sheets of a report, copies the shown sheet to the
// clipboard (Ctrl+C) and prints the report (Ctrl+P).
#pragma once

#include <windows.h>

#include <string>

inline constexpr const char* VIEWER_WINDOW_CLASS = "ZovkReportViewer";

// Registers the window class once; answers whether it is there.
bool RegisterViewerWindow(HINSTANCE instance);
// A shown viewer window on the report, its preview loaded; null when the
// window cannot be made or the report has no pages ("File not found" has
// been shown for a missing one).
HWND OpenViewerWindow(HINSTANCE instance, const std::string& report_path);
// The window's title for the sheet shown: "REPORT - sheet 2 of 5".
std::string ViewerTitle(const std::string& report_path);
