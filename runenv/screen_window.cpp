// The window the text-form screen draws into. The entry points store none.
#include "run_services.h"

HWND SCREEN_WINDOW = nullptr;

void SetScreenWindow(HWND window) { SCREEN_WINDOW = window; }

HWND GetScreenWindow() { return SCREEN_WINDOW; }
