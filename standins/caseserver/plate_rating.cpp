#include "standins/caseserver/plate_rating.h"

#include <cmath>

#include "standins/caseserver/counter_current.h"
#include "standins/caseserver/model_messages.h"
#include "standins/caseserver/plate_pack.h"
#include "standins/caseserver/stream_sides.h"

namespace {

// The largest pack a design lays out: channels a side.
constexpr int64_t kMaxDesignChannels = 500;
// A simulated duty has settled when a further step changes it by no more
// than this share.
constexpr double kSettledShare = 1e-12;
constexpr int kMaxSettleSteps = 50;

// What fixes the duty, in the order taken when the case gives more than one.
enum class Fixed {
  HeatLoad,
  HotOutletTemperature,
  ColdOutletTemperature,
  HotOutletQuality,
  ColdOutletQuality
};

struct HeatBalance {
  std::optional<Fixed> fixed;  // the first one given
  int given = 0;               // how many are given
};

HeatBalance FindHeatBalance(const RatingInput& in) {
  HeatBalance s;
  auto consider = [&](bool given, Fixed f) {
    if (!given) return;
    ++s.given;
    if (!s.fixed) s.fixed = f;
  };
  consider(in.heat_load.has_value(), Fixed::HeatLoad);
  consider(in.sides[0].outlet_temperature.has_value(), Fixed::HotOutletTemperature);
  consider(in.sides[1].outlet_temperature.has_value(), Fixed::ColdOutletTemperature);
  consider(in.sides[0].outlet_quality.has_value(), Fixed::HotOutletQuality);
  consider(in.sides[1].outlet_quality.has_value(), Fixed::ColdOutletQuality);
  return s;
}

// The mode the run takes; nothing when the run cannot go on (a design needs
// its duty fixed).
std::optional<ProgramMode> ChooseMode(std::optional<int64_t> given, const HeatBalance& balance,
                                      std::vector<int>& messages) {
  ProgramMode mode;
  if (given && *given >= 1 && *given <= 3) {
    mode = static_cast<ProgramMode>(*given);
  } else {
    Raise(messages, kModeNotKnown);
    mode = balance.fixed ? ProgramMode::Checking : ProgramMode::Simulation;
  }
  if (balance.fixed) return mode;
  if (mode == ProgramMode::Checking) {
    Raise(messages, kCheckingWithoutHeatBalance);
    return ProgramMode::Simulation;
  }
  if (mode == ProgramMode::Design) {
    Raise(messages, kDesignWithoutHeatBalance);
    return std::nullopt;
  }
  return mode;
}

// The duty that the heat balance fixes: a heat load as it stands, an
// outlet temperature or vapour fraction through that side's curve. A hot
// outlet temperature on a plateau stands for its low end (fully condensed),
// a cold one for its high end (fully boiled).
std::optional<double> SpecifiedDuty(Fixed fixed, const RatingInput& in, const StreamSide& hot,
                                    const StreamSide& cold, std::vector<int>& messages) {
  const SideInput& h = in.sides[0];
  const SideInput& c = in.sides[1];
  std::optional<double> outlet;
  switch (fixed) {
    case Fixed::HeatLoad:
      return in.heat_load;
    case Fixed::HotOutletTemperature:
      return hot.flow *
             (hot.inlet_enthalpy - hot.curve.EnthalpyAt(*h.outlet_temperature, PlateauEnd::Low));
    case Fixed::ColdOutletTemperature:
      return cold.flow *
             (cold.curve.EnthalpyAt(*c.outlet_temperature, PlateauEnd::High) - cold.inlet_enthalpy);
    case Fixed::HotOutletQuality:
      if ((outlet = hot.curve.EnthalpyAtVapourFraction(*h.outlet_quality)))
        return hot.flow * (hot.inlet_enthalpy - *outlet);
      break;
    case Fixed::ColdOutletQuality:
      if ((outlet = cold.curve.EnthalpyAtVapourFraction(*c.outlet_quality)))
        return cold.flow * (*outlet - cold.inlet_enthalpy);
      break;
  }
  Raise(messages, kOutletQualityNotOnCurve);
  return std::nullopt;
}

struct Streams {
  const StreamSide& hot;
  const StreamSide& cold;
  const CounterCurrent& exchange;
};

struct Performance {
  std::array<SideHydraulics, 2> sides;
  double u_dirty = 0;
  double u_clean = 0;
  double ua = 0;  // what the duty needs
};

// The pack's coefficients at a duty: each side's fluid at the mean of its
// inlet and outlet enthalpy; the clean coefficient from both films and the
// plate wall, the dirty one with both fouling resistances added.
Performance Evaluate(const Streams& s, double duty, const PlateDimensions& plate,
                     const PlatePack& pack, std::vector<int>& messages) {
  Performance p;
  const double hot_mean = 0.5 * (s.hot.inlet_enthalpy + s.exchange.HotOutletEnthalpy(duty));
  const double cold_mean = 0.5 * (s.cold.inlet_enthalpy + s.exchange.ColdOutletEnthalpy(duty));
  p.sides[0] = RateSide(s.hot, hot_mean, plate, pack[0], messages);
  p.sides[1] = RateSide(s.cold, cold_mean, plate, pack[1], messages);
  const double clean = 1 / p.sides[0].film_coefficient + 1 / p.sides[1].film_coefficient +
                       plate.thickness / kPlateConductivity;
  p.u_clean = 1 / clean;
  p.u_dirty = 1 / (clean + s.hot.options.fouling + s.cold.options.fouling);
  p.ua = s.exchange.RequiredUA(duty);
  return p;
}

bool WithinAllowable(const Streams& s, const Performance& p) {
  const StreamSide* sides[2] = {&s.hot, &s.cold};
  for (int i = 0; i < 2; ++i) {
    const auto& allowable = sides[i]->options.allowable_pressure_drop;
    if (allowable && p.sides[i].pressure_drop > *allowable) return false;
  }
  return true;
}

// The duty the pack gives: the one whose UA need equals the pack's dirty
// coefficient times its area. The coefficient depends on the fluids at the
// duty, so duty and coefficient are stepped until they agree.
double SimulatedDuty(const Streams& s, const PlateDimensions& plate, const PlatePack& pack,
                     std::vector<int>& messages) {
  const double area = EffectiveArea(plate, pack);
  double duty = 0.5 * s.exchange.MaxDuty();
  for (int step = 0; step < kMaxSettleSteps; ++step) {
    std::vector<int> passing;  // a step's own messages: only the last evaluation reports
    const double next =
        s.exchange.DutyForUA(Evaluate(s, duty, plate, pack, passing).u_dirty * area);
    const bool settled = std::fabs(next - duty) <= kSettledShare * next;
    duty = next;
    if (settled) return duty;
  }
  Raise(messages, kRatingNotSettled);
  return duty;
}

// The smallest pack of single-pass sides, the same channels a side, whose
// area covers what the duty needs and whose pressure drops stay within
// those allowed; the largest one when none does.
PlatePack DesignedPack(const Streams& s, double duty, const PlateDimensions& plate,
                       const std::array<SideInput, 2>& sides, std::vector<int>& messages) {
  for (int64_t n = 1; n <= kMaxDesignChannels; ++n) {
    PlatePack pack = DesignPack(n, sides);
    std::vector<int> trying;
    const Performance p = Evaluate(s, duty, plate, pack, trying);
    if (EffectiveArea(plate, pack) * p.u_dirty >= p.ua && WithinAllowable(s, p)) return pack;
  }
  Raise(messages, kDesignLimitReached);
  return DesignPack(kMaxDesignChannels, sides);
}

}  // namespace

