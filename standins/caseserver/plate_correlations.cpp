#include "standins/caseserver/plate_correlations.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Below this the channel flow is laminar and the turbulent forms would run
// away; the model holds the Reynolds number there.
constexpr double kLeastReynolds = 10;
constexpr double kPortVelocityHeads = 1.5;

double Reynolds(const Fluid& fluid, double mass_velocity, const PlateDimensions& plate) {
  return std::max(mass_velocity * HydraulicDiameter(plate) / fluid.viscosity, kLeastReynolds);
}

}  // namespace

double ChannelGap(const PlateDimensions& plate) { return plate.pitch - plate.thickness; }

double HydraulicDiameter(const PlateDimensions& plate) { return 2 * ChannelGap(plate); }

double FlowLength(const PlateDimensions& plate) { return plate.area / plate.width; }

double ChannelMassVelocity(double flow, double channels_per_pass, const PlateDimensions& plate) {
  return flow / (channels_per_pass * ChannelGap(plate) * plate.width);
}

double FilmCoefficient(const Fluid& fluid, double mass_velocity, const PlateDimensions& plate) {
  const double re = Reynolds(fluid, mass_velocity, plate);
  const double pr = fluid.specific_heat * fluid.viscosity / fluid.conductivity;
  const double nu = 0.3 * std::pow(re, 0.663) * std::cbrt(pr);
  return nu * fluid.conductivity / HydraulicDiameter(plate);
}

double PassPressureDrop(const Fluid& fluid, double flow, double mass_velocity,
                        const PlateDimensions& plate) {
  const double friction = 12 * std::pow(Reynolds(fluid, mass_velocity, plate), -0.2);
  const double channel = friction * FlowLength(plate) / HydraulicDiameter(plate) * mass_velocity *
                         mass_velocity / (2 * fluid.density);
  const double port_area = std::numbers::pi / 4 * plate.port_diameter * plate.port_diameter;
  const double port_mass_velocity = flow / port_area;
  const double ports =
      kPortVelocityHeads * port_mass_velocity * port_mass_velocity / (2 * fluid.density);
  return channel + ports;
}
