// The host's readable report of a road: one line a call with its status, the
// curve request, the message codes and the performance record as a labelled
// table. Plain text only, so the lines can be checked without a library.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "standins/host/host_road.h"

namespace host {

inline constexpr std::size_t kPerformanceReals = 24;

// What real i (from 1) of "DOVI_PERFORMANCE" holds, and its unit with unit set 4.
struct PerformanceLabel {
  const char* content;
  const char* unit;
};
const PerformanceLabel& PerformanceLabelOf(std::size_t real);

// "ZOVK_VODI_INPUT ........... status 0" and the like.
std::string CallLine(std::string_view call, std::string_view answer);
// A real as the report shows it; MISSING_REAL as "not given".
std::string ShownReal(double value);

std::string FormatHcurve(const HcurveAnswer& answer);
std::string FormatMessages(const ExecuteAnswer& answer);
std::string FormatPerformance(const Performance& performance);

}  // namespace host
