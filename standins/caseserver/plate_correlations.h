// The plate and its channels: the dimensions the model rates with, the
// standard plate it falls back on, and the film coefficient and pressure drop
// of a fluid in the channels of one pass.
//
// Plain computation: no platform calls. SI units throughout; the chevron
// angle in degrees.
#pragma once

struct PlateDimensions {
  double area = 0;                      // heat transfer area of one plate, m2
  double chevron_angle = 0;             // degrees to the horizontal
  double pitch = 0;                     // compressed plate pitch, m
  double double_banking = 0;            // 0 single bank; carried, not rated
  double horizontal_port_distance = 0;  // m
  double thickness = 0;                 // m
  double width = 0;                     // m
  double port_diameter = 0;             // m
  double vertical_port_distance = 0;    // m
};

// A mid-sized chevron plate: what a dimension the case does not give is taken from.
inline constexpr PlateDimensions kStandardPlate = {
    .area = 0.5,
    .chevron_angle = 60,
    .pitch = 0.0035,
    .double_banking = 0,
    .horizontal_port_distance = 0.25,
    .thickness = 0.0006,
    .width = 0.5,
    .port_diameter = 0.1,
    .vertical_port_distance = 1.2,
};

// Conductivity of the plate metal (stainless steel), W/(m K).
inline constexpr double kPlateConductivity = 16.3;

struct Fluid {
  double density = 0;        // kg/m3
  double viscosity = 0;      // Pa s
  double conductivity = 0;   // W/(m K)
  double specific_heat = 0;  // J/(kg K)
};

// What a phase property that no curve point gives is taken as.
inline constexpr Fluid kDefaultLiquid = {998.0, 1.0e-3, 0.6, 4186.8};
inline constexpr Fluid kDefaultVapour = {1.2, 1.8e-5, 0.026, 1005.0};

// The gap between two plates (pitch less thickness) and the channel's
// hydraulic diameter, twice the gap.
double ChannelGap(const PlateDimensions& plate);
double HydraulicDiameter(const PlateDimensions& plate);
// The flow path along one plate: its area over its width.
double FlowLength(const PlateDimensions& plate);

// Mass velocity of a side's flow shared over the channels of one pass, kg/(m2 s).
double ChannelMassVelocity(double flow, double channels_per_pass, const PlateDimensions& plate);

// Film coefficient, W/(m2 K): Nu = 0.3 Re^0.663 Pr^(1/3), Re held at 10 or more.
double FilmCoefficient(const Fluid& fluid, double mass_velocity, const PlateDimensions& plate);

// Pressure drop of one pass, Pa: the channel friction, Darcy f = 12 Re^-0.2
// over the flow length, and 1.5 velocity heads in the ports.
double PassPressureDrop(const Fluid& fluid, double flow, double mass_velocity,
                        const PlateDimensions& plate);
