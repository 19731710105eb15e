// The window the text-form screen draws into. The entry points store none.
#include "runenv/run_services_face.h"

HWND SCREEN_WINDOW = nullptr;

void SetScreenWindow(HWND window) { SCREEN_WINDOW = window; }

HWND GetScreenWindow() { return SCREEN_WINDOW; }
