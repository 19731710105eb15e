// Reading the model's inputs from the case.
#include <charconv>
#include <cmath>
#include <string>

#include "model_messages.h"
#include "rating_model.h"

namespace {

constexpr Collection AI = Collection::ArrayInputs;
constexpr Collection SI = Collection::ScalarInputs;

// At or above this size a value is the repository's marker of nothing given.
constexpr double kMissingThreshold = 1.0e34;

// A number as the library writes it: blanks, an optional sign, digits with an
// optional point and an exponent (E or D), blanks. Anything else is no number.
std::optional<double> ParseNumber(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  std::string s(text.substr(first, text.find_last_not_of(' ') + 1 - first));
  for (char& ch : s)
    if (ch == 'D' || ch == 'd') ch = 'E';
  const char* begin = s.data();
  if (*begin == '+') ++begin;
  double value = 0;
  const auto [end, error] = std::from_chars(begin, s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) >= kMissingThreshold) return std::nullopt;
  return value;
}

std::optional<double> Real(const ProgramCase& c, Collection collection, std::string_view name,
                           int index = 1) {
  const CaseVariable* v = c.Find(collection, name);
  const CaseEntry* e = v ? v->entry(index) : nullptr;
  if (!e || e->flag == 0) return std::nullopt;
  return ParseNumber(e->value);
}

// A whole number; a real with a fraction is none.
std::optional<int64_t> Integer(const ProgramCase& c, Collection collection, std::string_view name,
                               int index = 1) {
  const auto v = Real(c, collection, name, index);
  if (!v || std::floor(*v) != *v || std::fabs(*v) > 9.0e15) return std::nullopt;
  return static_cast<int64_t>(*v);
}

PhaseProperties Phase(const ProgramCase& c, const char* prefix, int index) {
  const std::string p = prefix;
  return {Real(c, AI, p + "Density", index), Real(c, AI, p + "Viscosity", index),
          Real(c, AI, p + "ThermalConductivity", index), Real(c, AI, p + "SpecificHeat", index)};
}

// A curve's points run from its first one up to the first without both a
// temperature and an enthalpy: the side header keeps the point count of the
// last curve put only.
CurveInput ReadCurve(const ProgramCase& c, int side, int curve) {
  CurveInput in;
  in.reference_pressure = Real(c, AI, "PressureReference", curve + kCurvesPerSide * (side - 1));
  for (int p = 1; p <= kPointsPerCurve; ++p) {
    const int i = (curve - 1) * kPointsPerCurve + kCurvesPerSide * kPointsPerCurve * (side - 1) + p;
    const auto t = Real(c, AI, "Temperature", i);
    const auto h = Real(c, AI, "SpecificEnthalpy", i);
    if (!t || !h) break;
    CurvePoint point;
    point.temperature = *t;
    point.enthalpy = *h;
    point.vapour_fraction = Real(c, AI, "VaporMassFraction", i);
    point.liquid = Phase(c, "Liquid", i);
    point.vapour = Phase(c, "Vapor", i);
    in.points.push_back(std::move(point));
  }
  return in;
}

SideInput ReadSide(const ProgramCase& c, int side) {
  SideInput in;
  in.flow = Real(c, AI, "FlowRate", side);
  in.inlet_temperature = Real(c, AI, "InletTemperature", side);
  in.inlet_pressure = Real(c, AI, "InletPressure", side);
  in.inlet_quality = Real(c, AI, "InletMassQuality", side);
  // The header counts the curves put; without it every curve slot is looked at.
  auto curves = Integer(c, AI, "NumberofCurves", side);
  if (!curves || *curves < 1 || *curves > kCurvesPerSide) curves = kCurvesPerSide;
  for (int k = 1; k <= *curves; ++k) in.curves.push_back(ReadCurve(c, side, k));
  in.outlet_temperature = Real(c, AI, "OutletTemperature", side);
  in.outlet_quality = Real(c, AI, "OutletMassQuality", side);
  in.fouling = Real(c, AI, "FoulingResistance", side);
  in.liquid_htc = Real(c, AI, "LiquidHeatTrCoeff", side);
  in.vapour_htc = Real(c, AI, "VaporHeatTrCoeff", side);
  in.two_phase_htc = Real(c, AI, "TwoPhaseHeatTrCoeff", side);
  in.liquid_htc_multiplier = Real(c, AI, "LiquidHTCMultiplier", side);
  in.vapour_htc_multiplier = Real(c, AI, "VaporHTCMultiplier", side);
  in.two_phase_htc_multiplier = Real(c, AI, "TwoPhaseHTCMultiplier", side);
  in.pressure_drop_multiplier = Real(c, AI, "PressureDropMultiplier", side);
  in.allowable_pressure_drop = Real(c, AI, "AllowablePressureDrop", side);
  in.total_channels = Integer(c, AI, "TotalNumberChannels", side);
  in.passes = Integer(c, AI, "NumberofPasses", side);
  for (int p = 1; p <= kPassesKept; ++p)
    in.channels_in_pass[p - 1] = Integer(c, AI, "NumberofChannelsInPass" + std::to_string(p), side);
  in.inlet_port = Integer(c, AI, "InletPortPoint", side);
  in.outlet_port = Integer(c, AI, "OutletPortPoint", side);
  return in;
}

}  // namespace

RatingInput ReadRatingInput(const ProgramCase& c) {
  RatingInput in;
  in.mode = Integer(c, SI, "PlateProgMode");
  in.heat_load = Real(c, AI, "HeatLoad", 1);
  in.plate.area = Real(c, SI, "AreaOfPlateS");
  in.plate.chevron_angle = Real(c, SI, "ChevronAngleToHorizontal");
  in.plate.pitch = Real(c, SI, "CompressedPlatePitch");
  in.plate.double_banking = Real(c, SI, "DoubleBankingOption");
  in.plate.horizontal_port_distance = Real(c, SI, "HorizontalPortCentreDistance");
  in.plate.thickness = Real(c, SI, "PlateThickness");
  in.plate.width = Real(c, SI, "PlateWidth");
  in.plate.port_diameter = Real(c, SI, "PortDiameter");
  in.plate.vertical_port_distance = Real(c, SI, "VerticalPortCentreDistance");
  in.sides[0] = ReadSide(c, kHotSide);
  in.sides[1] = ReadSide(c, kColdSide);
  return in;
}
