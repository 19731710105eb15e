// Codes and markers shared across the library.
#pragma once

#include <cstdint>

// The repository's markers for a value the host did not give.
inline constexpr double MISSING_REAL = 1.0E35;
inline constexpr int64_t MISSING_INTEGER = 99999999;

// What an allocation failure passes to LoaderRaiseError.
inline constexpr int64_t NO_MEMORY_CODE = 1400;
