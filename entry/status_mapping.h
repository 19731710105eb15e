// The host status that a guarded entry point reports for a fault code.
#pragma once

#include <cstdint>

enum class EntryKind { kInput, kHcurve, kExecute, kOutput, kMultiCase };

// Host status words set from a fault code.
inline constexpr int64_t HOST_STATUS_INPUT_ERROR = 3;  // fault codes 1001 to 1100
inline constexpr int64_t HOST_STATUS_FAILED = 39;      // fault code 1000, 1101 to 1200
inline constexpr int64_t HOST_STATUS_NO_MEMORY = 40;   // fault code 1400

// The status word after the guard, from the fault code of the call and the
// status that the entry point and its driver left; execute has no status
// word, so it keeps whatever it is given.
int64_t MapFaultCode(EntryKind entry, uint32_t fault_code, int64_t host_status);
