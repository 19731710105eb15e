#include "drivers/unit_factors_face.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <numbers>

namespace {

struct Factor {
  float UnitFactors::*member;
  const char* name;
  float set[4];
};

// Each factor of the four sets, by member.
const Factor kFactors[] = {
    {&UnitFactors::F_ANGLE, "F_ANGLE", {0.017453292f, 0.017453292f, 0.017453292f, 0.017453292f}},
    {&UnitFactors::F_SMALL_LENGTH, "F_SMALL_LENGTH", {0.0254f, 0.001f, 0.001f, 1}},
    {&UnitFactors::F_AREA, "F_AREA", {0.09290304f, 1, 1, 1}},
    {&UnitFactors::F_MASS, "F_MASS", {0.4535924f, 1, 1, 1}},
    {&UnitFactors::F_VOLUME, "F_VOLUME", {0.028316f, 1, 1, 1}},
    {&UnitFactors::F_MASS_FLOW, "F_MASS_FLOW", {0.000126f, 1, 0.00027777f, 1}},
    {&UnitFactors::F_HEAT_DUTY, "F_HEAT_DUTY", {0.29307f, 1, 1.163095f, 1}},
    {&UnitFactors::F_ENTHALPY, "F_ENTHALPY", {2326, 1000, 4187, 1}},
    {&UnitFactors::F_SPECIFIC_HEAT, "F_SPECIFIC_HEAT", {4187, 1000, 4187, 1}},
    {&UnitFactors::F_LENGTH, "F_LENGTH", {0.3048f, 1, 1, 1}},
    {&UnitFactors::F_DENSITY, "F_DENSITY", {16.02f, 1, 1, 1}},
    {&UnitFactors::F_VISCOSITY, "F_VISCOSITY", {0.001f, 0.001f, 0.001f, 1}},
    {&UnitFactors::F_CONDUCTIVITY, "F_CONDUCTIVITY", {1.730735f, 1, 1.16156f, 1}},
    {&UnitFactors::F_SURFACE_TENSION, "F_SURFACE_TENSION", {14.5939f, 1, 0.001f, 1}},
    {&UnitFactors::F_FOULING, "F_FOULING", {0.1761184f, 1, 0.859458f, 1}},
    {&UnitFactors::F_HTC, "F_HTC", {5.678263f, 1, 1.163579f, 1}},
    {&UnitFactors::F_VISCOSITY_2, "F_VISCOSITY_2", {1.488164f, 1, 1, 1}},
    {&UnitFactors::F_HEAT_FLUX, "F_HEAT_FLUX", {3.154592f, 1, 1.16298f, 1}},
    {&UnitFactors::F_POWER, "F_POWER", {745.7f, 1000, 1000, 1000}},
    {&UnitFactors::F_PRESSURE, "F_PRESSURE", {6894.757f, 100000, 98066.06f, 1}},
    {&UnitFactors::F_DIFFUSIVITY, "F_DIFFUSIVITY", {2.58e-5f, 1, 1.0e-4f, 1}},
    {&UnitFactors::F_SMALL_PRESSURE, "F_SMALL_PRESSURE", {249.082f, 1, 1, 1}},
};
static_assert(sizeof kFactors / sizeof kFactors[0] * sizeof(float) == sizeof(UnitFactors));

void ExpectAllZero() {
  for (const Factor& f : kFactors) EXPECT_EQ(UNIT_FACTORS.*f.member, 0.0f) << f.name;
}

void ExpectSet(int set) {
  for (const Factor& f : kFactors) EXPECT_EQ(UNIT_FACTORS.*f.member, f.set[set - 1]) << f.name;
}

void Select(float set) { SET_UNIT_FACTORS(&set); }

const float kNotASet[] = {3.5f,
                          0.0f,
                          1.0000001f,
                          -4.0f,
                          5.0f,
                          std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity()};

}  // namespace

// Runs first: no set has been selected yet in this process, and values that
// select no set leave it so.
TEST(UnitFactors, ZeroUntilASetIsSelected) {
  ExpectAllZero();
  for (float value : kNotASet) Select(value);
  SET_UNIT_FACTORS(nullptr);
  ExpectAllZero();
}

TEST(UnitFactors, EachSetWritesEveryFactor) {
  // Set 2 after set 4 and so on: every member is rewritten, none kept from before.
  for (int set : {4, 2, 1, 3, 4}) {
    SCOPED_TRACE(set);
    Select(static_cast<float>(set));
    ExpectSet(set);
  }
}

TEST(UnitFactors, SetFourIsSiWithDegreesAndKilowatts) {
  Select(4.0f);
  for (const Factor& f : kFactors) {
    if (f.member == &UnitFactors::F_ANGLE || f.member == &UnitFactors::F_POWER) continue;
    EXPECT_EQ(UNIT_FACTORS.*f.member, 1.0f) << f.name;
  }
  EXPECT_EQ(UNIT_FACTORS.F_ANGLE, static_cast<float>(std::numbers::pi / 180));
  EXPECT_EQ(UNIT_FACTORS.F_POWER, 1000.0f);
}

TEST(UnitFactors, ValuesThatSelectNoSetChangeNothing) {
  Select(2.0f);
  UnitFactors before;
  std::memcpy(&before, &UNIT_FACTORS, sizeof before);
  for (float value : kNotASet) {
    SCOPED_TRACE(value);
    Select(value);
    EXPECT_EQ(std::memcmp(&before, &UNIT_FACTORS, sizeof before), 0);
  }
}
