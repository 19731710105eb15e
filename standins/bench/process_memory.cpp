#include "process_memory.h"

#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <vector>

namespace bench {

ProcessMemory MeasureProcessMemory() {
  ProcessMemory m;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters)) {
    m.working_set = counters.WorkingSetSize;
    // Some systems leave PrivateUsage at 0; the commit charge is the same count.
    m.private_bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  }
  std::vector<HANDLE> heaps(64);
  DWORD n = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  if (n > heaps.size()) {
    heaps.resize(n);
    n = GetProcessHeaps(n, heaps.data());
  }
  heaps.resize(n < heaps.size() ? n : heaps.size());
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
        m.heap_in_use += entry.cbData;
        ++m.heap_blocks;
      }
    }
    HeapUnlock(heap);
  }
  return m;
}

}  // namespace bench
