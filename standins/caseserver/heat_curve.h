// One side's heat-release curve as the rating model uses it: temperature and
// vapour mass fraction as functions of specific enthalpy, piecewise linear
// between the curve's points and straight beyond its ends, with the phase
// properties of the points.
//
// Plain computation: no platform calls. Units are those of the case: J/kg,
// J/(kg K), kg/m3, Pa s, W/(m K); temperatures in the case's own scale.
#pragma once

#include <optional>
#include <vector>

// The water-like specific heat a side falls back on when nothing better is known.
inline constexpr double kDefaultSpecificHeat = 4186.8;

struct PhaseProperties {
  std::optional<double> density;
  std::optional<double> viscosity;
  std::optional<double> conductivity;
  std::optional<double> specific_heat;
};

struct CurvePoint {
  double temperature = 0;
  double enthalpy = 0;
  std::optional<double> vapour_fraction;
  PhaseProperties liquid;
  PhaseProperties vapour;
};

// Which end of a plateau (a stretch of constant temperature, where the stream
// condenses or boils) a temperature on it stands for.
enum class PlateauEnd { Low, High };

class HeatCurve {
 public:
  // The points in any order. Nothing when there is no point, or when the
  // temperature falls anywhere as the enthalpy rises (or jumps at one
  // enthalpy): such a curve cannot carry a heat balance.
  static std::optional<HeatCurve> FromPoints(std::vector<CurvePoint> points);
  // A curve of constant specific heat through (temperature, enthalpy 0) with
  // a constant vapour fraction.
  static HeatCurve Straight(double temperature, double specific_heat, double vapour_fraction);

  double TemperatureAt(double enthalpy) const;
  // The enthalpy at a temperature; on a plateau the end asked for.
  double EnthalpyAt(double temperature, PlateauEnd end) const;
  // An inlet at a temperature: on a plateau the inlet's vapour fraction, when
  // given and met on the plateau, places it; otherwise the end asked for.
  double InletEnthalpy(double temperature, std::optional<double> vapour_fraction,
                       PlateauEnd end) const;
  // The lowest enthalpy within [low, high] at which the points' vapour
  // fraction passes through the fraction; nothing when it does not.
  std::optional<double> EnthalpyAtVapourFraction(double fraction, double low = -1e300,
                                                 double high = 1e300) const;
  // Vapour fraction at an enthalpy, from the points that give one, held at
  // the end values beyond them; nothing when no point gives one.
  std::optional<double> VapourFractionAt(double enthalpy) const;
  // A phase property at an enthalpy, interpolated between the points that
  // give it and held at the end values beyond them; nothing when none does.
  std::optional<double> PropertyAt(double enthalpy, PhaseProperties CurvePoint::*phase,
                                   std::optional<double> PhaseProperties::*property) const;

  // Enthalpies of the points, rising: where the curve bends.
  std::vector<double> BreakEnthalpies() const;
  // The enthalpy lies within the points (not on the straight extensions).
  bool Covers(double enthalpy) const;

 private:
  HeatCurve() = default;
  std::vector<CurvePoint> points_;            // rising enthalpy, temperature never falling
  double low_slope_ = kDefaultSpecificHeat;   // dH/dT below the first point
  double high_slope_ = kDefaultSpecificHeat;  // dH/dT above the last point
};
