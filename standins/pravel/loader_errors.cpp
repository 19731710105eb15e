// The loader's error raise and the exception guard's verdict.
#include <windows.h>

#include <cstdint>
#include <limits>

#include "include/loader.h"
#include "standins/pravel/pravel_state.h"

namespace {

// The exception that LoaderRaiseError raises; its one parameter is the code.
constexpr DWORD kRaisedError = 0xE0505201;

// What every failure the loader did not raise itself is reported as: an
// access violation, a C++ exception, a division by zero, ... The entry points
// turn it into host status 39.
constexpr uint32_t kForeignFailure = 1101;

// The fault code for one exception.
uint32_t FaultCodeOf(DWORD exception_code, const EXCEPTION_RECORD* record) {
  if (exception_code != kRaisedError || record == nullptr ||
      record->ExceptionCode != kRaisedError || record->NumberParameters < 1)
    return kForeignFailure;
  const auto code = static_cast<int64_t>(record->ExceptionInformation[0]);
  // A code that a 32-bit fault word cannot hold would turn into some other
  // code when cut; it is a failure all the same.
  if (code < 0 || code > std::numeric_limits<uint32_t>::max()) return kForeignFailure;
  return static_cast<uint32_t>(code);
}

}  // namespace

PRAVEL_API void LoaderRaiseError(const int64_t* code) {
  NotifyObserver("LoaderRaiseError");
  // Without a code there is nothing to carry; report it as a failure.
  const ULONG_PTR carried = static_cast<ULONG_PTR>(code ? *code : kForeignFailure);
  // Not continuable: a filter that asks to go on cannot bring the caller
  // back behind the raise.
  RaiseException(kRaisedError, EXCEPTION_NONCONTINUABLE, 1, &carried);
}

PRAVEL_API LONG LoaderHandleException(int /*zero*/, DWORD exception_code, EXCEPTION_POINTERS* info,
                                      const char* /*text*/, uint32_t* fault_code) {
  NotifyObserver("LoaderHandleException");
  PRAVEL_RECORD.last_exception_code = exception_code;
  if (fault_code) *fault_code = FaultCodeOf(exception_code, info ? info->ExceptionRecord : nullptr);
  return EXCEPTION_EXECUTE_HANDLER;
}
