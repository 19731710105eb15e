// The loader's error raise inside a test executable, without the loader
// library: it records the code and throws LoaderRaised, so a test sees that
// the raise happened, with which code, and that nothing after it ran.
//
// Link loader_raise_fake.cpp into the test. Its definition of the import slot
// takes the place of the loader library's, for every layer in the executable.
#pragma once

#include <cstdint>

struct LoaderRaised {
  int64_t code;
};

// How many raises since the test began, and the last code.
struct LoaderRaiseLog {
  int count = 0;
  int64_t last_code = 0;
};
extern LoaderRaiseLog LOADER_RAISE_LOG;
