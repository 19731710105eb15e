// The block's repository records of a heat-release-curve request, in the
// repository stand-in's text form (LumbraProbeLoadText).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Reals(const std::vector<double>& reals) {
  std::string text = " rvals " + std::to_string(reals.size());
  for (double r : reals) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, " %.17g", r);
    text += buffer;
  }
  return text;
}

// A stream whose record carries mass flow, temperature, pressure, quality and
// the factor on the flow.
std::string Stream(const char* id, double flow, double pressure, double factor) {
  return std::string("object ") + id + " class material_stream record KVEM_MS_DATA" +
         Reals({flow, 320.0, pressure, 0.0, factor}) + " end end ";
}

// The unit options record with the hot drops at reals 6 and 7 and the cold
// ones at 12 and 13.
std::string Unit(double hot_allowable, double hot_estimated, double cold_allowable,
                 double cold_estimated) {
  return "object U1 class plate_heat_exchanger_unit_INPUT record PLATE_QUOR_UNIT_INPUT" +
         Reals({0, 0, 0, 0, 0, hot_allowable, hot_estimated, 0, 0, 0, 0, cold_allowable,
                cold_estimated, 0}) +
         " end end ";
}

}  // namespace
