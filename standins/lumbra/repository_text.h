// The repository's text format: definition files that RPREAD loads and the
// dumps that RPDUMP writes (README.md in this folder describes it). A dump
// reads back into the same contents, apart from handles, which are given
// afresh at every load.
#pragma once

#include <string>
#include <string_view>

#include "standins/lumbra/repository_store.h"

namespace lumbra {

struct ParseOutcome {
  bool ok = false;
  Contents contents;
  int line = 0;         // where the text went wrong
  std::string message;  // what was wrong there
};

ParseOutcome ParseContents(std::string_view text);
std::string WriteContents(const Contents& contents);

}  // namespace lumbra
