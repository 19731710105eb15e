#include "standins/bench/process_memory.h"

#include <windows.h>
// psapi.h needs the types of windows.h.
#include <malloc.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>

namespace bench {

namespace {

constexpr uint64_t kPage = 4096;

// The address ranges the heaps hold, for telling their resident pages from
// the rest of the private memory. Fixed room: the reading must not take heap
// memory of its own.
struct Ranges {
  static constexpr std::size_t kMax = 256;
  uintptr_t begin[kMax];
  uintptr_t end[kMax];
  std::size_t count = 0;
  void add(uintptr_t b, uintptr_t e) {
    if (count < kMax && b < e) {
      begin[count] = b;
      end[count] = e;
      ++count;
    }
  }
  bool holds(uintptr_t a) const {
    for (std::size_t i = 0; i < count; ++i)
      if (a >= begin[i] && a < end[i]) return true;
    return false;
  }
};

// The whole allocation a heap's region or large block lies in, as far as it
// is committed from its base.
MEMORY_BASIC_INFORMATION AllocationOf(const void* p) {
  MEMORY_BASIC_INFORMATION m{};
  VirtualQuery(p, &m, sizeof m);
  return m;
}

const char* HeapName(HANDLE heap) {
  if (heap == GetProcessHeap()) return "process heap";
  if (heap == reinterpret_cast<HANDLE>(_get_heap_handle())) return "C runtime heap";
  return "other heap";
}

// One heap walked block by block. Its regions' committed sizes and the large
// blocks it keeps in allocations of their own make its committed bytes.
HeapFigures WalkHeap(HANDLE heap, Ranges& ranges) {
  HeapFigures h;
  h.handle = heap;
  h.name = HeapName(heap);
  if (!HeapLock(heap)) return h;
  PROCESS_HEAP_ENTRY entry{};
  uintptr_t region_begin = 0, region_end = 0;
  while (HeapWalk(heap, &entry)) {
    const auto at = reinterpret_cast<uintptr_t>(entry.lpData);
    if (entry.wFlags & PROCESS_HEAP_REGION) {
      const MEMORY_BASIC_INFORMATION m = AllocationOf(entry.Region.lpFirstBlock);
      region_begin = reinterpret_cast<uintptr_t>(m.AllocationBase);
      region_end = reinterpret_cast<uintptr_t>(entry.Region.lpLastBlock);
      h.committed += entry.Region.dwCommittedSize;
      ranges.add(region_begin, region_end);
    } else if (entry.wFlags & PROCESS_HEAP_UNCOMMITTED_RANGE) {
      continue;
    } else if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      h.in_use += entry.cbData;
      ++h.blocks;
      if (at < region_begin || at >= region_end) {
        // A large block, in an allocation of its own.
        const MEMORY_BASIC_INFORMATION m = AllocationOf(entry.lpData);
        const auto base = reinterpret_cast<uintptr_t>(m.AllocationBase);
        const uintptr_t end = reinterpret_cast<uintptr_t>(m.BaseAddress) + m.RegionSize;
        h.committed += end - base;
        ranges.add(base, end);
      }
    } else {
      h.free_bytes += entry.cbData;
      ++h.free_blocks;
    }
  }
  HeapUnlock(heap);
  return h;
}

// The private committed regions of the address space, and their pages in
// the working set, asked a batch of pages at a time.
void WalkAddressSpace(const Ranges& heap_ranges, ProcessMemory& m) {
  constexpr std::size_t kBatch = 512;
  PSAPI_WORKING_SET_EX_INFORMATION pages[kBatch];
  MEMORY_BASIC_INFORMATION region{};
  const char* at = nullptr;
  while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
    const auto base = static_cast<const char*>(region.BaseAddress);
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
      m.private_committed += region.RegionSize;
      for (uint64_t done = 0; done < region.RegionSize;) {
        const std::size_t n = static_cast<std::size_t>(
            std::min<uint64_t>(kBatch, (region.RegionSize - done) / kPage));
        if (n == 0) break;
        for (std::size_t i = 0; i < n; ++i)
          pages[i].VirtualAddress = const_cast<char*>(base + done + i * kPage);
        if (QueryWorkingSetEx(GetCurrentProcess(), pages, static_cast<DWORD>(n * sizeof pages[0])))
          for (std::size_t i = 0; i < n; ++i)
            if (pages[i].VirtualAttributes.Valid) {
              m.private_resident += kPage;
              if (heap_ranges.holds(reinterpret_cast<uintptr_t>(pages[i].VirtualAddress)))
                m.heap_resident += kPage;
            }
        done += n * kPage;
      }
    }
    const char* next = base + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
}

// Where the system gives no count of the process's handles (wine answers 0),
// every handle value is asked in turn: handles are handed out from the
// lowest free value, so a long run of values that are none ends the count.
uint64_t CountHandles() {
  DWORD counted = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted > 0) return counted;
  uint64_t handles = 0;
  DWORD flags = 0;
  for (uintptr_t value = 4, misses = 0; misses < 4096; value += 4) {
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++handles;
      misses = 0;
    } else {
      ++misses;
    }
  }
  return handles;
}

// Where the system gives no count of GDI objects (wine answers 0), every
// entry of the process's GDI handle table is asked for its object type: a
// handle value of the entry's index alone names whatever object it holds.
uint64_t CountGdiObjects() {
  if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
  uint64_t objects = 0;
  for (uintptr_t index = 1; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++objects;
  return objects;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) ++*reinterpret_cast<uint64_t*>(count);
  return TRUE;
}

BOOL CALLBACK CountOwnWindowTree(HWND window, LPARAM count) {
  CountOwnWindow(window, count);
  EnumChildWindows(window, CountOwnWindow, count);
  return TRUE;
}

