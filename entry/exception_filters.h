// The entry points' structured exception guard: one filter per guarded entry
// point, and the runner of the guarded steps.
#pragma once

#include <windows.h>

#include <cstdint>

// Each filter asks the loader for the verdict on the exception and lets it
// write the call's fault code; the verdict is returned unchanged.
LONG FilterInputException(EXCEPTION_POINTERS* info, uint32_t* fault_code);
LONG FilterHcurveException(EXCEPTION_POINTERS* info, uint32_t* fault_code);
LONG FilterExecuteException(EXCEPTION_POINTERS* info, uint32_t* fault_code);
LONG FilterOutputException(EXCEPTION_POINTERS* info, uint32_t* fault_code);
LONG FilterSetMultiCaseInfoException(EXCEPTION_POINTERS* info, uint32_t* fault_code);

// The structured exception that stands for a C++ exception which left the
// guarded steps. The loader knows it as none of its own and reports it like
// any foreign failure (fault code 1101, host status 39).
inline constexpr DWORD ESCAPED_CXX_EXCEPTION = 0xE05A4358;

[[noreturn]] void RaiseEscapedCxxException();

// Runs the guarded steps of an entry point. A C++ exception must not travel
// on to the structured guard itself: the run time's unwinder, finding no C++
// handler, re-raises at every cleanup it passes and never gets there. It is
// caught here, its cleanups done, and raised again as ESCAPED_CXX_EXCEPTION.
// Structured exceptions (the loader's raise, access violations) pass through
// untouched.
template <class Steps>
[[gnu::noinline]] void RunGuardedSteps(const Steps& steps) {
  bool escaped = false;
  try {
    steps();
  } catch (...) {
    escaped = true;
  }
  // Raised outside the handler, once the C++ exception is gone.
  if (escaped) RaiseEscapedCxxException();
}
