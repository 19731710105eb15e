// TEMPORARY: empty stand-ins, so that the library links while the pieces they
// stand for are being written. They do nothing. Each goes as soon as its real
// routine is in: the multi-case and exit drivers and the connection table's
// lookups with the connection table, the exchange routines with the exchange.
#include <cstdint>

#include "connection_table.h"
#include "drivers.h"
#include "exchange.h"

void HANDLE_SETMULTICASEINFO(char*, int64_t, char*, int64_t, char*, int64_t, const char*, int64_t) {
}
void HANDLE_EXIT() {}

// No connection: the drivers then leave the case alone.
void* GET_CASE_CONNECTION(const char*, int64_t, CaseData**, const int64_t*, const char*, int64_t) {
  return nullptr;
}
void OPEN_CONNECTIONS(const char*, int64_t) {}

void REBUILD_RESULT_OBJECT(const char*, int64_t, const int64_t*, CaseData**, int64_t*) {}
void PUT_STREAM_INLETS(const int64_t*, const char*, int64_t, const char*, int64_t, const int64_t*,
                       const char*, int64_t, const char*, int64_t, CaseData**, int64_t*) {}
void MARK_PROPERTY_INPUTS(const int64_t*, const int64_t*, CaseData**, int64_t*) {}
void PUT_UNIT_OPTIONS(const int64_t*, const char*, int64_t, CaseData**, int64_t*, int64_t*) {}
void GET_PROGRAM_MESSAGES(CaseData**, int64_t*, int64_t*) {}
void READ_HEAT_RELEASE_CURVE(const int64_t*, CaseData**, const int64_t*, const char*, int64_t,
                             const int64_t*, int64_t*) {}
void COPY_DESIGN_GEOMETRY(CaseData**, int64_t*) {}
