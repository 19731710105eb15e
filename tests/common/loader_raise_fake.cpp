// The library's objects call the loader through its import slots
// (__imp_<name>). Defining the slot here binds the raise to the fake inside
// the test executable, so the import library's entry for it is never linked
// and the test needs no Pravel.dll for it.
#include "tests/common/loader_raise_fake.h"

#include "include/loader.h"

LoaderRaiseLog LOADER_RAISE_LOG;

namespace {

void FakeLoaderRaiseError(const int64_t* code) {
  ++LOADER_RAISE_LOG.count;
  LOADER_RAISE_LOG.last_code = *code;
  throw LoaderRaised{*code};
}

}  // namespace

extern "C" {
decltype(&LoaderRaiseError) __imp_LoaderRaiseError = FakeLoaderRaiseError;
}
