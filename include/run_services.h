// Services around each entry point's driver: the screen window, the
// results-line file and the deletion of the run's temporary files.
#pragma once

#include <windows.h>

#include <cstdio>

extern HWND SCREEN_WINDOW;
extern FILE* VALUE_FILE;

void SetScreenWindow(HWND window);
HWND GetScreenWindow();

FILE* OpenValueFile(const char* path);
void CloseValueFile();

int DeleteRunTempFiles();
int DeleteFilesByPattern(const char* folder, const char* pattern);
char* JoinPath(char* buffer, const char* folder, const char* name);
