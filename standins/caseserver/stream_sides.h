// Each side's stream as the rating model works with it: the heat-release
// curve chosen for it, its inlet on that curve, its options with their
// neutral values filled in, and its film coefficient and pressure drop in a
// given plate pack.
//
// Plain computation: no platform calls.
#pragma once

#include <optional>
#include <vector>

#include "standins/caseserver/heat_curve.h"
#include "standins/caseserver/plate_correlations.h"
#include "standins/caseserver/plate_rating.h"

struct SideOptions {
  double fouling = 0;
  std::optional<double> liquid_htc;
  std::optional<double> vapour_htc;
  std::optional<double> two_phase_htc;
  double liquid_htc_multiplier = 1;
  double vapour_htc_multiplier = 1;
  double two_phase_htc_multiplier = 1;
  double pressure_drop_multiplier = 1;
  std::optional<double> allowable_pressure_drop;
};

struct StreamSide {
  int side = 0;  // kHotSide or kColdSide
  double flow = 0;
  std::optional<double> inlet_quality;
  HeatCurve curve;
  bool straight = false;  // the side had no usable curve
  double inlet_enthalpy = 0;
  SideOptions options;
};

// The stream of one side; nothing when its flow or inlet temperature is
// missing (the codes saying which are raised).
std::optional<StreamSide> ResolveStream(const SideInput& input, int side,
                                        std::vector<int>& messages);

struct SideHydraulics {
  double film_coefficient = 0;  // W/(m2 K)
  double pressure_drop = 0;     // Pa
};

// The side's film coefficient and pressure drop with its fluid as it is at
// the mean enthalpy of its passage through the pack.
SideHydraulics RateSide(const StreamSide& stream, double mean_enthalpy,
                        const PlateDimensions& plate, const PackSide& pack,
                        std::vector<int>& messages);
