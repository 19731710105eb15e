// The plate rating model: what a run reads from the case, what it gives back,
// and the one call that rates, checks or designs the exchanger.
//
// Plain computation: no platform calls, no case. An input the case does not
// give is an empty optional; the model falls back on its defaults and says so
// in its messages. Index 0 of a side pair is the hot side, 1 the cold side.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "standins/caseserver/heat_curve.h"
#include "standins/caseserver/plate_correlations.h"

inline constexpr int kCurvesPerSide = 5;
inline constexpr int kPointsPerCurve = 24;
inline constexpr int kPassesKept = 5;

enum class ProgramMode { Design = 1, Checking = 2, Simulation = 3 };

struct CurveInput {
  std::optional<double> reference_pressure;  // Pa
  std::vector<CurvePoint> points;
};

struct SideInput {
  // Inlet stream.
  std::optional<double> flow;  // kg/s
  std::optional<double> inlet_temperature;
  std::optional<double> inlet_pressure;  // Pa
  std::optional<double> inlet_quality;   // vapour mass fraction
  // Heat-release curves, curve 1 first; a curve without points is skipped.
  std::vector<CurveInput> curves;
  // The side's share of the heat-balance setting.
  std::optional<double> outlet_temperature;
  std::optional<double> outlet_quality;
  // Options.
  std::optional<double> fouling;  // m2 K/W
  std::optional<double> liquid_htc;
  std::optional<double> vapour_htc;
  std::optional<double> two_phase_htc;  // W/(m2 K)
  std::optional<double> liquid_htc_multiplier;
  std::optional<double> vapour_htc_multiplier;
  std::optional<double> two_phase_htc_multiplier;
  std::optional<double> pressure_drop_multiplier;
  std::optional<double> allowable_pressure_drop;  // Pa
  // Plate pack on this side.
  std::optional<int64_t> total_channels;
  std::optional<int64_t> passes;
  std::array<std::optional<int64_t>, kPassesKept> channels_in_pass;
  std::optional<int64_t> inlet_port;
  std::optional<int64_t> outlet_port;
};

struct PlateInput {
  std::optional<double> area;
  std::optional<double> chevron_angle;
  std::optional<double> pitch;
  std::optional<double> double_banking;
  std::optional<double> horizontal_port_distance;
  std::optional<double> thickness;
  std::optional<double> width;
  std::optional<double> port_diameter;
  std::optional<double> vertical_port_distance;
};

struct RatingInput {
  std::optional<int64_t> mode;      // "PlateProgMode"
  std::optional<double> heat_load;  // W, the duty when the heat balance fixes it
  PlateInput plate;
  std::array<SideInput, 2> sides;
};

struct PackSide {
  int64_t total_channels = 0;
  int64_t passes = 1;
  std::array<int64_t, kPassesKept> channels_in_pass{};  // passes beyond 5 not kept
  int64_t inlet_port = 0;
  int64_t outlet_port = 0;
};

struct SideResult {
  double outlet_temperature = 0;
  double film_coefficient = 0;  // W/(m2 K)
  double pressure_drop = 0;     // Pa
  double fouling = 0;           // m2 K/W
};

struct RatingResult {
  // False when the run stopped: then only the messages mean anything.
  bool rated = false;
  ProgramMode mode = ProgramMode::Simulation;
  double duty = 0;                 // W
  double effective_area = 0;       // m2
  double required_area_clean = 0;  // m2, at the clean coefficient
  double required_area_dirty = 0;  // m2, at the dirty coefficient
  double htc_dirty = 0;            // W/(m2 K)
  double htc_clean = 0;
  double mtd = 0;  // the duty over the UA it needs, K
  PlateDimensions plate;
  std::array<PackSide, 2> pack;
  std::array<SideResult, 2> sides;
  std::vector<int> messages;  // codes of model_messages.h
};

RatingResult RatePlateExchanger(const RatingInput& input);
