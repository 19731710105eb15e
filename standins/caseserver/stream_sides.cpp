#include "standins/caseserver/stream_sides.h"

#include <algorithm>
#include <cmath>

#include "standins/caseserver/model_messages.h"

namespace {

struct UsableCurve {
  std::optional<double> reference_pressure;
  HeatCurve curve;
};

// The curve of the side: of the curves with usable points, the one whose
// reference pressure lies nearest the inlet pressure; the first one when
// the inlet pressure or every reference pressure is missing.
std::optional<HeatCurve> ChooseCurve(const SideInput& input, int side, std::vector<int>& messages) {
  std::vector<UsableCurve> usable;
  for (const CurveInput& c : input.curves)
    if (auto curve = HeatCurve::FromPoints(c.points))
      usable.push_back({c.reference_pressure, std::move(*curve)});
  if (usable.empty()) return std::nullopt;
  if (usable.size() > 1 && !input.inlet_pressure) Raise(messages, kInletPressureMissing + side);
  const UsableCurve* chosen = &usable.front();
  if (input.inlet_pressure) {
    double nearest = HUGE_VAL;
    for (const UsableCurve& c : usable)
      if (c.reference_pressure &&
          std::fabs(*c.reference_pressure - *input.inlet_pressure) < nearest) {
        nearest = std::fabs(*c.reference_pressure - *input.inlet_pressure);
        chosen = &c;
      }
  }
  return chosen->curve;
}

// An option that only a positive value sets: 0 leaves it to the model, a
// negative value is refused.
std::optional<double> PositiveOption(std::optional<double> v, int side,
                                     std::vector<int>& messages) {
  if (!v || *v == 0) return std::nullopt;
  if (*v < 0) {
    Raise(messages, kOptionOutOfRange + side);
    return std::nullopt;
  }
  return v;
}

SideOptions ResolveOptions(const SideInput& in, int side, std::vector<int>& messages) {
  SideOptions o;
  if (in.fouling) {
    if (*in.fouling >= 0)
      o.fouling = *in.fouling;
    else
      Raise(messages, kOptionOutOfRange + side);
  }
  o.liquid_htc = PositiveOption(in.liquid_htc, side, messages);
  o.vapour_htc = PositiveOption(in.vapour_htc, side, messages);
  o.two_phase_htc = PositiveOption(in.two_phase_htc, side, messages);
  o.liquid_htc_multiplier = PositiveOption(in.liquid_htc_multiplier, side, messages).value_or(1);
  o.vapour_htc_multiplier = PositiveOption(in.vapour_htc_multiplier, side, messages).value_or(1);
  o.two_phase_htc_multiplier =
      PositiveOption(in.two_phase_htc_multiplier, side, messages).value_or(1);
  o.pressure_drop_multiplier =
      PositiveOption(in.pressure_drop_multiplier, side, messages).value_or(1);
  o.allowable_pressure_drop = PositiveOption(in.allowable_pressure_drop, side, messages);
  return o;
}

// One phase's properties at an enthalpy, each taken from the curve where its
// points give it and from the default fluid where they do not.
class PhaseAt {
 public:
  PhaseAt(const StreamSide& stream, double enthalpy, PhaseProperties CurvePoint::*phase,
          const Fluid& fallback, std::vector<int>& messages)
      : stream_(stream),
        enthalpy_(enthalpy),
        phase_(phase),
        fallback_(fallback),
        messages_(messages) {}

  double density() const { return Get(&PhaseProperties::density, fallback_.density); }
  double viscosity() const { return Get(&PhaseProperties::viscosity, fallback_.viscosity); }
  Fluid fluid() const {
    return {density(), viscosity(), Get(&PhaseProperties::conductivity, fallback_.conductivity),
            Get(&PhaseProperties::specific_heat, fallback_.specific_heat)};
  }

 private:
  double Get(std::optional<double> PhaseProperties::*property, double fallback) const {
    if (auto v = stream_.curve.PropertyAt(enthalpy_, phase_, property)) return *v;
    Raise(messages_, kPropertyMissing + stream_.side);
    return fallback;
  }

