#include "standins/caseserver/heat_curve.h"

#include <algorithm>
#include <cmath>

namespace {

// The specific heat of a point's own phase: vapour from a vapour fraction of
// one half up, liquid below.
std::optional<double> PointSpecificHeat(const CurvePoint& p) {
  const PhaseProperties& phase = p.vapour_fraction.value_or(0) >= 0.5 ? p.vapour : p.liquid;
  if (phase.specific_heat && *phase.specific_heat > 0) return phase.specific_heat;
  return std::nullopt;
}

// dH/dT of the straight extension beyond an end: the end segment's own slope
// where it has one, else the end point's specific heat (a one-point curve, or
// one that ends on a plateau), else the default.
double EndSlope(const CurvePoint& end, const CurvePoint* neighbour) {
  if (neighbour && neighbour->temperature != end.temperature)
    return (neighbour->enthalpy - end.enthalpy) / (neighbour->temperature - end.temperature);
  return PointSpecificHeat(end).value_or(kDefaultSpecificHeat);
}

// A value of the points that give it, interpolated in enthalpy and held at
// the end values beyond them.
template <class Get>
std::optional<double> Interpolate(const std::vector<CurvePoint>& points, double enthalpy, Get get) {
  const CurvePoint* below = nullptr;
  const CurvePoint* above = nullptr;
  for (const CurvePoint& p : points) {
    if (!get(p)) continue;
    if (p.enthalpy <= enthalpy) {
      below = &p;
    } else {
      above = &p;
      break;
    }
  }
  if (!below && !above) return std::nullopt;
  if (!below) return *get(*above);
  if (!above) return *get(*below);
  const double low = *get(*below);
  const double high = *get(*above);
  return low + (enthalpy - below->enthalpy) / (above->enthalpy - below->enthalpy) * (high - low);
}

double Along(double x, double x0, double x1, double y0, double y1) {
  return y0 + (x - x0) / (x1 - x0) * (y1 - y0);
}

}  // namespace

std::optional<HeatCurve> HeatCurve::FromPoints(std::vector<CurvePoint> points) {
  if (points.empty()) return std::nullopt;
  std::stable_sort(points.begin(), points.end(), [](const CurvePoint& a, const CurvePoint& b) {
    return a.enthalpy < b.enthalpy;
  });
  HeatCurve curve;
  for (const CurvePoint& p : points) {
    if (!curve.points_.empty()) {
      const CurvePoint& last = curve.points_.back();
      // The same point twice is kept once; two temperatures at one enthalpy,
      // or a temperature that falls, is no heat-release curve.
      if (p.enthalpy == last.enthalpy) {
        if (p.temperature != last.temperature) return std::nullopt;
        continue;
      }
      if (p.temperature < last.temperature) return std::nullopt;
    }
    curve.points_.push_back(p);
  }
  const auto& pts = curve.points_;
  const std::size_t n = pts.size();
  curve.low_slope_ = EndSlope(pts.front(), n > 1 ? &pts[1] : nullptr);
  curve.high_slope_ = EndSlope(pts.back(), n > 1 ? &pts[n - 2] : nullptr);
  return curve;
}

HeatCurve HeatCurve::Straight(double temperature, double specific_heat, double vapour_fraction) {
  HeatCurve curve;
  CurvePoint p;
  p.temperature = temperature;
  p.vapour_fraction = vapour_fraction;
  curve.points_.push_back(p);
  curve.low_slope_ = curve.high_slope_ = specific_heat;
  return curve;
}

double HeatCurve::TemperatureAt(double enthalpy) const {
  const CurvePoint& first = points_.front();
  const CurvePoint& last = points_.back();
  if (enthalpy <= first.enthalpy)
    return first.temperature + (enthalpy - first.enthalpy) / low_slope_;
  if (enthalpy >= last.enthalpy) return last.temperature + (enthalpy - last.enthalpy) / high_slope_;
  const auto above = std::upper_bound(points_.begin(), points_.end(), enthalpy,
                                      [](double h, const CurvePoint& p) { return h < p.enthalpy; });
  const CurvePoint& a = *(above - 1);
  const CurvePoint& b = *above;
  return Along(enthalpy, a.enthalpy, b.enthalpy, a.temperature, b.temperature);
}

