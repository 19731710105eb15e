// The rich-text library stand-in's call log as texts, for tests that look at
// what the library was asked: one entry per call, "Name" or "Name(a, b, c)",
// a null argument shown as "null". Link the `Ostrin` target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standins/ostrin/rich_text_probe.h"

namespace rich_text_test {

inline std::string CallName(int64_t index) {
  std::string name(static_cast<std::size_t>(OstrinProbeCallName(index, nullptr, 0)) + 1, '\0');
  name.resize(static_cast<std::size_t>(OstrinProbeCallName(index, name.data(), name.size())));
  return name;
}

inline std::string CallText(int64_t index, int32_t argument) {
  const int64_t size = OstrinProbeCallText(index, argument, nullptr, 0);
  if (size < 0) return "null";
  std::string text(static_cast<std::size_t>(size) + 1, '\0');
  OstrinProbeCallText(index, argument, text.data(), static_cast<int64_t>(text.size()));
  text.resize(static_cast<std::size_t>(size));
  return text;
}

// Every call since the last reset; with_queries false leaves out IsRTFEnabled.
inline std::vector<std::string> Calls(bool with_queries = true) {
  std::vector<std::string> calls;
  for (int64_t i = 0; i < OstrinProbeCallCount(); ++i) {
    std::string entry = CallName(i);
    if (!with_queries && entry == "IsRTFEnabled") continue;
    const int32_t texts = OstrinProbeCallTextCount(i);
    for (int32_t a = 0; a < texts; ++a) entry += (a == 0 ? "(" : ", ") + CallText(i, a);
    if (texts > 0) entry += ")";
    calls.push_back(entry);
  }
  return calls;
}

}  // namespace rich_text_test
