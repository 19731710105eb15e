// The stand-in's own state: whether it is on, where its document goes, and
// the log of every call. One process, one thread at a time, like the host.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct OstrinCall {
  std::string name;
  std::vector<std::optional<std::string>> texts;  // none for a null argument
};

struct OstrinState {
  bool enabled = false;
  std::string document;  // empty: no document is written
  std::vector<OstrinCall> calls;
};
extern OstrinState OSTRIN_STATE;
