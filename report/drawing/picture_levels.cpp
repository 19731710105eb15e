// A metafile picture's RestoreDC records held to the levels it saved itself.
#include "report/drawing/picture_levels.h"

int32_t OwnLevelsRestored(int32_t held, int32_t level) {
  if (held <= 0 || level == 0) return 0;
  // In 64 bits: the count back of the lowest 32-bit level is one past them.
  const int64_t count = level < 0 ? -int64_t{level} : int64_t{held} - level + 1;
  return count >= 1 && count <= held ? static_cast<int32_t>(count) : 0;
}
