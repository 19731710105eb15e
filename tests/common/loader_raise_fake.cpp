#include "loader_raise_fake.h"

LoaderRaiseLog LOADER_RAISE_LOG;

namespace {

void FakeLoaderRaiseError(const int64_t* code) {
  ++LOADER_RAISE_LOG.count;
  LOADER_RAISE_LOG.last_code = *code;
  throw LoaderRaised{*code};
}

}  // namespace

// The slot through which the library calls the imported LoaderRaiseError.
extern "C" void (*__imp_LoaderRaiseError)(const int64_t*) = FakeLoaderRaiseError;