  const StreamSide& stream_;
  double enthalpy_;
  PhaseProperties CurvePoint::*phase_;
  const Fluid& fallback_;
  std::vector<int>& messages_;
};

}  // namespace

std::optional<StreamSide> ResolveStream(const SideInput& input, int side,
                                        std::vector<int>& messages) {
  const bool has_flow = input.flow && *input.flow > 0;
  if (!has_flow) Raise(messages, kFlowMissing + side);
  if (!input.inlet_temperature) Raise(messages, kInletTemperatureMissing + side);
  if (!has_flow || !input.inlet_temperature) return std::nullopt;

  std::optional<double> quality;
  if (input.inlet_quality) {
    if (*input.inlet_quality >= 0 && *input.inlet_quality <= 1)
      quality = input.inlet_quality;
    else
      Raise(messages, kOptionOutOfRange + side);
  }
  auto curve = ChooseCurve(input, side, messages);
  if (!curve) Raise(messages, kNoUsableCurve + side);
  StreamSide s{
      .side = side,
      .flow = *input.flow,
      .inlet_quality = quality,
      .curve = curve ? std::move(*curve)
                     : HeatCurve::Straight(*input.inlet_temperature, kDefaultSpecificHeat,
                                           quality.value_or(0)),
      .straight = !curve,
  };
  // A hot inlet on a plateau arrives at its upper end (before it condenses),
  // a cold inlet at its lower end (before it boils).
  s.inlet_enthalpy = s.curve.InletEnthalpy(*input.inlet_temperature, s.inlet_quality,
                                           side == kHotSide ? PlateauEnd::High : PlateauEnd::Low);
  s.options = ResolveOptions(input, side, messages);
  return s;
}

SideHydraulics RateSide(const StreamSide& stream, double mean_enthalpy,
                        const PlateDimensions& plate, const PackSide& pack,
                        std::vector<int>& messages) {
  const SideOptions& o = stream.options;
  const double x = std::clamp(
      stream.curve.VapourFractionAt(mean_enthalpy).value_or(stream.inlet_quality.value_or(0)), 0.0,
      1.0);
  const double channels_per_pass =
      static_cast<double>(pack.total_channels) / static_cast<double>(pack.passes);
  const double g = ChannelMassVelocity(stream.flow, channels_per_pass, plate);
  const PhaseAt liquid(stream, mean_enthalpy, &CurvePoint::liquid, kDefaultLiquid, messages);
  const PhaseAt vapour(stream, mean_enthalpy, &CurvePoint::vapour, kDefaultVapour, messages);

  // Each phase's coefficient as if it carried the whole flow: the given one,
  // or the channel correlation. A mixture of both phases takes the two-phase
  // coefficient when given, else the two weighted by the vapour fraction.
  auto phase_h = [&](const PhaseAt& phase, const std::optional<double>& given, double multiplier) {
    return multiplier * (given ? *given : FilmCoefficient(phase.fluid(), g, plate));
  };
  SideHydraulics r;
  Fluid flowing;
  if (x <= 0) {
    r.film_coefficient = phase_h(liquid, o.liquid_htc, o.liquid_htc_multiplier);
    flowing.density = liquid.density();
    flowing.viscosity = liquid.viscosity();
  } else if (x >= 1) {
    r.film_coefficient = phase_h(vapour, o.vapour_htc, o.vapour_htc_multiplier);
    flowing.density = vapour.density();
    flowing.viscosity = vapour.viscosity();
  } else {
    r.film_coefficient =
        o.two_phase_htc_multiplier *
        (o.two_phase_htc ? *o.two_phase_htc
                         : (1 - x) * phase_h(liquid, o.liquid_htc, o.liquid_htc_multiplier) +
                               x * phase_h(vapour, o.vapour_htc, o.vapour_htc_multiplier));
    // The mixture flows as one fluid: the homogeneous density, and the
    // viscosities weighted by the vapour fraction.
    flowing.density = 1 / ((1 - x) / liquid.density() + x / vapour.density());
    flowing.viscosity = (1 - x) * liquid.viscosity() + x * vapour.viscosity();
  }
  r.pressure_drop = o.pressure_drop_multiplier * static_cast<double>(pack.passes) *
                    PassPressureDrop(flowing, stream.flow, g, plate);
  return r;
}
