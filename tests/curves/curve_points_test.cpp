// A heat-release curve from the repository into the case, checked in the
// order, values and flags that the case server received.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/curves/curve_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// Where the values went, "Name(index)", in the order they were put.
Lines Places(const Lines& calls) {
  Lines places;
  for (const std::string& call : calls) {
    if (!call.starts_with("PutValue|")) continue;
    const std::size_t name = call.find('|') + 1, index = call.find('|', name) + 1;
    places.push_back(call.substr(name, index - 1 - name) + "(" +
                     call.substr(index, call.find('|', index) - index) + ")");
  }
  return places;
}

// The side header, then each point's three values, as the case receives them.
Lines HeaderAndPoints(int side, int curve, const CurveData& c, int64_t flag = 1) {
  Lines puts = ExchangeCaseTest::Put("DBToBeUsed", side, "4", flag);
  Append(puts, ExchangeCaseTest::PutReal("PressureReference", side == 1 ? curve : 5 + curve,
                                         c.thermo[1], flag));
  Append(puts, ExchangeCaseTest::PutInteger("NumberofCurves", side, curve, flag));
  Append(puts, ExchangeCaseTest::PutInteger("NumberOfPointsOnCurve", side,
                                            static_cast<int64_t>(c.entries.size()), flag));
  for (int p = 1; p <= static_cast<int>(c.entries.size()); ++p) {
    const int at = (curve - 1) * 24 + 120 * (side - 1) + p;
    Append(puts, ExchangeCaseTest::PutReal("VaporMassFraction", at, c.thermo[4 * p - 1], flag));
    Append(puts, ExchangeCaseTest::PutReal("Temperature", at, c.thermo[4 * p - 4], flag));
    Append(puts, ExchangeCaseTest::PutReal("SpecificEnthalpy", at, c.thermo[4 * p - 2], flag));
  }
  return puts;
}

using CurveTransfer = CurveTest;

TEST_F(CurveTransfer, HotCurveTwoGoesToTheHotHeaderAndIndices25To27) {
  LoadCurve("CURVE-A", PlainCurve(3));
  EXPECT_EQ(Transfer("CURVE-A", 2), 0);
  const Lines calls = VariableCalls();
  EXPECT_EQ(calls, HeaderAndPoints(1, 2, PlainCurve(3)));
  EXPECT_EQ(Places(calls),
            (Lines{"DBToBeUsed(1)", "PressureReference(2)", "NumberofCurves(1)",
                   "NumberOfPointsOnCurve(1)", "VaporMassFraction(25)", "Temperature(25)",
                   "SpecificEnthalpy(25)", "VaporMassFraction(26)", "Temperature(26)",
                   "SpecificEnthalpy(26)", "VaporMassFraction(27)", "Temperature(27)",
                   "SpecificEnthalpy(27)"}));
  // Each value looked its variable up afresh, in the one collection taken.
  const Lines log = case_probe::Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "CaseData::GetArrayInputs"), 1);
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& l) {
                            return l.starts_with("ArrayVariables::Item|ArrayInputs|") &&
                                   l.ends_with("|found");
                          }),
            13);
  EXPECT_EQ(case_probe::EntryAt(AI, "Temperature", 27),
            (case_probe::Entry{"   300.000000000000", 1, ""}));
  EXPECT_EQ(case_probe::Value(AI, "DBToBeUsed", 1), "4");
}

TEST_F(CurveTransfer, ColdCurveTwoGoesToTheColdHeaderAndIndices145To147) {
  LoadCurve("CURVE-B", PlainCurve(3));
  EXPECT_EQ(Transfer("CURVE-B", 2), 0);
  const Lines calls = VariableCalls();
  EXPECT_EQ(calls, HeaderAndPoints(2, 2, PlainCurve(3)));
  const Lines places = Places(calls);
  EXPECT_EQ(Lines(places.begin(), places.begin() + 5),
            (Lines{"DBToBeUsed(2)", "PressureReference(7)", "NumberofCurves(2)",
                   "NumberOfPointsOnCurve(2)", "VaporMassFraction(145)"}));
  EXPECT_EQ(places.back(), "SpecificEnthalpy(147)");
}