// Where the system gives no count of USER objects (wine answers 0), the
// process's windows: top-level, their children and the message-only ones.
uint64_t CountUserObjects() {
  if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return counted;
  uint64_t windows = 0;
  const auto count = reinterpret_cast<LPARAM>(&windows);
  EnumWindows(CountOwnWindowTree, count);
  for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
    CountOwnWindowTree(w, count);
  return windows;
}

double Kib(uint64_t bytes) { return static_cast<double>(bytes) / 1024.0; }

void Row(const char* what, double first, double second, const char* unit) {
  std::printf("  %-52s %14.1f %14.1f %+12.1f %s\n", what, first, second, second - first, unit);
}

void Row(const char* what, uint64_t first, uint64_t second, const char* unit) {
  std::printf("  %-52s %14llu %14llu %+12lld %s\n", what, static_cast<unsigned long long>(first),
              static_cast<unsigned long long>(second),
              static_cast<long long>(second) - static_cast<long long>(first), unit);
}

const HeapFigures* HeapIn(const ProcessMemory& m, void* handle) {
  for (std::size_t i = 0; i < m.heap_count; ++i)
    if (m.heaps[i].handle == handle) return &m.heaps[i];
  return nullptr;
}

}  // namespace

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
  m.handles = CountHandles();
  m.gdi_objects = CountGdiObjects();
  m.user_objects = CountUserObjects();

  HANDLE heaps[ProcessMemory::kMaxHeaps];
  const DWORD listed = GetProcessHeaps(ProcessMemory::kMaxHeaps, heaps);
  m.heap_count = std::min<std::size_t>(listed, ProcessMemory::kMaxHeaps);
  m.heaps_left_out = listed - m.heap_count;
  Ranges ranges;
  for (std::size_t i = 0; i < m.heap_count; ++i) {
    m.heaps[i] = WalkHeap(heaps[i], ranges);
    m.heap_in_use += m.heaps[i].in_use;
    m.heap_blocks += m.heaps[i].blocks;
    m.heap_committed += m.heaps[i].committed;
  }
  WalkAddressSpace(ranges, m);
  return m;
}

bool TurnOffBstrCache() {
  HMODULE oleaut = GetModuleHandleA("oleaut32.dll");
  auto turn_off = oleaut ? reinterpret_cast<void(WINAPI*)()>(
                               reinterpret_cast<void*>(GetProcAddress(oleaut, "SetOaNoCache")))
                         : nullptr;
  if (!turn_off) return false;
  turn_off();
  return true;
}

void PrintMemoryTable(const char* first_label, const ProcessMemory& first, const char* second_label,
                      const ProcessMemory& second) {
  std::printf("  %-52s %14s %14s %12s\n", "", first_label, second_label, "change");
  Row("private bytes (the system's count)", Kib(first.private_bytes), Kib(second.private_bytes),
      "KiB");
  Row("working set", Kib(first.working_set), Kib(second.working_set), "KiB");
  Row("kernel handles", first.handles, second.handles, "");
  Row("GDI objects", first.gdi_objects, second.gdi_objects, "");
  Row("USER objects (or the process's windows)", first.user_objects, second.user_objects, "");
  char what[96];
  for (std::size_t i = 0; i < second.heap_count; ++i) {
    const HeapFigures& s = second.heaps[i];
    const HeapFigures* f = HeapIn(first, s.handle);
    const HeapFigures none;
    if (!f) f = &none;
    std::snprintf(what, sizeof what, "%s %p: in use", s.name, s.handle);
    Row(what, Kib(f->in_use), Kib(s.in_use), "KiB");
    std::snprintf(what, sizeof what, "%s %p: busy blocks", s.name, s.handle);
    Row(what, f->blocks, s.blocks, "");
    std::snprintf(what, sizeof what, "%s %p: committed", s.name, s.handle);
    Row(what, Kib(f->committed), Kib(s.committed), "KiB");
    std::snprintf(what, sizeof what, "%s %p: free inside", s.name, s.handle);
    Row(what, Kib(f->free_bytes), Kib(s.free_bytes), "KiB");
    std::snprintf(what, sizeof what, "%s %p: free blocks", s.name, s.handle);
    Row(what, f->free_blocks, s.free_blocks, "");
  }
  if (first.heap_count != second.heap_count || second.heaps_left_out)
    std::printf("  heaps: %zu and %zu (%zu left out)\n", first.heap_count, second.heap_count,
                second.heaps_left_out);
  Row("every heap: in use", Kib(first.heap_in_use), Kib(second.heap_in_use), "KiB");
  Row("every heap: busy blocks", first.heap_blocks, second.heap_blocks, "");
  Row("every heap: committed", Kib(first.heap_committed), Kib(second.heap_committed), "KiB");
  Row("private committed regions (address space walk)", Kib(first.private_committed),
      Kib(second.private_committed), "KiB");
  Row("  of them in the working set", Kib(first.private_resident), Kib(second.private_resident),
      "KiB");
  Row("    inside the heaps", Kib(first.heap_resident), Kib(second.heap_resident), "KiB");
  Row("    outside the heaps (stacks, virtual allocations)",
      Kib(first.private_resident - first.heap_resident),
      Kib(second.private_resident - second.heap_resident), "KiB");
  // Under wine the system's count is every resident anonymous page of the
  // process: what the walk does not find is wine's own (its native side) and
  // the written pages of loaded images.
  Row("private bytes beyond the walked regions",
      Kib(first.private_bytes) - Kib(first.private_resident),
      Kib(second.private_bytes) - Kib(second.private_resident), "KiB");
}

}  // namespace bench
