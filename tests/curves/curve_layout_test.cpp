#include "exchange/curve_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "include/markers.h"

namespace {

// Writes each value as "Variable(index)=value", in the order given.
class Recorder : public CurvePutSink {
 public:
  void Put(const CurvePut& put) override {
    std::string value;
    switch (put.kind) {
      case CurvePut::Kind::kText:
        value = "'" + std::string(put.text) + "'";
        break;
      case CurvePut::Kind::kInteger:
        value = "#" + std::to_string(put.integer);
        break;
      case CurvePut::Kind::kReal: {
        char buf[32];
        snprintf(buf, sizeof buf, "%g", put.real);
        value = buf;
        break;
      }
    }
    puts.push_back(std::string(put.variable) + "(" + std::to_string(put.index) + ")=" + value);
  }
  std::vector<std::string> puts;
};

UnitFactors Ones() {
  UnitFactors f;
  float* all = &f.F_ANGLE;
  for (int i = 0; i < 22; ++i) all[i] = 1.0f;
  return f;
}

CaseLink Link() {
  CaseLink link{};
  for (auto& id : link.HOTCURVE) id.clear();
  for (auto& id : link.COLDCURVE) id.clear();
  link.HOTCURVE[0] = "HOT-1";
  link.HOTCURVE[1] = "CURVE-A";
  link.COLDCURVE[1] = "CURVE-B";
  link.COLDCURVE[2] = "CURVE-A";
  link.HOTCURVE[3] = "BOTH";
  link.COLDCURVE[3] = "BOTH";
  return link;
}

// One curve's records, built from a few values.
struct Curve {
  std::vector<int64_t> entries;
  std::vector<int64_t> thermo_ints{0};
  std::vector<int64_t> codes{0};
  std::vector<double> thermo;
  std::vector<double> phase{0.0};

