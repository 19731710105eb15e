// The allocator and the writer of the drawing and picture code, with their
// countdowns to an injected failure.
#include "report/drawing/drawing_memory_face.h"

#include <algorithm>

#include "include/failure_countdown.h"
#include "include/test_seams.h"

namespace {

// Process-wide: blocks held now, and the countdowns to an injected failure.
int64_t LIVE_BLOCKS = 0;
FailureCountdown ALLOCATION_COUNTDOWN;
FailureCountdown WRITE_COUNTDOWN;

}  // namespace

HGLOBAL AllocateDrawingMemory(uint64_t bytes) {
  if (ALLOCATION_COUNTDOWN.fires() || bytes == 0 || bytes > SIZE_MAX / 2) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(bytes));
  if (block) ++LIVE_BLOCKS;
  return block;
}

void FreeDrawingMemory(HGLOBAL block) {
  if (!block) return;
  GlobalFree(block);
  --LIVE_BLOCKS;
}

void HandOverDrawingMemory(HGLOBAL block) {
  if (block) --LIVE_BLOCKS;
}

int64_t LiveDrawingMemory() { return LIVE_BLOCKS; }

void FailDrawingMemory(int64_t nth) { ALLOCATION_COUNTDOWN.arm(nth); }

bool WriteDrawingFile(HANDLE file, const void* bytes, uint64_t size) {
  if (WRITE_COUNTDOWN.fires()) return false;
  const auto* at = static_cast<const unsigned char*>(bytes);
  // WriteFile takes at most a DWORD of bytes a call.
  constexpr uint64_t kChunk = 1u << 30;
  while (size > 0) {
    const DWORD part = static_cast<DWORD>(std::min(size, kChunk));
    DWORD written = 0;
    if (!WriteFile(file, at, part, &written, nullptr) || written != part) return false;
    at += part;
    size -= part;
  }
  return true;
}

void FailDrawingFileWrite(int64_t nth) { WRITE_COUNTDOWN.arm(nth); }
