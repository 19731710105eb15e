// The process's memory as the system counts it, and the bytes its heaps hold
// in use, for telling a growth of the process from one of its heaps.
#pragma once

#include <cstdint>

namespace bench {

struct ProcessMemory {
  uint64_t working_set = 0;
  uint64_t private_bytes = 0;
  uint64_t heap_in_use = 0;  // busy blocks of every heap of the process
  uint64_t heap_blocks = 0;
};

ProcessMemory MeasureProcessMemory();

}  // namespace bench