  CurveRecords records() { return {entries, thermo_ints, codes, thermo, phase}; }
};

// A curve of n points without phase entries: point p has temperature 100p,
// pressure 10p, enthalpy 1000p and vapour fraction p/100.
Curve Plain(int n) {
  Curve c;
  for (int p = 1; p <= n; ++p) {
    c.entries.push_back(0);
    c.thermo.insert(c.thermo.end(), {100.0 * p, 10.0 * p, 1000.0 * p, p / 100.0});
  }
  return c;
}

// Ten phase values of an entry: value j is base + j.
void AddEntry(Curve& c, int64_t code, double base) {
  if (c.codes.size() == 1 && c.phase.size() == 1) {
    c.codes.clear();
    c.phase.clear();
  }
  c.codes.push_back(code);
  for (int j = 1; j <= 10; ++j) c.phase.push_back(base + j);
}

std::vector<std::string> Plan(Curve& c, int64_t curve_number, std::string_view id,
                              const UnitFactors& factors = Ones()) {
  Recorder r;
  PlanCurvePuts(Link(), factors, curve_number, id, c.records(), r);
  return r.puts;
}

using Lines = std::vector<std::string>;

TEST(CurveIndex, PointsAndReferencePressuresOfBothSides) {
  struct Case {
    int64_t curve;
    CurveSide side;
    int64_t point;
    int64_t index;
  };
  for (const Case& c : {Case{1, HOT_CURVE_SIDE, 1, 1}, Case{1, HOT_CURVE_SIDE, 24, 24},
                        Case{2, HOT_CURVE_SIDE, 1, 25}, Case{2, HOT_CURVE_SIDE, 3, 27},
                        Case{5, HOT_CURVE_SIDE, 1, 97}, Case{5, HOT_CURVE_SIDE, 24, 120},
                        Case{1, COLD_CURVE_SIDE, 1, 121}, Case{2, COLD_CURVE_SIDE, 1, 145},
                        Case{2, COLD_CURVE_SIDE, 3, 147}, Case{5, COLD_CURVE_SIDE, 24, 240}})
    EXPECT_EQ(CurvePointIndex(c.curve, c.side, c.point), c.index)
        << "curve " << c.curve << " side " << c.side << " point " << c.point;
  EXPECT_EQ(ReferencePressureIndex(1, HOT_CURVE_SIDE), 1);
  EXPECT_EQ(ReferencePressureIndex(5, HOT_CURVE_SIDE), 5);
  EXPECT_EQ(ReferencePressureIndex(2, COLD_CURVE_SIDE), 7);
  EXPECT_EQ(ReferencePressureIndex(5, COLD_CURVE_SIDE), 10);
}

TEST(CurveSide, HotListFirstThenColdAtTheCurvesOwnPlace) {
  struct Case {
    int64_t curve;
    std::string id;
    CurveSide side;
  };
  const CaseLink link = Link();
  for (const Case& c : {
           Case{2, "CURVE-A", HOT_CURVE_SIDE},
           Case{3, "CURVE-A", COLD_CURVE_SIDE},
           Case{4, "BOTH", HOT_CURVE_SIDE},  // at its place in both lists: hot wins
           Case{2, "CURVE-B", COLD_CURVE_SIDE},
           Case{2, "CURVE-A      ", HOT_CURVE_SIDE},  // blanks padded on the shorter side
           Case{1, "CURVE-A", NO_CURVE_SIDE},         // listed, but at another place
           Case{2, "curve-a", NO_CURVE_SIDE},
           Case{2, "NOWHERE", NO_CURVE_SIDE},
           Case{5, "", NO_CURVE_SIDE},  // blank id against blank entries
           Case{5, "    ", NO_CURVE_SIDE},
           Case{0, "HOT-1", NO_CURVE_SIDE},
           Case{-1, "HOT-1", NO_CURVE_SIDE},
           Case{6, "HOT-1", NO_CURVE_SIDE},
           Case{11, "HOT-1", NO_CURVE_SIDE},
       })
    EXPECT_EQ(FindCurveSide(link, c.curve, c.id), c.side) << c.curve << " '" << c.id << "'";
}

TEST(CurveCleaning, MarkedRealsAndTheExactIntegerMarkerBecomeZero) {
  std::vector<int64_t> entries{MISSING_INTEGER, 100000000, -1, 2};
  std::vector<int64_t> ints{MISSING_INTEGER, 99999998};
  std::vector<int64_t> codes{2, MISSING_INTEGER};
  std::vector<double> thermo{1.0E35, 9.9E34, 2.0E35, -1.0E36, 1.0 / 0.0};
  std::vector<double> phase{3.0, 1.0E35};
  CleanCurveRecords({entries, ints, codes, thermo, phase});
  EXPECT_EQ(entries, (std::vector<int64_t>{0, 100000000, -1, 2}));
  EXPECT_EQ(ints, (std::vector<int64_t>{0, 99999998}));
  EXPECT_EQ(codes, (std::vector<int64_t>{2, 0}));
  EXPECT_EQ(thermo, (std::vector<double>{0.0, 9.9E34, 0.0, -1.0E36, 0.0}));
  EXPECT_EQ(phase, (std::vector<double>{3.0, 0.0}));
}

TEST(CurvePlan, HotCurveTwoOfThreePoints) {
  Curve c = Plain(3);
  EXPECT_EQ(Plan(c, 2, "CURVE-A"),
            (Lines{"DBToBeUsed(1)='4'", "PressureReference(2)=10", "NumberofCurves(1)=#2",
                   "NumberOfPointsOnCurve(1)=#3", "VaporMassFraction(25)=0.01",
                   "Temperature(25)=100", "SpecificEnthalpy(25)=1000", "VaporMassFraction(26)=0.02",
                   "Temperature(26)=200", "SpecificEnthalpy(26)=2000", "VaporMassFraction(27)=0.03",
                   "Temperature(27)=300", "SpecificEnthalpy(27)=3000"}));
}

TEST(CurvePlan, ColdCurveTwoOfThreePoints) {
  Curve c = Plain(3);
  const Lines puts = Plan(c, 2, "CURVE-B");
  ASSERT_EQ(puts.size(), 13u);
  EXPECT_EQ(Lines(puts.begin(), puts.begin() + 4),
            (Lines{"DBToBeUsed(2)='4'", "PressureReference(7)=10", "NumberofCurves(2)=#2",
                   "NumberOfPointsOnCurve(2)=#3"}));
  EXPECT_EQ(puts[4], "VaporMassFraction(145)=0.01");
  EXPECT_EQ(puts[7], "VaporMassFraction(146)=0.02");
  EXPECT_EQ(puts[12], "SpecificEnthalpy(147)=3000");
}

TEST(CurvePlan, CurveWithoutSideGivesNothing) {
  Curve c = Plain(3);
  EXPECT_TRUE(Plan(c, 1, "CURVE-B").empty());
  EXPECT_TRUE(Plan(c, 6, "HOT-1").empty());
  EXPECT_TRUE(Plan(c, 0, "HOT-1").empty());
}

TEST(CurvePlan, EachRealIsDividedByItsFactor) {
  UnitFactors f = Ones();
  f.F_PRESSURE = 2.0f;
  f.F_ENTHALPY = 4.0f;
  f.F_DENSITY = 0.5f;
  f.F_SPECIFIC_HEAT = 8.0f;
  f.F_VISCOSITY = 0.25f;
  f.F_CONDUCTIVITY = 10.0f;
  f.F_DIFFUSIVITY = 100.0f;
  f.F_SURFACE_TENSION = 5.0f;
  Curve c = Plain(1);
  c.entries = {2};
  AddEntry(c, VAPOUR_PHASE, 0.0);
  AddEntry(c, LIQUID_PHASE, 10.0);
  EXPECT_EQ(Plan(c, 1, "HOT-1", f),
            (Lines{"DBToBeUsed(1)='4'", "PressureReference(1)=5", "NumberofCurves(1)=#1",
                   "NumberOfPointsOnCurve(1)=#1", "VaporMassFraction(1)=0.01", "Temperature(1)=100",
                   "SpecificEnthalpy(1)=250",
                   // vapour entry: value j is j
                   "VaporMolecularWeight(1)=2", "VaporDensity(1)=6", "VaporSpecificHeat(1)=0.5",
                   "VaporViscosity(1)=20", "VaporThermalConductivity(1)=0.6", "Diffusivity(1)=0.08",
                   // liquid entry: value j is 10 + j
                   "LiquidMolecularWeight(1)=12", "LiquidDensity(1)=26",
                   "LiquidSpecificHeat(1)=1.75", "LiquidViscosity(1)=60",
                   "LiquidThermalConductivity(1)=1.6", "LiquidSurfaceTension(1)=3.4"}));
}

// Keeps each real as it was handed over, unrounded.
class RealRecorder : public CurvePutSink {
 public:
  struct Real {
    std::string variable;
    int16_t index;
    double value;
    bool operator==(const Real&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Real& r) {
      return os << r.variable << "(" << r.index << ")=" << r.value;
    }
  };
  void Put(const CurvePut& put) override {
    if (put.kind == CurvePut::Kind::kReal)
      reals.push_back({std::string(put.variable), put.index, put.real});
  }
  std::vector<Real> reals;
};

TEST(CurvePlan, EveryValueOfEachPhaseGoesThroughItsOwnFactorOnly) {
  // Each of the 22 factors a different power of two: a value divided by
  // another factor, or by one where none belongs, shows.
  static_assert(sizeof(UnitFactors) == 22 * sizeof(float));
  UnitFactors f;
  float* all = &f.F_ANGLE;
  for (int i = 0; i < 22; ++i) all[i] = static_cast<float>(2 << i);
  ASSERT_EQ(f.F_ENTHALPY, 256.0f);
  ASSERT_EQ(f.F_PRESSURE, 1048576.0f);

  Curve c = Plain(1);
  c.entries = {3};
  AddEntry(c, VAPOUR_PHASE, 100.0);
  AddEntry(c, LIQUID_PHASE, 200.0);
  AddEntry(c, SECOND_LIQUID_PHASE, 300.0);
  RealRecorder r;
  PlanCurvePuts(Link(), f, 1, "HOT-1", c.records(), r);

  constexpr double kPressure = 1048576, kEnthalpy = 256, kDensity = 2048, kSpecificHeat = 512,
                   kViscosity = 4096, kConductivity = 8192, kSurfaceTension = 16384,
                   kDiffusivity = 2097152;
  using Real = RealRecorder::Real;
  EXPECT_EQ(r.reals, (std::vector<Real>{
                         {"PressureReference", 1, 10 / kPressure},
                         {"VaporMassFraction", 1, 0.01},
                         {"Temperature", 1, 100},
                         {"SpecificEnthalpy", 1, 1000 / kEnthalpy},
                         {"VaporMolecularWeight", 1, 102},
                         {"VaporDensity", 1, 103 / kDensity},
                         {"VaporSpecificHeat", 1, 104 / kSpecificHeat},
                         {"VaporViscosity", 1, 105 / kViscosity},
                         {"VaporThermalConductivity", 1, 106 / kConductivity},
                         {"Diffusivity", 1, 108 / kDiffusivity},
                         {"LiquidMolecularWeight", 1, 202},
                         {"LiquidDensity", 1, 203 / kDensity},
                         {"LiquidSpecificHeat", 1, 204 / kSpecificHeat},
                         {"LiquidViscosity", 1, 205 / kViscosity},
                         {"LiquidThermalConductivity", 1, 206 / kConductivity},
                         {"LiquidSurfaceTension", 1, 207 / kSurfaceTension},
                         {"Liquid2MolecularWeight", 1, 302},
                         {"Liquid2Density", 1, 303 / kDensity},
                         {"Liquid2SpecificHeat", 1, 304 / kSpecificHeat},
                         {"Liquid2Viscosity", 1, 305 / kViscosity},
                         {"Liquid2ThermalConductivity", 1, 306 / kConductivity},
                         {"Liquid2SurfaceTension", 1, 307 / kSurfaceTension},
                         {"Liquid2MassFraction", 1, 310},
                     }));
}

TEST(CurvePlan, SecondLiquidGivesSevenValuesEndingWithItsMassFraction) {
  Curve c = Plain(1);
  c.entries = {1};
  AddEntry(c, SECOND_LIQUID_PHASE, 0.0);
  const Lines puts = Plan(c, 1, "HOT-1");
  EXPECT_EQ(Lines(puts.begin() + 7, puts.end()),
            (Lines{"Liquid2MolecularWeight(1)=2", "Liquid2Density(1)=3", "Liquid2SpecificHeat(1)=4",
                   "Liquid2Viscosity(1)=5", "Liquid2ThermalConductivity(1)=6",
                   "Liquid2SurfaceTension(1)=7", "Liquid2MassFraction(1)=10"}));
}

// Keeps only the molecular weights, which show whose entry went where.
Lines Weights(const Lines& puts) {
  Lines out;
  for (const auto& p : puts)
    if (p.find("MolecularWeight") != std::string::npos) out.push_back(p);
  return out;
}

TEST(CurvePlan, PhaseEntriesAreNumberedOverTheWholeCurve) {
  Curve c = Plain(3);
  c.entries = {2, 0, 1};
  AddEntry(c, VAPOUR_PHASE, 100.0);
  AddEntry(c, LIQUID_PHASE, 200.0);
  AddEntry(c, SECOND_LIQUID_PHASE, 300.0);
  EXPECT_EQ(Weights(Plan(c, 2, "CURVE-A")),
            (Lines{"VaporMolecularWeight(25)=102", "LiquidMolecularWeight(25)=202",
                   "Liquid2MolecularWeight(27)=302"}));
}

TEST(CurvePlan, SkippedCodesStillOwnTheirTenValues) {
  Curve c = Plain(2);
  c.entries = {3, 2};
  AddEntry(c, VAPOUR_PHASE, 100.0);
  AddEntry(c, 3, 200.0);  // no such phase
  AddEntry(c, LIQUID_PHASE, 300.0);
  AddEntry(c, MISSING_INTEGER, 400.0);  // cleaned to 0 first
  AddEntry(c, VAPOUR_PHASE, 500.0);
  CleanCurveRecords(c.records());
  EXPECT_EQ(Weights(Plan(c, 1, "HOT-1")),
            (Lines{"VaporMolecularWeight(1)=102", "LiquidMolecularWeight(1)=302",
                   "VaporMolecularWeight(2)=502"}));
}

TEST(CurvePlan, TwoVapourEntriesOfAPointLeaveTheSecondsValues) {
  Curve c = Plain(1);
  c.entries = {2};
  AddEntry(c, VAPOUR_PHASE, 100.0);
  AddEntry(c, VAPOUR_PHASE, 200.0);
  EXPECT_EQ(Weights(Plan(c, 1, "HOT-1")),
            (Lines{"VaporMolecularWeight(1)=102", "VaporMolecularWeight(1)=202"}));
}

TEST(CurvePlan, NoneNegativeOrClearedEntryCountsGiveNoPhaseValues) {
  Curve c = Plain(3);
  c.entries = {0, -4, MISSING_INTEGER};
  AddEntry(c, VAPOUR_PHASE, 100.0);
  CleanCurveRecords(c.records());
  EXPECT_EQ(Plan(c, 1, "HOT-1").size(), 4u + 3 * 3);
}

TEST(CurvePlan, AtMostTwentyFourPointsStayInsideTheCurvesPlace) {
  Curve c = Plain(30);
  const Lines puts = Plan(c, 2, "CURVE-A");
  EXPECT_EQ(puts[3], "NumberOfPointsOnCurve(1)=#24");
  ASSERT_EQ(puts.size(), 4u + 24 * 3);
  EXPECT_EQ(puts.back(), "SpecificEnthalpy(48)=24000");
}

TEST(CurvePlan, ShortRecordsGiveOnlyWhatTheyHold) {
  // Two points, but thermodynamic values for one and a half, three phase
  // entries asked for, two codes held, and the second entry cut after j = 4.
  Curve c = Plain(2);
  c.thermo.resize(6);
  c.entries = {1, 1000000000000};
  AddEntry(c, VAPOUR_PHASE, 100.0);
  AddEntry(c, LIQUID_PHASE, 200.0);
  c.phase.resize(14);
  EXPECT_EQ(
      Plan(c, 1, "HOT-1"),
      (Lines{"DBToBeUsed(1)='4'", "PressureReference(1)=10", "NumberofCurves(1)=#1",
             "NumberOfPointsOnCurve(1)=#2", "VaporMassFraction(1)=0.01", "Temperature(1)=100",
             "SpecificEnthalpy(1)=1000", "VaporMolecularWeight(1)=102", "VaporDensity(1)=103",
             "VaporSpecificHeat(1)=104", "VaporViscosity(1)=105", "VaporThermalConductivity(1)=106",
             "Diffusivity(1)=108", "Temperature(2)=200", "LiquidMolecularWeight(2)=202",
             "LiquidDensity(2)=203", "LiquidSpecificHeat(2)=204"}));
}

TEST(CurvePlan, OnePointOfZerosFromAnEmptyRecordSetHasNoReferencePressure) {
  // What the reading gives for records the repository lacks: one element each.
  Curve c;
  c.entries = {0};
  c.thermo = {0.0};
  EXPECT_EQ(Plan(c, 1, "HOT-1"), (Lines{"DBToBeUsed(1)='4'", "NumberofCurves(1)=#1",
                                        "NumberOfPointsOnCurve(1)=#1", "Temperature(1)=0"}));
}

}  // namespace
