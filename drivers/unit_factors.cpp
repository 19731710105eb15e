// The factors between host values and the calculation's units, one set per
// unit system. One unit of the set is worth the factor in SI units (kg, m, s,
// K, W, Pa); set 4 is SI throughout except power, taken in kW.
#include "drivers/unit_factors_face.h"

UnitFactors UNIT_FACTORS;

namespace {

// Single-precision constants, written in the shortest decimal form of their
// 32-bit values, in the order of the record's members.
constexpr UnitFactors kUnitSets[4] = {
    // Set 1: degree, inch, ft2, lb, ft3, lb/h, Btu/h, Btu/lb, Btu/lb F, ft,
    // lb/ft3, cP, Btu/h ft F, lbf/ft, h ft2 F/Btu, Btu/h ft2 F, lb/ft s,
    // Btu/h ft2, hp, psi, ft2/h, inch of water.
    {0.017453292f, 0.0254f,   0.09290304f, 0.4535924f, 0.028316f, 0.000126f, 0.29307f,   2326.0f,
     4187.0f,      0.3048f,   16.02f,      0.001f,     1.730735f, 14.5939f,  0.1761184f, 5.678263f,
     1.488164f,    3.154592f, 745.7f,      6894.757f,  2.58e-5f,  249.082f},
    // Set 2: degree, mm, kJ/kg, kJ/kg K, cP, kW, bar; SI otherwise.
    {0.017453292f, 0.001f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1000.0f, 1000.0f,   1.0f, 1.0f,
     0.001f,       1.0f,   1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1000.0f, 100000.0f, 1.0f, 1.0f},
    // Set 3: degree, mm, kg/h, kcal/h, kcal/kg, kcal/kg C, cP, kcal/h m C,
    // dyn/cm, h m2 C/kcal, kcal/h m2 C, kcal/h m2, kW, kgf/cm2, cm2/s.
    {0.017453292f, 0.001f,   1.0f,    1.0f,      1.0f,     0.00027777f, 1.163095f, 4187.0f,
     4187.0f,      1.0f,     1.0f,    0.001f,    1.16156f, 0.001f,      0.859458f, 1.163579f,
     1.0f,         1.16298f, 1000.0f, 98066.06f, 1.0e-4f,  1.0f},
    // Set 4: degree and kW; SI otherwise.
    {0.017453292f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,    1.0f, 1.0f, 1.0f,
     1.0f,         1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1000.0f, 1.0f, 1.0f, 1.0f},
};

}  // namespace

void SET_UNIT_FACTORS(const float* unit_set) {
  if (!unit_set) return;
  // Exact comparison: only 1.0 to 4.0 select a set; anything else, a value
  // that is not a number included, leaves the factors as they are.
  for (int set = 1; set <= 4; ++set) {
    if (*unit_set == static_cast<float>(set)) {
      UNIT_FACTORS = kUnitSets[set - 1];
      return;
    }
  }
}
