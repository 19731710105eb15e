// Reading the model's inputs from the case.
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "standins/caseserver/model_messages.h"
#include "standins/caseserver/rating_model.h"

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

// The side's inputs of one value each, at the side's index.
constexpr std::pair<std::optional<double> SideInput::*, const char*> kSideReals[] = {
    {&SideInput::flow, "FlowRate"},
    {&SideInput::inlet_temperature, "InletTemperature"},
    {&SideInput::inlet_pressure, "InletPressure"},
    {&SideInput::inlet_quality, "InletMassQuality"},
    {&SideInput::outlet_temperature, "OutletTemperature"},
    {&SideInput::outlet_quality, "OutletMassQuality"},
    {&SideInput::fouling, "FoulingResistance"},
    {&SideInput::liquid_htc, "LiquidHeatTrCoeff"},
    {&SideInput::vapour_htc, "VaporHeatTrCoeff"},
    {&SideInput::two_phase_htc, "TwoPhaseHeatTrCoeff"},
    {&SideInput::liquid_htc_multiplier, "LiquidHTCMultiplier"},
    {&SideInput::vapour_htc_multiplier, "VaporHTCMultiplier"},
    {&SideInput::two_phase_htc_multiplier, "TwoPhaseHTCMultiplier"},
    {&SideInput::pressure_drop_multiplier, "PressureDropMultiplier"},
    {&SideInput::allowable_pressure_drop, "AllowablePressureDrop"},
};
constexpr std::pair<std::optional<int64_t> SideInput::*, const char*> kSideIntegers[] = {
    {&SideInput::total_channels, "TotalNumberChannels"},
    {&SideInput::passes, "NumberofPasses"},
    {&SideInput::inlet_port, "InletPortPoint"},
    {&SideInput::outlet_port, "OutletPortPoint"},
};
constexpr std::pair<std::optional<double> PlateInput::*, const char*> kPlateReals[] = {
    {&PlateInput::area, "AreaOfPlateS"},
    {&PlateInput::chevron_angle, "ChevronAngleToHorizontal"},
    {&PlateInput::pitch, "CompressedPlatePitch"},
    {&PlateInput::double_banking, "DoubleBankingOption"},
    {&PlateInput::horizontal_port_distance, "HorizontalPortCentreDistance"},
    {&PlateInput::thickness, "PlateThickness"},
    {&PlateInput::width, "PlateWidth"},
    {&PlateInput::port_diameter, "PortDiameter"},
    {&PlateInput::vertical_port_distance, "VerticalPortCentreDistance"},
};

SideInput ReadSide(const ProgramCase& c, int side) {
  SideInput in;
  for (const auto& [member, name] : kSideReals) in.*member = Real(c, AI, name, side);
  for (const auto& [member, name] : kSideIntegers) in.*member = Integer(c, AI, name, side);
  for (int p = 1; p <= kPassesKept; ++p)
    in.channels_in_pass[p - 1] = Integer(c, AI, "NumberofChannelsInPass" + std::to_string(p), side);
  // The header counts the curves put; without it every curve slot is looked at.
  auto curves = Integer(c, AI, "NumberofCurves", side);
  if (!curves || *curves < 1 || *curves > kCurvesPerSide) curves = kCurvesPerSide;
  for (int k = 1; k <= *curves; ++k) in.curves.push_back(ReadCurve(c, side, k));
  return in;
}

}  // namespace

RatingInput ReadRatingInput(const ProgramCase& c) {
  RatingInput in;
  in.mode = Integer(c, SI, "PlateProgMode");
  in.heat_load = Real(c, AI, "HeatLoad", 1);
  for (const auto& [member, name] : kPlateReals) in.plate.*member = Real(c, SI, name);
  in.sides[0] = ReadSide(c, kHotSide);
  in.sides[1] = ReadSide(c, kColdSide);
  return in;
}
