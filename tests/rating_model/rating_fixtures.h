// Streams, curves and packs for the rating model's tests, built from a few
// numbers, and an interpolation of the curves of their own to check the
// model's heat balance against.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "standins/caseserver/plate_rating.h"

namespace rating_fixtures {

inline constexpr Fluid kWater = {990.0, 6.0e-4, 0.63, 4180.0};
inline constexpr Fluid kSteam = {0.6, 1.2e-5, 0.025, 2080.0};

inline PhaseProperties PropertiesOf(const Fluid& f) {
  return {f.density, f.viscosity, f.conductivity, f.specific_heat};
}

// A liquid curve over [low, high] with `points` points and the enthalpy
// the function gives.
inline CurveInput LiquidCurve(double low, double high, int points,
                              const std::function<double(double)>& enthalpy,
                              const Fluid& fluid = kWater) {
  CurveInput c;
  for (int i = 0; i < points; ++i) {
    CurvePoint p;
    p.temperature = low + (high - low) * i / (points - 1);
    p.enthalpy = enthalpy(p.temperature);
    p.vapour_fraction = 0.0;
    p.liquid = PropertiesOf(fluid);
    c.points.push_back(p);
  }
  return c;
}

// Constant specific heat.
inline CurveInput StraightCurve(double low, double high, double cp, const Fluid& fluid = kWater) {
  return LiquidCurve(
      low, high, 2, [cp](double t) { return cp * t; }, fluid);
}

// A specific heat that rises with temperature: H = cp T + k T^2.
inline CurveInput BentCurve(double low, double high, double cp, double k) {
  return LiquidCurve(low, high, 12, [cp, k](double t) { return cp * t + k * t * t; });
}

// A condensing stream: vapour cooling to `saturation`, condensing there
// (latent heat `latent`), then liquid cooling.
inline CurveInput CondensingCurve(double low, double saturation, double high, double latent) {
  CurveInput c;
  auto add = [&](double t, double h, double x) {
    CurvePoint p;
    p.temperature = t;
    p.enthalpy = h;
    p.vapour_fraction = x;
    p.liquid = PropertiesOf(kWater);
    p.vapour = PropertiesOf(kSteam);
    c.points.push_back(p);
  };
  const double liquid_top = kWater.specific_heat * saturation;
  add(low, kWater.specific_heat * low, 0);
  add(saturation, liquid_top, 0);
  add(saturation, liquid_top + 0.5 * latent, 0.5);
  add(saturation, liquid_top + latent, 1);
  add(high, liquid_top + latent + kSteam.specific_heat * (high - saturation), 1);
  return c;
}

// The enthalpy at a temperature on a curve's points, straight between them
// (the test's own reading of a curve, off the plateaus).
inline double EnthalpyOn(const CurveInput& curve, double t) {
  std::vector<CurvePoint> p = curve.points;
  std::sort(p.begin(), p.end(),
            [](const CurvePoint& a, const CurvePoint& b) { return a.temperature < b.temperature; });
  std::size_t i = 1;
  while (i + 1 < p.size() && p[i].temperature < t) ++i;
  const CurvePoint& a = p[i - 1];
  const CurvePoint& b = p[i];
  return a.enthalpy +
         (t - a.temperature) / (b.temperature - a.temperature) * (b.enthalpy - a.enthalpy);
}

inline SideInput Side(double flow, double inlet_temperature, CurveInput curve) {
  SideInput s;
  s.flow = flow;
  s.inlet_temperature = inlet_temperature;
  s.inlet_pressure = 2.0e5;
  s.curves.push_back(std::move(curve));
  return s;
}

inline void GivePack(SideInput& s, int64_t channels, int64_t passes = 1) {
  s.total_channels = channels;
  s.passes = passes;
}

inline PlateInput StandardPlateGiven() {
  const PlateDimensions& p = kStandardPlate;
  return {p.area,
          p.chevron_angle,
          p.pitch,
          p.double_banking,
          p.horizontal_port_distance,
          p.thickness,
          p.width,
          p.port_diameter,
          p.vertical_port_distance};
}

// Hot water 2 kg/s from 90, cold water 3 kg/s from 15, both constant
// specific heat, 20 channels a side, the standard plate given: a complete
// simulation case.
inline RatingInput WaterToWater() {
  RatingInput in;
  in.mode = 3;
  in.plate = StandardPlateGiven();
  in.sides[0] = Side(2.0, 90.0, StraightCurve(10, 100, 4180.0));
  in.sides[1] = Side(3.0, 15.0, StraightCurve(10, 100, 4180.0));
  GivePack(in.sides[0], 20);
  GivePack(in.sides[1], 20);
  return in;
}

// The same streams on bent curves.
inline RatingInput BentWaterToWater() {
  RatingInput in = WaterToWater();
  in.sides[0].curves = {BentCurve(10, 100, 3900.0, 4.0)};
  in.sides[1].curves = {BentCurve(10, 100, 4100.0, 1.5)};
  return in;
}

inline double Relative(double a, double b) {
  return std::fabs(a - b) / std::max(std::fabs(b), 1e-300);
}

}  // namespace rating_fixtures
