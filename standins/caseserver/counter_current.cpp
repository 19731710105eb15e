#include "standins/caseserver/counter_current.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();
// Bisections stop at this share of the interval they started with.
constexpr double kRelativeTolerance = 1e-15;
constexpr int kMaxBisections = 200;

}  // namespace

double LogMeanDifference(double a, double b) {
  // Near-equal ends: the series of the log mean, exact to rounding where the
  // quotient form loses its digits.
  const double mean = 0.5 * (a + b);
  const double e = (a - b) / (a + b);
  if (std::fabs(e) < 1e-4) return mean * (1 - e * e / 3);
  return (a - b) / std::log(a / b);
}

CounterCurrent::CounterCurrent(StreamPath hot, StreamPath cold) : hot_(hot), cold_(cold) {
  // Neither end may cross: the hot outlet stays above the cold inlet, the
  // cold outlet below the hot inlet. Inside the pack a bend of either curve
  // can pinch first, so the bound is narrowed until no point crosses.
  const double hot_inlet_t = hot_.curve->TemperatureAt(hot_.inlet_enthalpy);
  const double cold_inlet_t = cold_.curve->TemperatureAt(cold_.inlet_enthalpy);
  if (!(hot_inlet_t > cold_inlet_t)) return;
  const double by_hot =
      hot_.flow * (hot_.inlet_enthalpy - hot_.curve->EnthalpyAt(cold_inlet_t, PlateauEnd::Low));
  const double by_cold =
      cold_.flow * (cold_.curve->EnthalpyAt(hot_inlet_t, PlateauEnd::High) - cold_.inlet_enthalpy);
  const double bound = std::min(by_hot, by_cold);
  if (!(bound > 0)) return;
  if (MinApproach(bound) >= 0) {
    max_duty_ = bound;
    return;
  }
  double low = 0;
  double high = bound;
  for (int i = 0; i < kMaxBisections && high - low > kRelativeTolerance * bound; ++i) {
    const double mid = 0.5 * (low + high);
    (MinApproach(mid) > 0 ? low : high) = mid;
  }
  max_duty_ = low;
}

std::vector<double> CounterCurrent::Breaks(double duty) const {
  std::vector<double> q{0.0, duty};
  const double hot_out = HotOutletEnthalpy(duty);
  for (double h : hot_.curve->BreakEnthalpies())
    if (h > hot_out && h < hot_.inlet_enthalpy) q.push_back(hot_.flow * (h - hot_out));
  const double cold_out = ColdOutletEnthalpy(duty);
  for (double h : cold_.curve->BreakEnthalpies())
    if (h > cold_.inlet_enthalpy && h < cold_out)
      q.push_back(cold_.flow * (h - cold_.inlet_enthalpy));
  std::sort(q.begin(), q.end());
  q.erase(std::unique(q.begin(), q.end()), q.end());
  return q;
}

double CounterCurrent::Approach(double duty, double position) const {
  const double hot_t = hot_.curve->TemperatureAt(HotOutletEnthalpy(duty) + position / hot_.flow);
  const double cold_t = cold_.curve->TemperatureAt(cold_.inlet_enthalpy + position / cold_.flow);
  return hot_t - cold_t;
}

double CounterCurrent::MinApproach(double duty) const {
  // Both temperatures are straight between the bends, so the difference is
  // smallest at one of them.
  double least = kInfinite;
  for (double q : Breaks(duty)) least = std::min(least, Approach(duty, q));
  return least;
}

double CounterCurrent::RequiredUA(double duty) const {
  if (!(duty > 0)) return 0;
  const std::vector<double> q = Breaks(duty);
  double ua = 0;
  double before = Approach(duty, q.front());
  if (!(before > 0)) return kInfinite;
  for (std::size_t i = 1; i < q.size(); ++i) {
    const double after = Approach(duty, q[i]);
    if (!(after > 0)) return kInfinite;
    ua += (q[i] - q[i - 1]) / LogMeanDifference(before, after);
    before = after;
  }
  return ua;
}

double CounterCurrent::DutyForUA(double ua) const {
  if (!(ua > 0) || !(max_duty_ > 0)) return 0;
  if (RequiredUA(max_duty_) <= ua) return max_duty_;
  double low = 0;
  double high = max_duty_;
  for (int i = 0; i < kMaxBisections && high - low > kRelativeTolerance * max_duty_; ++i) {
    const double mid = 0.5 * (low + high);
    (RequiredUA(mid) < ua ? low : high) = mid;
  }
  return 0.5 * (low + high);
}
