#include "standins/host/block_text.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace host {

namespace {

constexpr double kMolecularWeight = 18.015;  // water
constexpr double kSpecificHeat = 4190.0;     // J/kg K
constexpr double kZeroCelsius = 273.15;

std::string Real(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

// One line of values, indented under their array.
std::string Values(const std::vector<double>& values) {
  std::string line = "      ";
  for (std::size_t i = 0; i < values.size(); ++i) line += (i ? " " : "") + Real(values[i]);
  return line + "\n";
}

std::string Array(const char* kind, const std::vector<std::vector<double>>& lines) {
  std::size_t n = 0;
  for (const auto& l : lines) n += l.size();
  std::string out = "    " + std::string(kind) + " " + std::to_string(n) + "\n";
  for (const auto& l : lines) out += Values(l);
  return out;
}

std::string Record(const std::string& name, const std::string& arrays) {
  return "  record \"" + name + "\"\n" + arrays + "  end\n";
}

// Liquid water properties at a temperature, good enough for a rating case.
struct Liquid {
  double density, viscosity, conductivity, surface_tension;
};
Liquid WaterAt(double kelvin) {
  const double c = kelvin - kZeroCelsius;
  return {1000.0 - 0.0036 * (c - 4.0) * (c - 4.0),
          2.414e-5 * std::pow(10.0, 247.8 / (kelvin - 140.0)),
          0.5636 + 1.946e-3 * c - 8.151e-6 * c * c, 0.0757 - 1.66e-4 * c};
}

std::string Stream(const std::string& id, double flow, double temperature, double pressure) {
  return "object \"" + id + "\" class \"material_stream\"\n" +
         Record("KVEM_MS_DATA",
                "    # mass flow, temperature, pressure, vapour fraction, flow factor\n" +
                    Array("rvals", {{flow, temperature, pressure, 0.0, 1.0}})) +
         "end\n";
}

// A curve of liquid water at one pressure level, from a temperature to
// another: a side's curve spans its own inlet to the other side's inlet, the
// whole range its outlet can reach.
std::string Curve(const std::string& id, double from, double to, double pressure, int points) {
  std::vector<std::vector<double>> thermo, phase, composition;
  std::vector<double> entries, codes;
  for (int p = 0; p < points; ++p) {
    const double t = from + (to - from) * p / (points - 1);
    const Liquid w = WaterAt(t);
    thermo.push_back({t, pressure, kSpecificHeat * (t - kZeroCelsius), 0.0});
    phase.push_back({0.0, kMolecularWeight, w.density, kSpecificHeat, w.viscosity, w.conductivity,
                     w.surface_tension, 0.0, 0.0, 1.0});
    composition.push_back({1.0});
    entries.push_back(1);
    codes.push_back(4);
  }
  auto integers = [](const char* kind, const std::vector<double>& v) {
    std::string out = "    " + std::string(kind) + " " + std::to_string(v.size()) + "\n      ";
    for (std::size_t i = 0; i < v.size(); ++i)
      out += (i ? " " : "") + std::to_string(int64_t(v[i]));
    return out + "\n";
  };
  return "object \"" + id + "\" class \"heat_release_curve\"\n" +
         Record("STHE_HRC_POINT",
                "    # phase entries of each point\n" + integers("ivals", entries)) +
         Record("STHE_HRC_THERMODYNAMIC",
                "    # each point: temperature, pressure, specific enthalpy, vapour fraction\n" +
                    integers("ivals", {0}) + Array("rvals", thermo)) +
         Record("STHE_HRC_PHASE",
                "    # phase codes (4 liquid), then ten values an entry: -, molecular weight,\n"
                "    # density, specific heat, viscosity, conductivity, surface tension,\n"
                "    # diffusivity, -, mass fraction\n" +
                    integers("ivals", codes) + Array("rvals", phase)) +
         Record("STHE_HRC_PHASE_COMPOSITION", Array("rvals", composition)) +
         Record("STHE_HRC_COMPONENT_PROPERTIES",
                "    # the number of components is the second integer; then molecular weight,\n"
                "    # critical pressure and temperature, molar volume, normal boiling point,\n"
                "    # acentric factor and dipole moment of each component\n" +
                    integers("ivals", {1, 1}) +
                    Array("rvals",
                          {{kMolecularWeight, 22.064e6, 647.1, 5.6e-5, 373.15, 0.344, 1.85}})) +
         "end\n";
}

// The side's pressure levels, from the inlet down to the inlet less the
// allowable drop, spaced geometrically.
double Level(const SideShape& side, int k, int n) {
  if (n <= 1) return side.inlet_pressure;
  const double lowest = side.inlet_pressure - side.allowable_drop;
  return side.inlet_pressure * std::pow(lowest / side.inlet_pressure, double(k) / (n - 1));
}

}  // namespace

std::string MakeBlockText(const BlockShape& s) {
  const std::string n = s.name;
  std::vector<std::string> hot, cold;
  for (int k = 1; k <= s.hot_curves; ++k) hot.push_back(n + ".HRC-HOT-" + std::to_string(k));
  for (int k = 1; k <= s.cold_curves; ++k) cold.push_back(n + ".HRC-COLD-" + std::to_string(k));

  std::string out = "# Plate exchanger block " + n +
                    ": hot water cooled by cold water.\n"
                    "# Units of unit set 4: kg/s, K, Pa, J/kg, W/m2 K, m2 K/W.\n\n"
                    "# What the host hands the library, one key=value text an entry.\n"
                    "object \"HOST_BLOCK\" class \"host_block\"\n"
                    "  record \"HOST_BLOCK\"\n";
  std::vector<std::string> entries = {"result=" + n,
                                      "unit=" + n + ".INPUT",
                                      "hot_in=" + n + ".HOT-IN",
                                      "cold_in=" + n + ".COLD-IN",
                                      "hot_out=" + n + ".HOT-OUT",
                                      "cold_out=" + n + ".COLD-OUT"};
  for (const auto& c : hot) entries.push_back("hot_curve=" + c);
  for (const auto& c : cold) entries.push_back("cold_curve=" + c);
  entries.insert(entries.end(), {"hot_property=0", "cold_property=0", "levels=3", "output_mode=2",
                                 "case=" + s.case_file, "key=" + n});
  out += "    svals " + std::to_string(entries.size()) + "\n";
  for (const auto& e : entries) out += "      \"" + e + "\"\n";
  out += "  end\nend\n\n";

  out += "# Streams.\n";
  out += Stream(n + ".HOT-IN", s.hot.flow, s.hot.inlet_temperature, s.hot.inlet_pressure);
  out += Stream(n + ".HOT-OUT", s.hot.flow, s.hot.outlet_temperature,
                s.hot.inlet_pressure - s.hot.allowable_drop);
  out += Stream(n + ".COLD-IN", s.cold.flow, s.cold.inlet_temperature, s.cold.inlet_pressure);
  out += Stream(n + ".COLD-OUT", s.cold.flow, s.cold.outlet_temperature,
                s.cold.inlet_pressure - s.cold.allowable_drop);

  out += "\n# Heat-release curves, one a pressure level.\n";
  for (int k = 0; k < s.hot_curves; ++k)
    out += Curve(hot[k], s.hot.inlet_temperature, s.cold.inlet_temperature,
                 Level(s.hot, k, s.hot_curves), s.points);
  for (int k = 0; k < s.cold_curves; ++k)
    out += Curve(cold[k], s.cold.inlet_temperature, s.hot.inlet_temperature,
                 Level(s.cold, k, s.cold_curves), s.points);

  const double missing = 1.0e35;
  out += "\n# Unit options (the host writes them again after the input call).\n";
  out += "object \"" + n + ".INPUT\" class \"plate_heat_exchanger_unit_INPUT\"\n";
  out += "  member \"Exchanger_design_criteria\"\n";
  out += Record(
      "PLATE_QUOR_UNIT_INPUT",
      "    # program mode, heat-balance setting\n    ivals 2\n      " +
          std::to_string(s.unit_mode) + " 0\n" +
          "    # heat load; per side (hot, then cold): fouling, film coefficient, its\n"
          "    # multiplier, pressure drop multiplier, allowable and estimated pressure\n"
          "    # drop; the heat-balance value\n" +
          Array("rvals", {{missing},
                          {s.hot.fouling, missing, 1.0, 1.0, s.hot.allowable_drop, missing},
                          {s.cold.fouling, missing, 1.0, 1.0, s.cold.allowable_drop, missing},
                          {missing}}));
  out += "end\n";
  return out;
}

}  // namespace host
