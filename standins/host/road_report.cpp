#include "standins/host/road_report.h"

#include <cstdio>

#include "include/fixed_text.h"
#include "include/markers.h"

namespace host {

namespace {

// clang-format off
constexpr PerformanceLabel kLabels[kPerformanceReals] = {
    {"total heat duty",                       "W"},
    {"required area",                         "m2"},
    {"effective area",                        "m2"},
    {"area excess over required (entry 2)",   "%"},
    {"area excess over required (entry 1)",   "%"},
    {"overall coefficient, dirty",            "W/m2 K"},
    {"overall coefficient, clean",            "W/m2 K"},
    {"corrected mean temperature difference", "K"},
    {"hot outlet temperature",                "K"},
    {"hot film coefficient",                  "W/m2 K"},
    {"hot pressure drop",                     "Pa"},
    {"(not filled)",                          ""},
    {"(not filled)",                          ""},
    {"hot fouling resistance",                "m2 K/W"},
    {"(not filled)",                          ""},
    {"(not filled)",                          ""},
    {"cold outlet temperature",               "K"},
    {"cold film coefficient",                 "W/m2 K"},
    {"cold pressure drop",                    "Pa"},
    {"(not filled)",                          ""},
    {"(not filled)",                          ""},
    {"cold fouling resistance",               "m2 K/W"},
    {"(not filled)",                          ""},
    {"(not filled)",                          ""},
};
// clang-format on

constexpr PerformanceLabel kUnknown = {"(beyond the record's 24 reals)", ""};

std::string Printed(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

}  // namespace

const PerformanceLabel& PerformanceLabelOf(std::size_t real) {
  return real >= 1 && real <= kPerformanceReals ? kLabels[real - 1] : kUnknown;
}

std::string CallLine(std::string_view call, std::string_view answer) {
  std::string line(call);
  line += ' ';
  if (line.size() < 34) line.append(34 - line.size(), '.');
  line += ' ';
  line += answer;
  line += '\n';
  return line;
}

std::string ShownReal(double value) {
  if (value == MISSING_REAL) return "not given";
  return Printed("%.6g", value);
}

std::string FormatHcurve(const HcurveAnswer& a) {
  std::string out;
  out += Printed("  points a curve %lld, pressure levels %lld (word 10: %lld)\n",
                 static_cast<long long>(a.request[1]), static_cast<long long>(a.request[0]),
                 static_cast<long long>(a.request[9]));
  out += "  request words 1-16:";
  for (std::size_t i = 0; i < 16; ++i)
    out += Printed(" %lld", static_cast<long long>(a.request[i]));
  out += "\n";
  out += "  flows (kg/s): " + ShownReal(a.values[0]) + ", " + ShownReal(a.values[1]) + "\n";
  out += "  levels (Pa):";
  const int64_t n = a.request[0];
  for (int64_t i = 0; i < n && i < kRequestValues - 2; ++i) out += " " + ShownReal(a.values[2 + i]);
  out += "\n";
  return out;
}

std::string FormatMessages(const ExecuteAnswer& a) {
  std::string out = Printed("  message count %lld", static_cast<long long>(a.message_count));
  if (!a.message_codes.empty()) {
    out += ", codes:";
    for (int64_t code : a.message_codes) out += Printed(" %lld", static_cast<long long>(code));
  }
  if (static_cast<std::size_t>(a.message_count) > a.message_codes.size() && a.message_count > 0)
    out += " (more than the host's array holds)";
  return out + "\n";
}

std::string FormatPerformance(const Performance& p) {
  std::string out = Printed("DOVI_PERFORMANCE  IVALS(1) = %lld, %zu reals\n",
                            static_cast<long long>(p.marker), p.reals.size());
  out += "   #  content                                  value          unit\n";
  for (std::size_t i = 1; i <= p.reals.size(); ++i) {
    const PerformanceLabel& label = PerformanceLabelOf(i);
    std::string line = Printed("  %2zu  %-39s  %-13s  %s", i, label.content,
                               ShownReal(p.reals[i - 1]).c_str(), label.unit);
    out += std::string(fixed::Trimmed(line)) + "\n";
  }
  return out;
}

}  // namespace host
