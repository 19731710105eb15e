// The allocator of the arrays sized from the repository's counts, and the
// raise that ends a call when memory runs out.
#include "exchange/arrays_face.h"

#include <cstdlib>
#include <limits>

#include "include/failure_countdown.h"
#include "include/loader.h"
#include "include/markers.h"
#include "include/test_seams.h"

namespace {

// Process-wide: arrays held now, and the countdown to an injected failure.
int64_t LIVE_ARRAYS = 0;
FailureCountdown FAIL_COUNTDOWN;

// count × per_element × value_bytes, or false when it does not fit in 64 bits.
bool ByteSize(int64_t count, int64_t per_element, std::size_t value_bytes, int64_t& bytes) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  const int64_t unit = static_cast<int64_t>(value_bytes);
  if (unit <= 0 || per_element > kMax / unit) return false;
  const int64_t element = per_element * unit;
  if (count > kMax / element) return false;
  bytes = count * element;
  return static_cast<uint64_t>(bytes) <= std::numeric_limits<std::size_t>::max();
}

}  // namespace

void* TryAllocateArray(int64_t count, int64_t per_element, std::size_t value_bytes) {
  // Every attempt counts towards an injected failure, also one that the
  // overflow test would stop.
  const bool injected = FAIL_COUNTDOWN.fires();
  int64_t bytes = 0;
  if (!ByteSize(AtLeastOne(count), AtLeastOne(per_element), value_bytes, bytes) || injected)
    return nullptr;
  void* p = std::malloc(static_cast<std::size_t>(bytes));
  if (p) ++LIVE_ARRAYS;
  return p;
}

void FreeArray(void* array) {
  if (!array) return;
  std::free(array);
  --LIVE_ARRAYS;
}

void RaiseNoMemory() { LoaderRaiseError(&NO_MEMORY_CODE); }

int64_t LiveArrayCount() { return LIVE_ARRAYS; }

void FailArrayAllocation(int64_t nth) { FAIL_COUNTDOWN.arm(nth); }

bool RecordArrays::Allocate() {
  for (int64_t* n : {&N1, &N2, &N3, &N4, &N5, &N6}) *n = AtLeastOne(*n);
  Free();
  const bool held = IVALS.Allocate(N1) && RVALS.Allocate(N3) && SVALS.Allocate(N5, TEXT_LENGTH) &&
                    XVALS2.Allocate(N2) && XVALS4.Allocate(N4) && XVALS6.Allocate(N6);
  if (!held) {
    RaiseNoMemory();
    return false;
  }
  IVALS.Fill(0);
  RVALS.Fill(0.0);
  SVALS.Fill(' ');
  XVALS2.Fill(0);
  XVALS4.Fill(0);
  XVALS6.Fill(0);
  return true;
}

void RecordArrays::Free() {
  IVALS.Free();
  RVALS.Free();
  SVALS.Free();
  XVALS2.Free();
  XVALS4.Free();
  XVALS6.Free();
}
