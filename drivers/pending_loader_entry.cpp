// TEMPORARY: empty stand-ins of the exchange routines, so that the library
// links while they are being written. They do nothing. Each goes as soon as
// its real routine is in.
#include <cstdint>

#include "exchange.h"

void REBUILD_RESULT_OBJECT(const char*, int64_t, const int64_t*, CaseData**, int64_t*) {}
void PUT_STREAM_INLETS(const int64_t*, const char*, int64_t, const char*, int64_t, const int64_t*,
                       const char*, int64_t, const char*, int64_t, CaseData**, int64_t*) {}
void MARK_PROPERTY_INPUTS(const int64_t*, const int64_t*, CaseData**, int64_t*) {}
void PUT_UNIT_OPTIONS(const int64_t*, const char*, int64_t, CaseData**, int64_t*, int64_t*) {}
void GET_PROGRAM_MESSAGES(CaseData**, int64_t*, int64_t*) {}
void READ_HEAT_RELEASE_CURVE(const int64_t*, CaseData**, const int64_t*, const char*, int64_t,
                             const int64_t*, int64_t*) {}
void COPY_DESIGN_GEOMETRY(CaseData**, int64_t*) {}