double HeatCurve::EnthalpyAt(double temperature, PlateauEnd end) const {
  const CurvePoint& first = points_.front();
  const CurvePoint& last = points_.back();
  if (temperature < first.temperature)
    return first.enthalpy + (temperature - first.temperature) * low_slope_;
  if (temperature > last.temperature)
    return last.enthalpy + (temperature - last.temperature) * high_slope_;
  const std::size_t n = points_.size();
  if (end == PlateauEnd::Low) {
    std::size_t i = 0;
    while (points_[i].temperature < temperature) ++i;
    if (i == 0 || points_[i].temperature == temperature) return points_[i].enthalpy;
    const CurvePoint& a = points_[i - 1];
    const CurvePoint& b = points_[i];
    return Along(temperature, a.temperature, b.temperature, a.enthalpy, b.enthalpy);
  }
  std::size_t j = n - 1;
  while (points_[j].temperature > temperature) --j;
  if (j == n - 1 || points_[j].temperature == temperature) return points_[j].enthalpy;
  const CurvePoint& a = points_[j];
  const CurvePoint& b = points_[j + 1];
  return Along(temperature, a.temperature, b.temperature, a.enthalpy, b.enthalpy);
}

double HeatCurve::InletEnthalpy(double temperature, std::optional<double> vapour_fraction,
                                PlateauEnd end) const {
  const double low = EnthalpyAt(temperature, PlateauEnd::Low);
  const double high = EnthalpyAt(temperature, PlateauEnd::High);
  if (vapour_fraction && high > low)
    if (auto h = EnthalpyAtVapourFraction(*vapour_fraction, low, high)) return *h;
  return end == PlateauEnd::Low ? low : high;
}

std::optional<double> HeatCurve::EnthalpyAtVapourFraction(double fraction, double low,
                                                          double high) const {
  const CurvePoint* previous = nullptr;
  for (const CurvePoint& p : points_) {
    if (!p.vapour_fraction) continue;
    const double x = *p.vapour_fraction;
    if (!previous) {
      if (x == fraction && p.enthalpy >= low && p.enthalpy <= high) return p.enthalpy;
      previous = &p;
      continue;
    }
    const double x0 = *previous->vapour_fraction;
    const double h0 = previous->enthalpy;
    if (fraction >= std::min(x0, x) && fraction <= std::max(x0, x)) {
      // Where the fraction passes through on this segment; a flat segment at
      // the fraction offers its lowest enthalpy within the range.
      double h = x0 == x ? std::max(h0, low) : Along(fraction, x0, x, h0, p.enthalpy);
      if (h >= low && h <= high && h <= p.enthalpy) return h;
    }
    previous = &p;
  }
  return std::nullopt;
}

std::optional<double> HeatCurve::VapourFractionAt(double enthalpy) const {
  return Interpolate(points_, enthalpy, [](const CurvePoint& p) { return p.vapour_fraction; });
}

std::optional<double> HeatCurve::PropertyAt(
    double enthalpy, PhaseProperties CurvePoint::*phase,
    std::optional<double> PhaseProperties::*property) const {
  return Interpolate(points_, enthalpy, [&](const CurvePoint& p) -> std::optional<double> {
    const std::optional<double>& v = (p.*phase).*property;
    // Zero or less is no property a fluid has: the point does not give it.
    if (v && *v > 0) return v;
    return std::nullopt;
  });
}

std::vector<double> HeatCurve::BreakEnthalpies() const {
  std::vector<double> h;
  h.reserve(points_.size());
  for (const CurvePoint& p : points_) h.push_back(p.enthalpy);
  return h;
}

bool HeatCurve::Covers(double enthalpy) const {
  const double low = points_.front().enthalpy;
  const double high = points_.back().enthalpy;
  const double tolerance = 1e-9 * std::max({std::fabs(low), std::fabs(high), high - low, 1.0});
  return enthalpy >= low - tolerance && enthalpy <= high + tolerance;
}
