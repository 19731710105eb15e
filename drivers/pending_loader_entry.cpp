// TEMPORARY: empty stand-ins of the run folders, the run services and the
// drivers, so that the library links while they are being written. They do
// nothing. This file goes as soon as the real routines are in.
#include <windows.h>

#include <cstdint>

#include "drivers.h"
#include "run_folders.h"
#include "run_services.h"

void SetRunFolders(const char*, const char*, const char*, const char*, const char*) {}
void SetScreenWindow(HWND) {}
void CloseValueFile() {}
int DeleteRunTempFiles() { return -1; }  // as when no file matched

void HANDLE_INPUT(int64_t*, char*, int64_t, int64_t*, int64_t*, int64_t*, double*, void*, char*,
                  int64_t, char*, int64_t, int64_t*) {}
void HANDLE_HCURVE(int64_t*, int64_t*, char*, int64_t, int64_t*, int64_t*, int64_t*, double*,
                   int64_t*, char*, int64_t, int64_t*) {}
void HANDLE_EXECUTE(int64_t*, char*, int64_t, int64_t*, int64_t*, int64_t*, double*, void*, char*,
                    int64_t, char*, int64_t, int64_t*, int64_t*) {}
void HANDLE_OUTPUT(int64_t*, char*, int64_t, int64_t*, int64_t*, int64_t*, double*, void*, char*,
                   int64_t, char*, int64_t, int64_t*) {}
void HANDLE_SETMULTICASEINFO(char*, int64_t, char*, int64_t, char*, int64_t, const char*, int64_t) {
}
void HANDLE_EXIT() {}