RatingResult RatePlateExchanger(const RatingInput& in) {
  RatingResult r;
  std::vector<int>& m = r.messages;
  const auto hot = ResolveStream(in.sides[0], kHotSide, m);
  const auto cold = ResolveStream(in.sides[1], kColdSide, m);
  if (!hot || !cold) {
    Raise(m, kInletIncomplete);
    return r;
  }
  const CounterCurrent exchange({&hot->curve, hot->flow, hot->inlet_enthalpy},
                                {&cold->curve, cold->flow, cold->inlet_enthalpy});
  if (!(exchange.MaxDuty() > 0)) {
    Raise(m, kNoHeatCanPass);
    return r;
  }
  const Streams s{*hot, *cold, exchange};

  const HeatBalance balance = FindHeatBalance(in);
  const auto mode = ChooseMode(in.mode, balance, m);
  if (!mode) {
    Raise(m, kHeatBalanceCannotClose);
    return r;
  }
  r.mode = *mode;
  double duty = 0;
  if (r.mode != ProgramMode::Simulation) {
    if (balance.given > 1) Raise(m, kHeatBalanceOverSpecified);
    auto specified = SpecifiedDuty(*balance.fixed, in, *hot, *cold, m);
    if (specified && !(*specified > 0)) {
      Raise(m, kDutyNotPositive);
      specified.reset();
    } else if (specified && *specified >= exchange.MaxDuty()) {
      Raise(m, kDutyBeyondStreams);
      specified.reset();
    }
    if (!specified) {
      Raise(m, kHeatBalanceCannotClose);
      return r;
    }
    duty = *specified;
  }

  r.plate = ResolvePlate(in.plate, r.mode != ProgramMode::Design, m);
  if (r.mode == ProgramMode::Design) {
    r.pack = DesignedPack(s, duty, r.plate, in.sides, m);
  } else if (auto pack = ResolvePack(in.sides, m)) {
    r.pack = *pack;
  } else {
    Raise(m, kNoPlatePack);
    return r;
  }
  if (r.mode == ProgramMode::Simulation) duty = SimulatedDuty(s, r.plate, r.pack, m);

  const Performance p = Evaluate(s, duty, r.plate, r.pack, m);
  r.duty = duty;
  r.effective_area = EffectiveArea(r.plate, r.pack);
  r.required_area_dirty = p.ua / p.u_dirty;
  r.required_area_clean = p.ua / p.u_clean;
  r.htc_dirty = p.u_dirty;
  r.htc_clean = p.u_clean;
  r.mtd = duty / p.ua;
  const StreamSide* streams[2] = {&*hot, &*cold};
  const double outlets[2] = {exchange.HotOutletEnthalpy(duty), exchange.ColdOutletEnthalpy(duty)};
  for (int i = 0; i < 2; ++i) {
    const StreamSide& stream = *streams[i];
    SideResult& side = r.sides[i];
    side.outlet_temperature = stream.curve.TemperatureAt(outlets[i]);
    side.film_coefficient = p.sides[i].film_coefficient;
    side.pressure_drop = p.sides[i].pressure_drop;
    side.fouling = stream.options.fouling;
    if (!stream.straight &&
        (!stream.curve.Covers(stream.inlet_enthalpy) || !stream.curve.Covers(outlets[i])))
      Raise(m, kCurveExtended + stream.side);
    const auto& allowable = stream.options.allowable_pressure_drop;
    if (allowable && side.pressure_drop > *allowable)
      Raise(m, kPressureDropAboveAllowable + stream.side);
  }
  r.rated = true;
  Raise(m, kRunCompleted);
  return r;
}
