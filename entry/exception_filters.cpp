// The exception filters of the guarded entry points.
#include "entry/exception_filters.h"

#include "include/loader.h"

namespace {

LONG AskLoader(EXCEPTION_POINTERS* info, uint32_t* fault_code) {
  static const char kNoText[] = "";
  return LoaderHandleException(0, info->ExceptionRecord->ExceptionCode, info, kNoText, fault_code);
}

}  // namespace

// One filter of its own per entry point, so that a crash dump's stack names
// the entry point that was running.
LONG FilterInputException(EXCEPTION_POINTERS* info, uint32_t* fault_code) {
  return AskLoader(info, fault_code);
}
LONG FilterHcurveException(EXCEPTION_POINTERS* info, uint32_t* fault_code) {
  return AskLoader(info, fault_code);
}
LONG FilterExecuteException(EXCEPTION_POINTERS* info, uint32_t* fault_code) {
  return AskLoader(info, fault_code);
}
LONG FilterOutputException(EXCEPTION_POINTERS* info, uint32_t* fault_code) {
  return AskLoader(info, fault_code);
}
LONG FilterSetMultiCaseInfoException(EXCEPTION_POINTERS* info, uint32_t* fault_code) {
  return AskLoader(info, fault_code);
}

void RaiseEscapedCxxException() {
  RaiseException(ESCAPED_CXX_EXCEPTION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  // A non-continuable exception never comes back here.
  __builtin_unreachable();
}
