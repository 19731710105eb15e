// TEMPORARY: empty stand-ins of the drivers, so that the library links while
// they are being written. They do nothing. This file goes as soon as the real
// drivers are in.
#include <cstdint>

#include "drivers.h"

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
