// The loader's case-path call inside the output test: it records what the
// output driver handed over, in place of the loader library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CasePathCall {
  std::string path;  // the host's text, its whole length
  int64_t length;
  int64_t length_copy;
};
extern std::vector<CasePathCall> CASE_PATH_CALLS;
