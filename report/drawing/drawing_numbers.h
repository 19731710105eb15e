// Reals of drawings made into whole numbers of a device: truncated toward
// zero and kept within the integer's range, a NaN read as 0, so that no value
// a file holds can overflow the conversion.
#pragma once

#include <cmath>
#include <cstdint>

inline int64_t TruncateToInt64(double value) {
  if (std::isnan(value)) return 0;
  // 2^63 is the first double past the range.
  if (value >= 9223372036854775808.0) return INT64_MAX;
  if (value < -9223372036854775808.0) return INT64_MIN;
  return static_cast<int64_t>(value);
}

inline int32_t ClampToInt32(int64_t value) {
  return value > INT32_MAX   ? INT32_MAX
         : value < INT32_MIN ? INT32_MIN
                             : static_cast<int32_t>(value);
}

inline int32_t TruncateToInt32(double value) { return ClampToInt32(TruncateToInt64(value)); }
