// The process's memory as the system counts it, taken apart: every heap of
// the process (what it holds in use, what it has committed and what of that
// lies free), the private committed regions by a walk of the address space
// and how much of them is in the working set, and the process's handles and
// window-system objects. Two readings side by side say which of these grew.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bench {

struct HeapFigures {
  void* handle = nullptr;
  const char* name = "";   // "process heap", "C runtime heap" or "other heap"
  uint64_t in_use = 0;     // bytes of busy blocks
  uint64_t blocks = 0;     // busy blocks
  uint64_t committed = 0;  // committed bytes of its regions and large blocks
  uint64_t free_bytes = 0;
  uint64_t free_blocks = 0;
};

struct ProcessMemory {
  // What the system reports for the process (under wine the resident
  // anonymous pages of the whole process, wine's own included).
  uint64_t working_set = 0;
  uint64_t private_bytes = 0;

  // Every heap of the process, in the order the system lists them.
  static constexpr std::size_t kMaxHeaps = 16;
  HeapFigures heaps[kMaxHeaps];
  std::size_t heap_count = 0;
  std::size_t heaps_left_out = 0;  // beyond kMaxHeaps
  uint64_t heap_in_use = 0;        // busy blocks of every heap
  uint64_t heap_blocks = 0;
  uint64_t heap_committed = 0;

  // The address space walked region by region: private committed memory,
  // the part of it that lies in the heaps' regions, and the pages of it that
  // are in the working set.
  uint64_t private_committed = 0;
  uint64_t private_resident = 0;
  uint64_t heap_resident = 0;  // resident pages inside the heaps' regions

  // Kernel handles, GDI and USER objects of the process.
  uint64_t handles = 0;
  uint64_t gdi_objects = 0;
  uint64_t user_objects = 0;
};

ProcessMemory MeasureProcessMemory();

// Turns off oleaut32's cache of freed BSTRs, so that a BSTR that is freed goes
// back to the process heap at once and the heap's figures show the BSTRs
// still held, not the cache's. Answers whether the switch was found.
bool TurnOffBstrCache();

// Prints the readings side by side with their change, one line a counter.
void PrintMemoryTable(const char* first_label, const ProcessMemory& first, const char* second_label,
                      const ProcessMemory& second);

}  // namespace bench
