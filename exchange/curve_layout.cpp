// Index layout, side lookup, value cleaning and phase tables of the curve
// transfer: what goes where, before any server is asked.
#include "exchange/curve_layout.h"

#include <algorithm>

#include "include/fixed_text.h"
#include "include/markers.h"

namespace {

// One phase value: its variable, its place j among the entry's ten values and
// the factor it is divided by (none for molecular weights and fractions).
struct PhaseValue {
  std::string_view variable;
  int64_t j;
  float UnitFactors::*factor;
};

constexpr PhaseValue kVapourValues[] = {
    {"VaporMolecularWeight", 2, nullptr},
    {"VaporDensity", 3, &UnitFactors::F_DENSITY},
    {"VaporSpecificHeat", 4, &UnitFactors::F_SPECIFIC_HEAT},
    {"VaporViscosity", 5, &UnitFactors::F_VISCOSITY},
    {"VaporThermalConductivity", 6, &UnitFactors::F_CONDUCTIVITY},
    {"Diffusivity", 8, &UnitFactors::F_DIFFUSIVITY},
};
constexpr PhaseValue kLiquidValues[] = {
    {"LiquidMolecularWeight", 2, nullptr},
    {"LiquidDensity", 3, &UnitFactors::F_DENSITY},
    {"LiquidSpecificHeat", 4, &UnitFactors::F_SPECIFIC_HEAT},
    {"LiquidViscosity", 5, &UnitFactors::F_VISCOSITY},
    {"LiquidThermalConductivity", 6, &UnitFactors::F_CONDUCTIVITY},
    {"LiquidSurfaceTension", 7, &UnitFactors::F_SURFACE_TENSION},
};
constexpr PhaseValue kSecondLiquidValues[] = {
    {"Liquid2MolecularWeight", 2, nullptr},
    {"Liquid2Density", 3, &UnitFactors::F_DENSITY},
    {"Liquid2SpecificHeat", 4, &UnitFactors::F_SPECIFIC_HEAT},
    {"Liquid2Viscosity", 5, &UnitFactors::F_VISCOSITY},
    {"Liquid2ThermalConductivity", 6, &UnitFactors::F_CONDUCTIVITY},
    {"Liquid2SurfaceTension", 7, &UnitFactors::F_SURFACE_TENSION},
    {"Liquid2MassFraction", 10, nullptr},
};

// The values an entry of this phase code gives; none for any other code.
std::span<const PhaseValue> PhaseValues(int64_t code) {
  switch (code) {
    case VAPOUR_PHASE:
      return kVapourValues;
    case LIQUID_PHASE:
      return kLiquidValues;
    case SECOND_LIQUID_PHASE:
      return kSecondLiquidValues;
    default:
      return {};
  }
}

constexpr int64_t kValuesPerEntry = 10;
constexpr int64_t kValuesPerPoint = 4;
constexpr int64_t kSideOffset = static_cast<int64_t>(CURVES_PER_SIDE) * POINTS_PER_CURVE;

// Element n (from 1) of a record, when the record holds it.
bool Element(std::span<const double> values, int64_t n, double& out) {
  if (n < 1 || n > static_cast<int64_t>(values.size())) return false;
  out = values[static_cast<std::size_t>(n - 1)];
  return true;
}

double Divided(double value, const UnitFactors& factors, float UnitFactors::*factor) {
  return factor ? value / static_cast<double>(factors.*factor) : value;
}

class Planner {
 public:
  Planner(const UnitFactors& factors, CurvePutSink& sink) : factors_(factors), sink_(sink) {}

  void Text(std::string_view variable, int64_t index, std::string_view text) {
    sink_.Put({variable, Index(index), CurvePut::Kind::kText, 0.0, 0, text});
  }
  void Integer(std::string_view variable, int64_t index, int64_t value) {
    sink_.Put({variable, Index(index), CurvePut::Kind::kInteger, 0.0, value});
  }
  // Element n of a record, divided by its factor; nothing when the record
  // stops short of it.
  void Real(std::string_view variable, int64_t index, std::span<const double> values, int64_t n,
            float UnitFactors::*factor = nullptr) {
    double value = 0.0;
    if (!Element(values, n, value)) return;
    sink_.Put({variable, Index(index), CurvePut::Kind::kReal, Divided(value, factors_, factor)});
  }

