// TEMPORARY: an empty stand-in of the curve reading, so that the library
// links while it is being written. It does nothing. It goes as soon as the
// real routine is in.
#include <cstdint>

#include "exchange.h"

void READ_HEAT_RELEASE_CURVE(const int64_t*, CaseData**, const int64_t*, const char*, int64_t,
                             const int64_t*, int64_t*) {}
