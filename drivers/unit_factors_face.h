// Factors that convert host values into the calculation's units: an input is
// divided by its factor, a result multiplied by it.
#pragma once

struct UnitFactors {
  float F_ANGLE, F_SMALL_LENGTH, F_AREA, F_MASS, F_VOLUME, F_MASS_FLOW, F_HEAT_DUTY, F_ENTHALPY,
      F_SPECIFIC_HEAT, F_LENGTH, F_DENSITY, F_VISCOSITY, F_CONDUCTIVITY, F_SURFACE_TENSION,
      F_FOULING, F_HTC, F_VISCOSITY_2, F_HEAT_FLUX, F_POWER, F_PRESSURE, F_DIFFUSIVITY,
      F_SMALL_PRESSURE;
};
extern UnitFactors UNIT_FACTORS;

void SET_UNIT_FACTORS(const float* unit_set);