TEST_F(CurveTransfer, ACurveAtItsPlaceInNeitherListPutsNothing) {
  LoadCurve("CURVE-A", PlainCurve(1));
  LoadCurve("CURVE-6", PlainCurve(1));
  CASE_LINK.HOTCURVE[5] = "CURVE-6";  // a sixth curve would land on the cold side's indices
  EXPECT_EQ(Transfer("CURVE-A", 1), 0);
  EXPECT_EQ(Transfer("CURVE-6", 6), 0);
  EXPECT_EQ(Transfer("", 3), 0);  // a blank id against blank list entries
  EXPECT_EQ(case_probe::Log(), Lines(3, "CaseData::GetArrayInputs"));
}

TEST_F(CurveTransfer, TransferFlagOnePutsEveryValueFlaggedNotGiven) {
  CurveData c = PlainCurve(1);
  c.entries = {1};
  AddEntry(c, 2, 0.0);
  LoadCurve("CURVE-A", c);
  EXPECT_EQ(Transfer("CURVE-A", 2, 1), 0);
  const Lines calls = VariableCalls();
  ASSERT_EQ(calls.size(), 2u * (4 + 3 + 6));
  EXPECT_EQ(Lines(calls.begin(), calls.begin() + 14), HeaderAndPoints(1, 2, c, 0));
  for (const std::string& call : calls)
    if (call.starts_with("PutFlag|")) EXPECT_TRUE(call.ends_with("|0")) << call;
  EXPECT_EQ(case_probe::Value(AI, "VaporDensity", 25), "   3.00000000000000");
}

TEST_F(CurveTransfer, MarkedValuesArriveAsZeroAndAMarkedEntryCountAsNone) {
  CurveData c = PlainCurve(2);
  c.thermo[4] = 1.0E35;  // temperature of point 2
  c.thermo[6] = 9.9E34;  // enthalpy of point 2: below the marker
  c.thermo[7] = 2.0E35;  // vapour fraction of point 2
  c.entries = {99999999, 1};
  AddEntry(c, 2, 0.0);
  LoadCurve("CURVE-A", c);
  EXPECT_EQ(Transfer("CURVE-A", 2), 0);
  const Lines calls = VariableCalls();
  Lines point2 = ExchangeCaseTest::PutReal("VaporMassFraction", 26, 0.0, 1);
  Append(point2, ExchangeCaseTest::PutReal("Temperature", 26, 0.0, 1));
  Append(point2, ExchangeCaseTest::PutReal("SpecificEnthalpy", 26, 9.9E34, 1));
  // Point 1 has no phase values: its entry count was the marker; the one entry is point 2's.
  ASSERT_GE(calls.size(), 22u);
  EXPECT_EQ(Lines(calls.begin() + 14, calls.begin() + 20), point2);
  EXPECT_EQ(Lines(calls.begin() + 20, calls.begin() + 22),
            ExchangeCaseTest::PutReal("VaporMolecularWeight", 26, 2.0, 1));
}

TEST_F(CurveTransfer, PhasesGoToTheirPointsDividedByTheirFactors) {
  UNIT_FACTORS.F_DENSITY = 2.0f;
  UNIT_FACTORS.F_PRESSURE = 1000.0f;
  CurveData c = PlainCurve(2);
  c.entries = {2, 1};
  AddEntry(c, 2, 10.0);
  AddEntry(c, 4, 20.0);
  AddEntry(c, 5, 30.0);
  LoadCurve("CURVE-A", c);
  EXPECT_EQ(Transfer("CURVE-A", 2), 0);
  const Lines calls = VariableCalls();
  EXPECT_EQ(Lines(calls.begin() + 2, calls.begin() + 4),
            ExchangeCaseTest::PutReal("PressureReference", 2, 250.0, 1));
  const Lines places = Places(calls);
  EXPECT_EQ(Lines(places.begin() + 7, places.end()), (Lines{"VaporMolecularWeight(25)",
                                                            "VaporDensity(25)",
                                                            "VaporSpecificHeat(25)",
                                                            "VaporViscosity(25)",
                                                            "VaporThermalConductivity(25)",
                                                            "Diffusivity(25)",
                                                            "LiquidMolecularWeight(25)",
                                                            "LiquidDensity(25)",
                                                            "LiquidSpecificHeat(25)",
                                                            "LiquidViscosity(25)",
                                                            "LiquidThermalConductivity(25)",
                                                            "LiquidSurfaceTension(25)",
                                                            "VaporMassFraction(26)",
                                                            "Temperature(26)",
                                                            "SpecificEnthalpy(26)",
                                                            "Liquid2MolecularWeight(26)",
                                                            "Liquid2Density(26)",
                                                            "Liquid2SpecificHeat(26)",
                                                            "Liquid2Viscosity(26)",
                                                            "Liquid2ThermalConductivity(26)",
                                                            "Liquid2SurfaceTension(26)",
                                                            "Liquid2MassFraction(26)"}));
  EXPECT_EQ(case_probe::Value(AI, "VaporDensity", 25), "   6.50000000000000");
  EXPECT_EQ(case_probe::Value(AI, "LiquidDensity", 25), "   11.5000000000000");
  EXPECT_EQ(case_probe::Value(AI, "Liquid2MassFraction", 26), "   40.0000000000000");
  // Point 1 has no second liquid: its entry is left as it was.
  EXPECT_EQ(case_probe::Flag(AI, "Liquid2Density", 25), 0);
}