 private:
  static int16_t Index(int64_t index) { return static_cast<int16_t>(index); }

  const UnitFactors& factors_;
  CurvePutSink& sink_;
};

}  // namespace

CurveSide FindCurveSide(const CaseLink& link, int64_t curve_number, std::string_view curve_id) {
  if (curve_number < 1 || curve_number > CURVES_PER_SIDE) return NO_CURVE_SIDE;
  // A blank id names no curve of the repository, even where a list entry is blank too.
  if (fixed::IsBlank(curve_id)) return NO_CURVE_SIDE;
  const auto place = static_cast<std::size_t>(curve_number - 1);
  if (fixed::EqualPadded(curve_id, link.HOTCURVE[place].view())) return HOT_CURVE_SIDE;
  if (fixed::EqualPadded(curve_id, link.COLDCURVE[place].view())) return COLD_CURVE_SIDE;
  return NO_CURVE_SIDE;
}

int64_t CurvePointIndex(int64_t curve_number, CurveSide side, int64_t point) {
  return (curve_number - 1) * POINTS_PER_CURVE + kSideOffset * (side - 1) + point;
}

int64_t ReferencePressureIndex(int64_t curve_number, CurveSide side) {
  return side == COLD_CURVE_SIDE ? CURVES_PER_SIDE + curve_number : curve_number;
}

void CleanCurveRecords(const CurveRecords& records) {
  for (auto reals : {records.thermo_reals, records.phase_reals})
    std::replace_if(
        reals.begin(), reals.end(), [](double v) { return v >= MISSING_REAL; }, 0.0);
  // Only the marker itself: a larger count or code is the host's own value.
  for (auto ints : {records.point_entries, records.thermo_ints, records.phase_codes})
    std::replace(ints.begin(), ints.end(), MISSING_INTEGER, int64_t{0});
}

void PlanCurvePuts(const CaseLink& link, const UnitFactors& factors, int64_t curve_number,
                   std::string_view curve_id, const CurveRecords& records, CurvePutSink& sink) {
  const CurveSide side = FindCurveSide(link, curve_number, curve_id);
  if (side == NO_CURVE_SIDE) return;
  Planner plan(factors, sink);
  const std::span<const double> thermo = records.thermo_reals;
  const std::span<const double> phase = records.phase_reals;
  // A curve longer than its place in the case keeps its first points only, so
  // it never spills into the next curve's indices.
  const int64_t points =
      std::min<int64_t>(static_cast<int64_t>(records.point_entries.size()), POINTS_PER_CURVE);

  plan.Text("DBToBeUsed", side, "4");
  // The pressure of point 1 is the curve's reference pressure.
  plan.Real("PressureReference", ReferencePressureIndex(curve_number, side), thermo, 2,
            &UnitFactors::F_PRESSURE);
  plan.Integer("NumberofCurves", side, curve_number);
  plan.Integer("NumberOfPointsOnCurve", side, points);

  const auto entries = static_cast<int64_t>(records.phase_codes.size());
  int64_t k = 0;  // the last phase entry used, numbered over the whole curve
  for (int64_t p = 1; p <= points; ++p) {
    const int64_t at = CurvePointIndex(curve_number, side, p);
    const int64_t t = kValuesPerPoint * p;
    plan.Real("VaporMassFraction", at, thermo, t);
    plan.Real("Temperature", at, thermo, t - 3);
    plan.Real("SpecificEnthalpy", at, thermo, t - 1, &UnitFactors::F_ENTHALPY);

    const int64_t point_entries = records.point_entries[static_cast<std::size_t>(p - 1)];
    for (int64_t e = 0; e < point_entries && k < entries; ++e) {
      ++k;
      // Every entry owns ten values, whether or not its code gives any of them.
      const int64_t o = kValuesPerEntry * (k - 1);
      for (const PhaseValue& v : PhaseValues(records.phase_codes[static_cast<std::size_t>(k - 1)]))
        plan.Real(v.variable, at, phase, o + v.j, v.factor);
    }
  }
}