TEST_F(CurveTransfer, ALongCurveStopsAtItsTwentyFourthPoint) {
  CASE_LINK.HOTCURVE[4] = "CURVE-5";
  LoadCurve("CURVE-5", PlainCurve(30));
  EXPECT_EQ(Transfer("CURVE-5", 5), 0);
  const Lines calls = VariableCalls();
  CurveData kept = PlainCurve(24);
  kept.thermo[1] = 2.5E5;
  EXPECT_EQ(calls, HeaderAndPoints(1, 5, kept));
  EXPECT_EQ(Places(calls).back(), "SpecificEnthalpy(120)");
  // The cold side's first curve is untouched.
  EXPECT_EQ(case_probe::Flag(AI, "Temperature", 121), 0);
}

TEST_F(CurveTransfer, ShortRecordsPutOnlyTheValuesTheyHold) {
  // Three points, five thermodynamic reals, one phase code for three entries.
  CurveData c;
  c.entries = {1, 1, 1};
  c.thermo = {100, 2.5E5, 1000, 0.5, 200};
  AddEntry(c, 2, 0.0);
  CASE_LINK.HOTCURVE[0] = "SHORT";
  LoadCurve("SHORT", c);
  EXPECT_EQ(Transfer("SHORT", 1), 0);
  EXPECT_EQ(Places(VariableCalls()),
            (Lines{"DBToBeUsed(1)", "PressureReference(1)", "NumberofCurves(1)",
                   "NumberOfPointsOnCurve(1)", "VaporMassFraction(1)", "Temperature(1)",
                   "SpecificEnthalpy(1)", "VaporMolecularWeight(1)", "VaporDensity(1)",
                   "VaporSpecificHeat(1)", "VaporViscosity(1)", "VaporThermalConductivity(1)",
                   "Diffusivity(1)", "Temperature(2)"}));
}

TEST_F(CurveTransfer, ACurveTheRepositoryLacksIsOnePointOfZeros) {
  CASE_LINK.HOTCURVE[0] = "GONE";
  EXPECT_EQ(Transfer("GONE", 1), 0);
  Lines expected = ExchangeCaseTest::Put("DBToBeUsed", 1, "4", 1);
  Append(expected, ExchangeCaseTest::PutInteger("NumberofCurves", 1, 1, 1));
  Append(expected, ExchangeCaseTest::PutInteger("NumberOfPointsOnCurve", 1, 1, 1));
  Append(expected, ExchangeCaseTest::PutReal("Temperature", 1, 0.0, 1));
  EXPECT_EQ(VariableCalls(), expected);
}

TEST_F(CurveTransfer, EachCurveOfASideOverwritesItsHeader) {
  for (int c = 1; c <= 3; ++c) {
    const std::string id = "HOT-" + std::to_string(c);
    CASE_LINK.HOTCURVE[c - 1] = id;
    LoadCurve(id, PlainCurve(c + 1));
    EXPECT_EQ(Transfer(id, c), 0);
  }
  EXPECT_EQ(case_probe::Value(AI, "NumberofCurves", 1), std::string(21, ' ') + "3");
  EXPECT_EQ(case_probe::Value(AI, "NumberOfPointsOnCurve", 1), std::string(21, ' ') + "4");
  EXPECT_EQ(case_probe::Value(AI, "PressureReference", 3), "   250000.000000000");
  EXPECT_EQ(case_probe::Value(AI, "Temperature", 52), "   400.000000000000");
}

}  // namespace
